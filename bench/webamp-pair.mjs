// The same skins photographed by Webamp in one headless browser (a page per
// skin, as the public galleries do) and rendered by one `render --out-dir`
// process: the time per skin of each, and their ratio, in one run.
//   bash bench/webamp-pair.sh [BUILD_DIR]   (sets what this needs)
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readdirSync, readFileSync, rmSync, statSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { openTestPlayer, cli } from '../tests/players/lib/suite.mjs';
import { zipFolder } from '../tests/players/lib/server.mjs';

const skinsDir = process.argv[2];
const names = readdirSync(skinsDir).sort();
const skins = names.map((name) => {
  const path = join(skinsDir, name);
  return { name, path, zip: statSync(path).isDirectory() ? zipFolder(path) : readFileSync(path) };
});
const out = mkdtempSync(join(tmpdir(), 'webamp-pair-'));
try {
  const player = await openTestPlayer(join(out, 'screenshots'));
  let webampSeconds;
  try {
    await player.show('warm', 'up', skins[0].zip);  // the browser's first page is not a skin's cost
    const started = process.hrtime.bigint();
    for (const skin of skins) await player.show(skin.name.replace(/\W/g, '_'), 'pair', skin.zip);
    webampSeconds = Number(process.hrtime.bigint() - started) / 1e9;
  } finally {
    await player.close();
  }
  const started = process.hrtime.bigint();
  execFileSync(cli, ['-q', 'render', ...skins.map((s) => s.path), '--out-dir', join(out, 'ours'), '--jobs', '1'], { stdio: 'inherit' });
  const oursSeconds = Number(process.hrtime.bigint() - started) / 1e9;
  const per = (s) => (1000 * s / skins.length).toFixed(1);
  console.log(`${skins.length} skins: Webamp ${per(webampSeconds)} ms a skin, render ${per(oursSeconds)} ms a skin (one process, one job): ${(webampSeconds / oursSeconds).toFixed(1)} x`);
} finally {
  rmSync(out, { recursive: true, force: true });
}
