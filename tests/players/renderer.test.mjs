// Our renderer against Webamp: each skin (some we make, every classic skin Debian's audacious
// installs, Webamp's own base skin) is shown by Webamp in one held state and then in each state
// of kStates in turn (one page a skin), and drawn by `vellumkit-cli render` in the same state;
// each window must match pixel for pixel on at least 99.5 % of the pixels we compare, in every
// state. Writes renderer-report.md into the build folder.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { existsSync, mkdirSync, readdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { work, modulesDir, runCli, openTestPlayer } from './lib/suite.mjs';
import { zipFolder } from './lib/server.mjs';
import { readPng } from './lib/png.mjs';
import { photoLikePicture } from './lib/picture.mjs';
import { writeBaseSkin } from './lib/baseSkin.mjs';

const outDir = join(work, 'renderer');
const kAudaciousSkins = '/usr/share/audacious/Skins';
const kTarget = 99.5;

// What every state shares: values off every default and off Webamp's snap to the middle
// (45..55), three tracks of known lengths, named as the page names them.
const kState = {
  volume: 63, balance: 40, preamp: 30, bands: [20, 35, 62, 80, 96, 70, 40, 12, 66, 88],
  lengths: [225, 192, 301],
};
const kTracks = ['Vellum - First Track', 'Vellum - Second Track', 'Vellum - Third Track'];
const kRenderArgs = ['--volume', String(kState.volume), '--balance', String(kState.balance),
  '--eq', [kState.preamp, ...kState.bands].join(',')];

// Each state as Webamp is put into it (window.showState) and as our command line asks for it.
// Playing: 1:30 of the first track's 3:45, so the position bar stands at 40 %.
const kPlaying = { elapsed: 90 };
const kPlayingArgs = ['--playing', '--time', '1:30', '--position', '0.4'];
const kStates = [
  { name: 'stopped', webamp: {}, args: [] },
  { name: 'shade-main', webamp: { shade: ['main'] }, args: ['--shade', 'main'] },
  { name: 'shade-eq', webamp: { shade: ['equalizer'] }, args: ['--shade', 'eq'] },
  { name: 'shade-playlist', webamp: { shade: ['playlist'] }, args: ['--shade', 'playlist'] },
  { name: 'shade-all', webamp: { shade: ['main', 'equalizer', 'playlist'] }, args: ['--shade', 'main,eq,playlist'] },
  { name: 'double', webamp: { double: true }, args: ['--double'] },
  { name: 'double-shade', webamp: { double: true, shade: ['main', 'equalizer'] }, args: ['--double', '--shade', 'main,eq'] },
  { name: 'focus-eq', webamp: { focus: 'equalizer' }, args: ['--focus', 'eq'] },
  { name: 'focus-playlist', webamp: { focus: 'playlist' }, args: ['--focus', 'playlist'] },
  { name: 'focus-none', webamp: { focus: null }, args: ['--focus', 'none'] },
  { name: 'focus-none-shade', webamp: { focus: null, shade: ['main', 'equalizer', 'playlist'] }, args: ['--focus', 'none', '--shade', 'main,eq,playlist'] },
  { name: 'eq-off', webamp: { eqOff: true }, args: ['--eq-off'] },
  { name: 'eq-auto', webamp: { eqAuto: true }, args: ['--eq-auto'] },
  { name: 'shuffle-repeat', webamp: { shuffle: true, repeat: true }, args: ['--shuffle', '--repeat'] },
  { name: 'no-eq-window', webamp: { eqWindow: false }, args: ['--no-eq-window'] },
  { name: 'no-playlist-window', webamp: { playlistWindow: false }, args: ['--no-playlist-window'] },
  { name: 'no-windows', webamp: { eqWindow: false, playlistWindow: false }, args: ['--no-eq-window', '--no-playlist-window'] },
  { name: 'playlist-size', webamp: { playlistSteps: [3, 2] }, args: ['--playlist-size', '350x174'] },
  { name: 'playlist-size-shade', webamp: { playlistSteps: [3, 2], shade: ['playlist'] }, args: ['--playlist-size', '350x174', '--shade', 'playlist'] },
  { name: 'playing', webamp: { playing: kPlaying }, args: kPlayingArgs },
  { name: 'playing-remaining', webamp: { playing: { ...kPlaying, remaining: true } }, args: ['--playing', '--time', '2:15', '--remaining', '--position', '0.4'] },
  { name: 'playing-shade', webamp: { playing: kPlaying, shade: ['main', 'equalizer', 'playlist'] }, args: [...kPlayingArgs, '--shade', 'main,eq,playlist'] },
  { name: 'playing-double', webamp: { playing: kPlaying, double: true }, args: [...kPlayingArgs, '--double'] },
];
const kWindowNames = ['main', 'equalizer', 'playlist'];

// Places where Webamp draws differently by its own choice; excluded from the count.
// Rectangles are in window pixels.
const kMasks = {
  main: [
    // The song title: Webamp shows the track's title and length, in its own marquee.
    { why: 'song title (Webamp writes "1. artist - title (m:ss)" in its marquee)', at: (held) => held.marquee },
  ],
  equalizer: [],
  playlist: [
    // Entry texts: Webamp draws them in the browser's fonts.
    { why: 'playlist entry texts (browser fonts)', at: (held) => held.trackCells },
  ],
};

// The skins under test: [name, folder], made on first use.
function skinList() {
  const made = join(outDir, 'made');
  const pictures = join(outDir, 'pictures');
  mkdirSync(pictures, { recursive: true });
  const photo = join(pictures, 'photo.bmp');
  writeFileSync(photo, photoLikePicture({ hue: 0 }));
  const colours = ['winBackColour=1A2B3C', 'winTextColour=E0C040', 'eqBackColour=203010', 'eqForeColour=C0F080',
    'plNormalBgColour=102040'].flatMap((c) => ['--colour', c]);
  const list = [
    ['made-default', []],
    ['made-continuous', ['--main', photo, '--layout', 'continuous']],
    ['made-buttons-only', ['--main', photo, '--buttons-only']],
    ['made-sink-frame-colours', ['--main', photo, '--sink-frame', ...colours]],
  ].map(([name, args]) => ({ name, dir: join(made, name), make: () => runCli(['make', '--out', join(made, name), ...args]) }));
  for (const name of existsSync(kAudaciousSkins) ? readdirSync(kAudaciousSkins).sort() : []) {
    list.push({ name: `audacious-${name}`, dir: join(kAudaciousSkins, name), make: () => {} });
  }
  list.push({
    name: 'webamp-base',
    dir: join(outDir, 'webamp-base'),
    make() {
      const { unmatched } = writeBaseSkin(join(modulesDir, 'webamp', 'built', 'webamp.bundle.js'), join(outDir, 'webamp-base'));
      // Webamp's fallback name for a sprite it shares with the equaliser sheet.
      assert.deepEqual(unmatched.filter((n) => !n.endsWith('_FALLBACK')), [], 'sprites the base skin bundle lacks');
    },
  });
  return list;
}

function crop(image, x0, y0, w, h) {
  const rgba = new Uint8Array(w * h * 4);
  for (let y = 0; y < h; ++y) rgba.set(image.rgba.subarray(((y0 + y) * image.width + x0) * 4, ((y0 + y) * image.width + x0 + w) * 4), y * w * 4);
  return { width: w, height: h, rgba };
}

const samePicture = (a, b) => a.width === b.width && a.height === b.height && Buffer.from(a.rgba).equals(Buffer.from(b.rgba));

// Compares one window; returns the share of equal pixels outside the masks and the
// bounding boxes of the differing pixels, grouped by row bands.
function compareWindow(ours, theirs, masks) {
  const masked = new Uint8Array(ours.width * ours.height);
  for (const r of masks) {
    for (let y = Math.max(0, Math.floor(r.y)); y < Math.min(ours.height, Math.ceil(r.y + r.h)); ++y) {
      for (let x = Math.max(0, Math.floor(r.x)); x < Math.min(ours.width, Math.ceil(r.x + r.w)); ++x) masked[y * ours.width + x] = 1;
    }
  }
  let compared = 0, equal = 0;
  const diffs = [];
  for (let i = 0; i < masked.length; ++i) {
    if (masked[i]) continue;
    ++compared;
    const o = i * 4;
    if (ours.rgba[o] === theirs.rgba[o] && ours.rgba[o + 1] === theirs.rgba[o + 1] && ours.rgba[o + 2] === theirs.rgba[o + 2]) ++equal;
    else diffs.push([i % ours.width, Math.floor(i / ours.width)]);
  }
  return { percent: (100 * equal) / compared, compared, differing: compared - equal, regions: regionsOf(diffs) };
}

// Differing pixels joined into boxes: pixels within 3 px of a box grow it.
function regionsOf(points) {
  const boxes = [];
  for (const [x, y] of points) {
    const box = boxes.find((b) => x >= b.x0 - 3 && x <= b.x1 + 3 && y >= b.y0 - 3 && y <= b.y1 + 3);
    if (box) {
      box.x0 = Math.min(box.x0, x); box.x1 = Math.max(box.x1, x); box.y0 = Math.min(box.y0, y); box.y1 = Math.max(box.y1, y);
      ++box.n;
    } else boxes.push({ x0: x, x1: x, y0: y, y1: y, n: 1 });
  }
  return boxes;
}

// Why a remaining difference is there, by where it lies (unscaled window pixels) and in which
// states (all when `states` is not given).
const kExplained = {
  main: [
    // Counted, not masked: only skins without balance.bmp show it, and the window stays above target.
    { x: 177, y: 57, w: 38, h: 13, why: 'balance frame of a skin without balance.bmp: Webamp falls back to the whole volume sprite (columns 0-37), we cut the balance columns (from 9) of volume.bmp as the format says' },
    // Counted, not masked: only a skin whose blank digit differs from main.bmp beneath shows it.
    { x: 38, y: 26, w: 9, h: 13, states: ['playing', 'playing-double'], why: 'time sign counting up: Webamp draws nothing there (its minus-sign element exists only counting down), we draw the blank digit of nums_ex.bmp (the gap of the "1" in numbers.bmp) as the player does' },
  ],
  equalizer: [],
  playlist: [],
};
const explain = (window, state, b, zoom) =>
  kExplained[window].find((e) => (!e.states || e.states.includes(state)) &&
    b.x0 / zoom >= e.x && b.x1 / zoom < e.x + e.w && b.y0 / zoom >= e.y && b.y1 / zoom < e.y + e.h)?.why ?? 'not explained';

// The playlist both players show: the page's three tracks, the first current, none selected.
function playlistFile() {
  const file = join(outDir, 'tracks.txt');
  writeFileSync(file, kTracks.map((t, i) => `${t}\t${kState.lengths[i]}\n`).join(''));
  return file;
}

let player;
let tracks;
const shownSomewhere = new Set();
const results = [];

before(async () => {
  rmSync(outDir, { recursive: true, force: true });
  mkdirSync(outDir, { recursive: true });
  tracks = playlistFile();
  player = await openTestPlayer(join(outDir, 'screenshots'));
});

const percentText = (c) => (c ? `${c.percent.toFixed(2)} %` : '-');
// The lowest share a window reached over the given results and states.
const lowest = (rs, states, window) => {
  const all = rs.flatMap((r) => states.map((st) => r.states[st]?.[window]).filter(Boolean));
  return all.length ? Math.min(...all.map((c) => c.percent)) : null;
};

// The skin groups the figures are given for.
const kGroups = [
  { name: 'made', has: (n) => n.startsWith('made-') },
  { name: 'audacious', has: (n) => n.startsWith('audacious-') },
  { name: 'webamp-base', has: (n) => n === 'webamp-base' },
];
function groupCell(rs, state) {
  const lows = kWindowNames.map((w) => lowest(rs, [state], w)).filter((v) => v !== null);
  if (!lows.length) return '-';
  const low = Math.min(...lows);
  const whole = rs.filter((r) => r.states[state] && Object.values(r.states[state]).every((c) => c.differing === 0)).length;
  return `${low.toFixed(2)} % (${whole}/${rs.length})`;
}

after(async () => {
  await player?.close();
  const stateNames = kStates.map((st) => st.name);
  const lines = [`# Our renderer against Webamp ${player?.webampVersion ?? ''}`, '',
    `Held in every state: volume ${kState.volume}, balance ${kState.balance}, preamp ${kState.preamp}, bands ${kState.bands.join(',')}, ` +
    `tracks "${kTracks.join('", "')}" of ${kState.lengths.join(', ')} s, the first current, none selected, no visualiser. ` +
    `Target ${kTarget} % per window in each state.`, '',
    '## States', '',
    ...kStates.map((st) => `- ${st.name}: \`render ${st.args.join(' ') || '--stopped'}\``), '',
    '## Masked (not compared)', '', ...Object.entries(kMasks).flatMap(([w, ms]) => ms.map((m) => `- ${w}: ${m.why}`)),
    '- behind the windows Webamp\'s page is black, the colour our renderer leaves where no sheet reaches (a main.bmp shorter than 116 rows)', '',
    '## Lowest share of equal pixels per state (over all skins)', '',
    '| state | main | equaliser | playlist |', '|---|---|---|---|',
    ...stateNames.map((st) => `| ${st} | ${kWindowNames.map((w) => { const v = lowest(results, [st], w); return v === null ? '-' : `${v.toFixed(2)} %`; }).join(' | ')} |`),
    '', '## Per state and skin group (lowest window; skins at 100 % in every window)', '',
    `| state | ${kGroups.map((g) => g.name).join(' | ')} |`, `|---|${kGroups.map(() => '---|').join('')}`,
    ...stateNames.map((st) => `| ${st} | ${kGroups.map((g) => groupCell(results.filter((r) => g.has(r.name)), st)).join(' | ')} |`),
    '', '## Per skin (lowest over the states)', '',
    '| skin | main | equaliser | playlist | states compared |', '|---|---|---|---|---|',
    ...results.map((r) => `| ${r.name} | ${kWindowNames.map((w) => { const v = lowest([r], stateNames, w); return v === null ? r.error ?? '-' : `${v.toFixed(2)} %`; }).join(' | ')} | ${Object.keys(r.states).length} |`),
    '', '## Remaining differences', ''];
  for (const r of results) {
    if (r.error) lines.push(`- ${r.name}: ${r.error}`);
    for (const [st, windows] of Object.entries(r.states)) {
      for (const [w, c] of Object.entries(windows)) {
        for (const b of c.regions) lines.push(`- ${r.name} ${st} ${w}: ${b.n} px in x ${b.x0}-${b.x1}, y ${b.y0}-${b.y1}: ${explain(w, st, b, c.zoom)}`);
      }
    }
  }
  writeFileSync(join(work, 'renderer-report.md'), `${lines.join('\n')}\n`);
  console.log(`# report: ${join(work, 'renderer-report.md')}`);
  for (const r of results) {
    console.log(`# ${r.name.padEnd(28)} ${kWindowNames.map((w) => `${w} ${lowest([r], stateNames, w)?.toFixed(2) ?? '-'} %`).join('  ')}  (lowest of ${Object.keys(r.states).length} states)`);
  }
});

for (const skin of skinList()) {
  test(`${skin.name}: our rendering matches Webamp's in every state`, { timeout: 180_000 }, async () => {
    const result = { name: skin.name, states: {} };
    results.push(result);
    const failures = [];
    let first = null;
    try {
      skin.make();
      await player.photographStates(skin.name, zipFolder(skin.dir), kState, kStates, async (state, shown) => {
        const where = `${state.name} (Webamp ${shown.screenshotFile}`;
        assert.deepEqual(shown.problems, [], `${state.name}: the page reported problems`);
        assert.equal(shown.held.status, state.webamp.playing ? 'PLAYING' : 'STOPPED', `${state.name}: play state`);
        assert.equal(shown.held.doubled, !!state.webamp.double, `${state.name}: double size`);
        assert.equal(shown.held.focused, state.webamp.focus === undefined ? 'main' : state.webamp.focus, `${state.name}: focus`);
        const w = state.webamp;
        assert.deepEqual(shown.held.held, {
          shade: w.shade ?? [],
          open: ['main', ...(w.eqWindow === false ? [] : ['equalizer']), ...(w.playlistWindow === false ? [] : ['playlist'])],
          playlistSteps: w.playlistSteps ?? [0, 0],
          eqOn: !w.eqOff, eqAuto: !!w.eqAuto, shuffle: !!w.shuffle, repeat: !!w.repeat,
          timeMode: w.playing?.remaining ? 'REMAINING' : 'ELAPSED',
          timeElapsed: w.playing ? w.playing.elapsed : 0,
        }, `${state.name}: what Webamp's store holds`);
        const theirsChanged = first && !samePicture(shown.screenshot, first.theirs);
        const ourFile = join(outDir, `${skin.name}-${state.name}-ours.png`);
        runCli(['render', skin.dir, '--out', ourFile, ...(state.webamp.playing ? [] : ['--stopped']), ...kRenderArgs,
          '--playlist', tracks, ...state.args]);
        const ours = readPng(readFileSync(ourFile));
        // A state changes our picture of a skin where it changes Webamp's (some skins draw
        // the focused and unfocused bars alike); the last test checks each shows somewhere.
        if (first) {
          const oursChanged = !samePicture(ours, first.ours);
          assert.equal(oursChanged, theirsChanged, `${state.name}: Webamp's picture ${theirsChanged ? 'changes' : 'stays'} from ${kStates[0].name}, ours ${oursChanged ? 'changes' : 'stays'}`);
          if (theirsChanged) shownSomewhere.add(state.name);
        } else first = { theirs: shown.screenshot, ours };
        // Webamp's windows are stacked as ours are docked: the same rectangles in both pictures.
        const rects = Object.entries(shown.held.rects);
        assert.deepEqual(rects.map(([w]) => w), kWindowNames.filter((w) =>
          (w !== 'equalizer' || state.webamp.eqWindow !== false) && (w !== 'playlist' || state.webamp.playlistWindow !== false)),
        `${where}): the windows Webamp shows`);
        const size = { width: Math.max(...rects.map(([, r]) => r.w)), height: rects.reduce((h, [, r]) => h + r.h, 0) };
        const windows = {};
        result.states[state.name] = windows;
        if (ours.width !== size.width || ours.height !== size.height) {
          failures.push(`${state.name}: our picture is ${ours.width}x${ours.height}, Webamp's windows ${size.width}x${size.height} (${where}, ours ${ourFile})`);
          return;
        }
        for (const [window, r] of rects) {
          const zoom = state.webamp.double && window !== 'playlist' ? 2 : 1;
          const masks = kMasks[window].flatMap((m) => [m.at(shown.held)].flat()).filter(Boolean);
          const c = compareWindow(crop(ours, r.x, r.y, r.w, r.h), crop(shown.screenshot, r.x, r.y, r.w, r.h), masks);
          windows[window] = { ...c, zoom };
          if (c.percent < kTarget) failures.push(`${state.name} ${window}: ${c.percent.toFixed(2)} % of ${c.compared} pixels equal (${c.differing} differ; ${where}, ours ${ourFile})`);
        }
      });
      assert.equal(Object.keys(result.states).length, kStates.length, 'states compared');
      if (failures.length) assert.fail(`${skin.name}:\n  ${failures.join('\n  ')}`);
    } catch (e) {
      result.error ??= String(e.message).split('\n')[0];
      throw e;
    }
  });
}

test('every state shows on some skin', () => {
  assert.deepEqual(kStates.slice(1).map((st) => st.name).filter((n) => !shownSomewhere.has(n)), [],
    'states that changed no skin\'s picture from the first state');
});
