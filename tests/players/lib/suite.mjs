// What both player suites share: the settings ctest passes in (through run.sh), the command
// line they make and render skins with, and Webamp opened on our page in Chromium.
import { execFileSync } from 'node:child_process';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { openPlayer } from './player.mjs';

const env = (name) => {
  const value = process.env[name];
  if (!value) throw new Error(`${name} is not set: run this through ctest (tests/players/run.sh)`);
  return value;
};
export const cli = env('VK_CLI');
export const work = env('VK_PLAYERS_WORK');
export const modulesDir = env('VK_PLAYERS_MODULES');

export function runCli(args) {
  try {
    return execFileSync(cli, args, { encoding: 'utf8', stdio: ['ignore', 'pipe', 'pipe'], timeout: 60_000 });
  } catch (e) {
    throw new Error(`vellumkit-cli ${args.join(' ')} failed (${e.status ?? e.signal}):\n${e.stderr || e.message}`);
  }
}

// The player on tests/players/page, screenshots into screenshotDir.
export function openTestPlayer(screenshotDir) {
  return openPlayer({
    modulesDir, pageDir: join(dirname(fileURLToPath(import.meta.url)), '..', 'page'), screenshotDir,
    chromiumPath: process.env.VK_CHROMIUM || '/usr/bin/chromium',
  });
}
