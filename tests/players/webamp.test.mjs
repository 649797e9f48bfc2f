// Skins made by vellumkit-cli, loaded into Webamp in headless Chromium: each must load cleanly,
// show our sheets' pixels where the player draws them, and use our playlist and
// visualisation colours. Run by ctest through run.sh, which installs the pinned packages.
import { describe, test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { copyFileSync, mkdirSync, readdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { work, runCli, openTestPlayer } from './lib/suite.mjs';
import { zipFolder } from './lib/server.mjs';
import { makeZip } from './lib/zip.mjs';
import { photoLikePicture } from './lib/picture.mjs';
import {
  readSkinFolder, checkFiles, checkSprites, checkScreen, checkVisColours, checkVisualiser, parsePlEdit, parseViscolor,
} from './lib/checks.mjs';
import { kSpriteByName } from './lib/skinFormat.mjs';

const skinsDir = join(work, 'skins');
const picturesDir = join(work, 'pictures');

const picture = (name) => join(picturesDir, name);

// Colours chosen to be unlike every default, so a colour that does not arrive shows.
const kColours = {
  winBackColour: '1A2B3C', winTextColour: 'E0C040', plNormalColour: '40E0A0', plCurrentColour: 'FFD0E0',
  plNormalBgColour: '102040', plSelectedBgColour: '604080', eqBackColour: '203010', eqForeColour: 'C0F080',
  eqHighlightColour: 'FF8040',
};
const kVisColours = { 1: 'FF0000', 8: '00FF80', 16: '0000FF', 17: 'FFFFFF' };
const kKnobs = { main: 'E04020', eq: '20C0E0', playlist: 'A0E020' };

const photos = ['--main', picture('photo-a.bmp')];
const kCases = [
  { name: 'default', args: [] },
  {
    name: 'photo-three-windows',
    args: [...photos, '--equaliser', picture('photo-b.bmp'), '--playlist', picture('photo-c.bmp'), '--layout', 'three-windows'],
  },
  { name: 'photo-two-plus-one', args: [...photos, '--playlist', picture('photo-c.bmp'), '--layout', 'two-plus-one'] },
  { name: 'photo-continuous', args: [...photos, '--layout', 'continuous'] },
  { name: 'buttons-only', args: [...photos, '--buttons-only'] },
  { name: 'sink-frame', args: [...photos, '--sink-frame'] },
  {
    name: 'colours',
    args: [...photos, ...Object.entries(kColours).flatMap(([k, v]) => ['--colour', `${k}=${v}`])],
    expect(skin) {
      const pl = parsePlEdit(skin.plEdit);
      assert.deepEqual(
        [pl.normal, pl.current, pl.normalbg, pl.selectedbg],
        ['plNormalColour', 'plCurrentColour', 'plNormalBgColour', 'plSelectedBgColour'].map((k) => `#${kColours[k]}`),
        'plEdit.txt does not carry the playlist colours given on the command line',
      );
      const vis = parseViscolor(skin.viscolor);
      assert.equal(vis[0], rgbText(kColours.winBackColour), 'viscolor.txt line 1 is not the window background colour');
    },
  },
  {
    name: 'vis-colours',
    args: [...photos, ...Object.entries(kVisColours).flatMap(([n, v]) => ['--vis-colour', `${n}=${v}`])],
    expect(skin) {
      const vis = parseViscolor(skin.viscolor);
      // Entries 1-16 are lines 3-18, entry 17 is line 24.
      for (const [n, colour] of Object.entries(kVisColours)) {
        const line = Number(n) === 17 ? 24 : Number(n) + 2;
        assert.equal(vis[line - 1], rgbText(colour), `viscolor.txt line ${line} is not visualisation colour ${n}`);
      }
    },
  },
  {
    name: 'knobs',
    args: [...photos, ...Object.entries(kKnobs).flatMap(([k, v]) => ['--knob', `${k}=${v}`])],
    expect(skin, skinFor) {
      // The restyled knobs must differ from the same picture's unstyled ones.
      for (const sprite of ['MAIN_VOLUME_THUMB', 'EQ_SLIDER_THUMB', 'PLAYLIST_SCROLL_HANDLE']) {
        assert.notDeepEqual(spritePixels(skin, sprite), spritePixels(skinFor('knob-reference'), sprite),
          `--knob left ${sprite} as it was`);
      }
    },
  },
  { name: 'templates', args: null },
];

const rgbText = (hex) => {
  const v = parseInt(hex, 16);
  return `rgb(${v >> 16},${(v >> 8) & 255},${v & 255})`;
};

function spritePixels(skin, name) {
  const s = kSpriteByName.get(name);
  const sheet = skin.sheets[s.file];
  const out = [];
  for (let y = s.y; y < s.y + s.h; ++y) out.push(Buffer.from(sheet.rgba.subarray((y * sheet.width + s.x) * 4, (y * sheet.width + s.x + s.w) * 4)).toString('hex'));
  return out;
}

// The template sheets as the skin writer names them.
const kTemplateFiles = {
  titleBarImage: 'titlebar.bmp', volumeWindow: 'volume.bmp', balanceWindow: 'balance.bmp', posBar: 'posBar.bmp',
  monoSter: 'monoSter.bmp', shufrep: 'shufRep.bmp', cButtons: 'cButtons.bmp', eqMain: 'eqMain.bmp',
  plEdit: 'plEdit.bmp', eqEx: 'eq_ex.bmp', playPaus: 'playPaus.bmp', text: 'text.bmp', nums_ex: 'nums_ex.bmp',
};

// An untouched template set, with the main window, viscolor.txt and plEdit.txt of the
// default skin (the templates have no main window of their own).
function assembleTemplateSkin(dir) {
  const templates = join(skinsDir, 'template-set');
  runCli(['templates', '--out', templates]);
  mkdirSync(dir, { recursive: true });
  for (const [template, file] of Object.entries(kTemplateFiles)) {
    copyFileSync(join(templates, `${template}.bmp`), join(dir, file));
  }
  const made = join(skinsDir, 'default');
  for (const file of ['main.bmp', 'viscolor.txt', 'plEdit.txt']) copyFileSync(join(made, file), join(dir, file));
}

describe('Webamp shows skins made by vellumkit-cli', { concurrency: false }, () => {
  let player;
  const skins = new Map();

  // Each case makes its skin on first use, so one failing command fails only its own case.
  function skinFor(name) {
    if (skins.has(name)) return skins.get(name);
    const dir = join(skinsDir, name);
    if (name === 'templates') {
      skinFor('default');
      assembleTemplateSkin(dir);
    }
    else if (name === 'knob-reference') runCli(['make', '--out', dir, ...photos]);
    else runCli(['make', '--out', dir, '--wsz', join(skinsDir, `${name}.wsz`), ...kCases.find((c) => c.name === name).args]);
    skins.set(name, readSkinFolder(dir));
    return skins.get(name);
  }

  before(async () => {
    rmSync(skinsDir, { recursive: true, force: true });
    mkdirSync(skinsDir, { recursive: true });
    mkdirSync(picturesDir, { recursive: true });
    ['photo-a.bmp', 'photo-b.bmp', 'photo-c.bmp'].forEach((name, hue) => writeFileSync(picture(name), photoLikePicture({ hue })));
    player = await openTestPlayer(join(work, 'screenshots'));
    console.log(`# Webamp ${player.webampVersion}, screenshots in ${join(work, 'screenshots')}`);
  });

  after(async () => {
    await player?.close();
  });

  // The checks themselves must see faults: the default skin, damaged on its way to the player.
  test('a damaged copy of a skin is caught', { timeout: 120_000 }, async () => {
    const skin = skinFor('default');
    const dir = join(skinsDir, 'default');
    const files = readdirSync(dir).map((name) => ({ name, data: readFileSync(join(dir, name)) }));
    const damage = {
      // One row lower: the seam the brief warns about.
      'main.bmp': (data) => Buffer.concat([data.subarray(0, 54), data.subarray(54 + 828), data.subarray(54, 54 + 828)]),
      'cButtons.bmp': null,
      'viscolor.txt': (data) => Buffer.from(data.toString('latin1').replace(/^(.*\r\n.*\r\n)\d+,/, '$1' + '7,'), 'latin1'),
      'plEdit.txt': (data) => Buffer.from(data.toString('latin1').replace(/SelectedBG=#\w{6}/, 'SelectedBG=#123456'), 'latin1'),
    };
    const damaged = files.filter((f) => damage[f.name] !== null).map((f) => ({ name: f.name, data: damage[f.name] ? damage[f.name](f.data) : f.data }));
    const shown = await player.show('damaged', 'folder', makeZip(damaged));
    const findings = [
      ...checkSprites(skin, shown.description),
      ...checkScreen(skin, shown.description, shown.screenshot),
      ...checkVisColours(skin, shown.description),
    ].join('\n');
    for (const expected of [
      /MAIN_WINDOW_BACKGROUND from main\.bmp .* differ, first at sheet \(0,0\)/,
      /main window: main\.bmp where nothing is drawn on top: \d+ pixel/,
      /cButtons\.bmp: Webamp took no sprite/,
      /main: div#play .* shows art that is not from this skin/,
      /viscolor\.txt line 3: Webamp uses rgb\(7,/,
      /playlist selectedbg: Webamp reads #123456/,
    ]) {
      assert.match(findings, expected);
    }
  });

  for (const c of kCases) {
    const variants = c.args === null ? ['folder'] : ['wsz', 'folder'];
    for (const variant of variants) {
      test(`${c.name} (${variant === 'wsz' ? 'the .wsz' : 'the unpacked files'})`, { timeout: 120_000 }, async () => {
        const skin = skinFor(c.name);
        const dir = join(skinsDir, c.name);
        const bytes = variant === 'wsz' ? readFileSync(join(skinsDir, `${c.name}.wsz`)) : zipFolder(dir);
        const shown = await player.show(c.name, variant, bytes);
        const findings = [
          ...shown.problems,
          ...checkFiles(skin),
          ...checkSprites(skin, shown.description),
          ...checkScreen(skin, shown.description, shown.screenshot),
          ...checkVisColours(skin, shown.description),
          ...checkVisualiser(skin, shown),
        ];
        if (findings.length) {
          assert.fail(`${c.name} in Webamp (screenshot ${shown.screenshotFile}):\n  ${findings.join('\n  ')}`);
        }
        if (c.expect && variant === 'folder') c.expect(skin, skinFor);
      });
    }
  }
});
