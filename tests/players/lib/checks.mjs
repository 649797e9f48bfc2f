// What a skin must look like in the player. Each check returns a list of findings (empty when
// all is well) so that one run reports every fault of a skin at once, with coordinates.
import { existsSync, readFileSync } from 'node:fs';
import { join } from 'node:path';
import { readBmp } from './bmp.mjs';
import { readPngDataUrl } from './png.mjs';
import { kSheets, kSkinFiles, kSpriteByName, kPlacements, kMainOwnAreas, kEqOwnAreas, kFrameOrigins } from './skinFormat.mjs';
import { kStage } from './player.mjs';

const kWindowOrigin = { main: [0, 0], equalizer: [0, 116], playlist: [0, 232] };
const kWindowBackground = { main: 'MAIN_WINDOW_BACKGROUND', equalizer: 'EQ_WINDOW_BACKGROUND' };
// The range inputs draw their knob as a pseudo-element we cannot ask the page about: we look
// for it on the screen instead. A stopped player hides the seek knob.
const kRangeThumbs = {
  '#volume input': { sprite: 'MAIN_VOLUME_THUMB', required: true },
  '#balance': { sprite: 'MAIN_BALANCE_THUMB', required: true },
  '#position': { sprite: 'MAIN_POSITION_SLIDER_THUMB', required: false },
};

const hex = (r, g, b) => [r, g, b].map((v) => v.toString(16).padStart(2, '0')).join('').toUpperCase();
const pixelText = (p) => `#${hex(p[0], p[1], p[2])}${p[3] === 255 ? '' : ` alpha ${p[3]}`}`;

export function readSkinFolder(dir) {
  const missing = kSkinFiles.filter((name) => !existsSync(join(dir, name)));
  if (missing.length) throw new Error(`${dir} lacks ${missing.join(', ')}`);
  const sheets = {};
  for (const name of Object.keys(kSheets)) sheets[name] = readBmp(readFileSync(join(dir, name)), name);
  return {
    dir,
    sheets,
    viscolor: readFileSync(join(dir, 'viscolor.txt'), 'latin1'),
    plEdit: readFileSync(join(dir, 'plEdit.txt'), 'latin1'),
  };
}

function sheetPixel(sheet, x, y) {
  if (x < 0 || y < 0 || x >= sheet.width || y >= sheet.height) return null;
  const o = (y * sheet.width + x) * 4;
  return sheet.rgba.subarray(o, o + 4);
}

function screenPixel(shot, x, y) {
  const o = (y * shot.width + x) * 4;
  return shot.rgba.subarray(o, o + 4);
}

const samePixel = (a, b) => a[0] === b[0] && a[1] === b[1] && a[2] === b[2] && a[3] === b[3];

// Collects mismatches of one comparison and words them as one finding.
class Tally {
  constructor(what) {
    this.what = what;
    this.count = 0;
    this.first = null;
  }
  miss(where, got, want) {
    if (this.count++ === 0) this.first = `${where}: shows ${pixelText(got)}, expected ${pixelText(want)}`;
  }
  report(findings) {
    if (this.count) findings.push(`${this.what}: ${this.count} pixel(s) differ, first at ${this.first}`);
  }
}

// The files on disk against the sheet sizes players cut from.
export function checkFiles(skin) {
  const findings = [];
  for (const [name, want] of Object.entries(kSheets)) {
    const got = skin.sheets[name];
    if (got.width !== want.width || got.height !== want.height) {
      findings.push(`${name} is ${got.width}x${got.height}, players cut from a ${want.width}x${want.height} sheet`);
    }
    // Chromium reads the fourth byte of a 32-bit BMP as alpha when it varies.
    if (got.bits === 32 && got.fourthBytes.size > 1) {
      findings.push(`${name}: the fourth byte varies (${[...got.fourthBytes].slice(0, 5).join(', ')}), Webamp shows it as transparency`);
    }
  }
  return findings;
}

// Every sprite Webamp cut from our sheets must be our pixels at the format's rectangle, opaque.
export function checkSprites(skin, description) {
  const findings = [];
  for (const [file, sheetFormat] of Object.entries(kSheets)) {
    const sheet = skin.sheets[file];
    const absent = sheetFormat.sprites.filter((s) => !description.skinImages[s.name]).map((s) => s.name);
    if (absent.length) {
      findings.push(`${file}: Webamp took ${absent.length === sheetFormat.sprites.length ? 'no sprite' : `not ${absent.join(', ')}`} from this skin (the sheet did not load)`);
    }
    for (const sprite of sheetFormat.sprites) {
      const url = description.skinImages[sprite.name];
      if (!url) continue;
      const image = readPngDataUrl(url);
      if (image.width !== sprite.w || image.height !== sprite.h) {
        findings.push(`${sprite.name} is ${image.width}x${image.height} in Webamp, expected ${sprite.w}x${sprite.h}`);
        continue;
      }
      const tally = new Tally(`${sprite.name} from ${file} (${sprite.x},${sprite.y},${sprite.w}x${sprite.h})`);
      for (let v = 0; v < sprite.h; ++v) {
        for (let u = 0; u < sprite.w; ++u) {
          const o = (v * sprite.w + u) * 4;
          const got = image.rgba.subarray(o, o + 4);
          // Past the sheet's edge the player finds nothing: transparent.
          const want = sheetPixel(sheet, sprite.x + u, sprite.y + v) ?? [got[0], got[1], got[2], 0];
          if (want[3] === 0 ? got[3] !== 0 : !samePixel(got, want)) {
            tally.miss(`sheet (${sprite.x + u},${sprite.y + v})`, got, want);
          }
        }
      }
      tally.report(findings);
    }
  }
  return findings;
}

function parseOffset(value, box, image) {
  const m = /^(-?[\d.]+)(px|%)$/.exec(value);
  if (!m) return null;
  return m[2] === 'px' ? Number(m[1]) : (Number(m[1]) / 100) * (box - image);
}

// The sheet pixel an element shows at (u, v) of its own box, or null where its background
// does not reach (the page shows whatever lies beneath).
function spritePixelAt(skin, sprite, child, u, v) {
  const [px, py] = child.backgroundPosition.split(' ');
  const ox = parseOffset(px, child.w, sprite.w);
  const oy = parseOffset(py, child.h, sprite.h);
  if (ox === null || oy === null) throw new Error(`cannot read background-position ${child.backgroundPosition}`);
  let sx = u - ox;
  let sy = v - oy;
  const repeat = child.backgroundRepeat;
  if (repeat === 'repeat' || repeat === 'repeat-x') sx = ((sx % sprite.w) + sprite.w) % sprite.w;
  if (repeat === 'repeat' || repeat === 'repeat-y') sy = ((sy % sprite.h) + sprite.h) % sprite.h;
  if (sx < 0 || sy < 0 || sx >= sprite.w || sy >= sprite.h) return null;
  return sheetPixel(skin.sheets[sprite.file], sprite.x + sx, sprite.y + sy);
}

const integral = (r) => [r.x, r.y, r.w, r.h].every(Number.isInteger);
const inside = (r, x, y) => x >= r.x && y >= r.y && x < r.x + r.w && y < r.y + r.h;
const selectorOf = (c) => `${c.tag}${c.id ? `#${c.id}` : ''}${c.cls ? `.${c.cls.trim().split(/\s+/).join('.')}` : ''}`;

function findThumb(shot, skin, origin, input, sprite) {
  const sheet = skin.sheets[sprite.file];
  const matches = [];
  for (let y = input.y; y + sprite.h <= input.y + input.h; ++y) {
    for (let x = input.x; x + sprite.w <= input.x + input.w; ++x) {
      let same = true;
      for (let v = 0; v < sprite.h && same; ++v) {
        for (let u = 0; u < sprite.w && same; ++u) {
          same = samePixel(screenPixel(shot, origin[0] + x + u, origin[1] + y + v), sheetPixel(sheet, sprite.x + u, sprite.y + v));
        }
      }
      if (same) matches.push({ x, y, w: sprite.w, h: sprite.h });
    }
  }
  return matches;
}

// What the screen shows, window by window: the background sheet wherever nothing is drawn on
// top, each sprite at the format's place with our pixels, the playlist in our colours.
export function checkScreen(skin, description, shot) {
  const findings = [];
  if (shot.width !== kStage.width || shot.height !== kStage.height) {
    return [`screenshot is ${shot.width}x${shot.height}, expected ${kStage.width}x${kStage.height}`];
  }
  for (const [name, [wx, wy]] of Object.entries(kWindowOrigin)) {
    const win = description.windows[name];
    if (!win) {
      findings.push(`the ${name} window is not on the page`);
      continue;
    }
    const r = win.rect;
    if (r.x !== wx || r.y !== wy || r.w !== 275 || r.h !== 116) {
      findings.push(`the ${name} window is at (${r.x},${r.y}) ${r.w}x${r.h}, expected (${wx},${wy}) 275x116`);
      continue;
    }
    findings.push(...checkWindow(skin, name, win, shot));
  }
  findings.push(...checkPlaylistColours(skin, description, shot));
  return findings;
}

function checkWindow(skin, name, win, shot) {
  const findings = [];
  const origin = kWindowOrigin[name];
  const children = win.children;
  // Covers: what is visible of every painted element, except that range inputs cover only
  // their own background sprite, if any, and their knob.
  const covers = children.map((c) => (c.tag === 'input' && c.sprites.length === 0 ? null : c.clip));
  for (const [i, c] of children.entries()) {
    if (c.tag !== 'input') continue;
    const key = Object.keys(kRangeThumbs).find((k) => matchesKey(c, k, children, i));
    if (!key) {
      findings.push(`${name}: unexpected slider ${selectorOf(c)}`);
      covers[i] = c.clip;
      continue;
    }
    const sprite = kSpriteByName.get(kRangeThumbs[key].sprite);
    const found = findThumb(shot, skin, origin, c, sprite);
    if (found.length === 0 && kRangeThumbs[key].required) {
      findings.push(`${name}: ${sprite.name} (${sprite.file} ${sprite.x},${sprite.y}) is not drawn anywhere on ${key} at (${c.x},${c.y}) ${c.w}x${c.h}`);
    }
    c.thumb = found[0] ?? null;
  }
  const coverRects = (from) =>
    covers.slice(from).filter(Boolean).concat(children.slice(from).filter((c) => c.thumb).map((c) => c.thumb));

  // The window's own background wherever nothing covers it.
  const background = kWindowBackground[name] && kSpriteByName.get(kWindowBackground[name]);
  if (background) {
    const all = coverRects(0).map((c) => ({ x: Math.floor(c.x), y: Math.floor(c.y), w: Math.ceil(c.x + c.w) - Math.floor(c.x), h: Math.ceil(c.y + c.h) - Math.floor(c.y) }));
    const sheet = skin.sheets[background.file];
    const tally = new Tally(`${name} window: ${background.file} where nothing is drawn on top`);
    let shown = 0;
    for (let y = 0; y < 116; ++y) {
      for (let x = 0; x < 275; ++x) {
        if (all.some((c) => inside(c, x, y))) continue;
        ++shown;
        const want = sheetPixel(sheet, background.x + x, background.y + y);
        const got = screenPixel(shot, origin[0] + x, origin[1] + y);
        if (!samePixel(got, want)) tally.miss(`window (${x},${y})`, got, want);
      }
    }
    tally.report(findings);
    const own = name === 'main' ? kMainOwnAreas : kEqOwnAreas;
    for (const area of own) {
      const over = all.find((c) => c.x < area.x + area.w && area.x < c.x + c.w && c.y < area.y + area.h && area.y < c.y + c.h);
      if (over) findings.push(`${name}: the ${area.what} (${area.x},${area.y},${area.w}x${area.h}) should show ${background.file} alone, but something is drawn at (${over.x},${over.y}) ${over.w}x${over.h}`);
    }
    if (shown < 2000) findings.push(`${name}: only ${shown} pixels of ${background.file} are left uncovered; the page is not what this test expects`);
  }

  for (const [i, c] of children.entries()) {
    if (c.sprites.length === 0) continue;
    if (c.sprites[0] === 'unknown') {
      findings.push(`${name}: ${selectorOf(c)} at (${c.x},${c.y}) shows art that is not from this skin (Webamp fell back to its own)`);
      continue;
    }
    const known = c.sprites.map((s) => kSpriteByName.get(s)).filter(Boolean);
    if (known.length === 0) continue;
    // Identical art gives one picture several names: any name that fits the place will do.
    const places = known.map((s) => kPlacements[name]?.[s.name]);
    if (places.every(Boolean) && !places.some((list) => list.some(([x, y]) => x === c.x && y === c.y))) {
      findings.push(`${name}: ${c.sprites.join('/')} is drawn at (${c.x},${c.y}), the format puts it at ${places.flat().slice(0, 2).map(([x, y]) => `(${x},${y})`).join(' or ')}`);
    }
    const frames = kFrameOrigins[known[0].name];
    if (frames) {
      const [px, py] = c.backgroundPosition.split(' ').map((v) => -parseOffset(v, 0, 0));
      if (!frames.some(([fx, fy]) => fx === px && fy === py)) {
        findings.push(`${name}: ${selectorOf(c)} shows ${known[0].name} from (${px},${py}), which is no frame origin of the format`);
      }
    }
    if (c.tag === 'canvas') continue;  // the graph draws its curve over the sprite
    if (!integral(c)) {
      findings.push(`${name}: ${selectorOf(c)} sits on a fractional pixel (${c.x},${c.y}) ${c.w}x${c.h}`);
      continue;
    }
    const sprite = known[0];
    const above = coverRects(i + 1).filter((o) => o !== c.clip);
    if (c.thumb) above.push(c.thumb);
    const tally = new Tally(`${name}: ${sprite.name} (${sprite.file} ${sprite.x},${sprite.y}) on ${selectorOf(c)} at (${c.x},${c.y})`);
    for (let v = 0; v < c.h; ++v) {
      for (let u = 0; u < c.w; ++u) {
        const x = c.x + u, y = c.y + v;
        if (!inside(c.clip, x, y) || x < 0 || y < 0 || x >= 275 || y >= 116) continue;
        if (above.some((o) => inside(o, x, y))) continue;
        const want = spritePixelAt(skin, sprite, c, u, v);
        if (!want) continue;
        const got = screenPixel(shot, origin[0] + x, origin[1] + y);
        if (!samePixel(got, want)) tally.miss(`window (${x},${y})`, got, want);
      }
    }
    tally.report(findings);
  }
  return findings;
}

function matchesKey(child, key, children, index) {
  if (key === '#volume input') {
    return !child.id && children.slice(0, index).some((c) => c.id === 'volume' && inside(c, child.x, child.y));
  }
  return `#${child.id}` === key;
}

export function parsePlEdit(text) {
  const lines = text.split('\r\n');
  if (lines.at(-1) !== '') throw new Error('plEdit.txt does not end with CR LF');
  const colours = {};
  for (const line of lines.slice(1, -1)) {
    const m = /^(\w+)=#([0-9A-F]{6})$/.exec(line);
    if (m) colours[m[1].toLowerCase()] = `#${m[2]}`;
  }
  if (lines[0] !== '[Text]') throw new Error(`plEdit.txt starts with "${lines[0]}"`);
  return colours;
}

export function parseViscolor(text) {
  const lines = text.split('\r\n');
  if (lines.at(-1) !== '') throw new Error('viscolor.txt does not end with CR LF');
  lines.pop();
  if (lines.length !== 24) throw new Error(`viscolor.txt has ${lines.length} lines, players read 24`);
  return lines.map((line, i) => {
    const m = /^(\d{1,3}),(\d{1,3}),(\d{1,3}),$/.exec(line);
    if (!m || m.slice(1).some((v) => Number(v) > 255)) throw new Error(`viscolor.txt line ${i + 1} reads "${line}"`);
    return `rgb(${m[1]},${m[2]},${m[3]})`;
  });
}

const cssRgb = (hexColour) => {
  const v = parseInt(hexColour.slice(1), 16);
  return `rgb(${v >> 16}, ${(v >> 8) & 255}, ${v & 255})`;
};
const rgbBytes = (hexColour) => {
  const v = parseInt(hexColour.slice(1), 16);
  return [v >> 16, (v >> 8) & 255, v & 255, 255];
};

// The visualiser colours Webamp reads are the 24 lines we wrote, in order.
export function checkVisColours(skin, description) {
  const findings = [];
  const want = parseViscolor(skin.viscolor);
  want.forEach((colour, i) => {
    if (description.skinColors[i] !== colour) findings.push(`viscolor.txt line ${i + 1}: Webamp uses ${description.skinColors[i]}, the file says ${colour}`);
  });
  return findings;
}

function checkPlaylistColours(skin, description, shot) {
  const findings = [];
  const want = parsePlEdit(skin.plEdit);
  for (const key of ['normal', 'current', 'normalbg', 'selectedbg']) {
    if (!want[key]) {
      findings.push(`plEdit.txt has no ${key} colour`);
      continue;
    }
    const got = description.skinPlaylistStyle?.[key];
    if (!got || got.toUpperCase() !== want[key]) findings.push(`playlist ${key}: Webamp reads ${got}, plEdit.txt says ${want[key]}`);
  }
  if (findings.length) return findings;
  const style = description.playlistStyle;
  if (style.color !== cssRgb(want.normal)) findings.push(`playlist text is ${style.color}, expected Normal ${want.normal}`);
  if (style.backgroundColor !== cssRgb(want.normalbg)) findings.push(`playlist background is ${style.backgroundColor}, expected NormalBG ${want.normalbg}`);

  // Rows: the first track is current, the second selected, the third plain.
  const titles = description.tracks.filter((t) => /Track$/.test(t.text));
  if (titles.length !== 3) return [...findings, `the playlist shows ${titles.length} track titles, expected 3`];
  const [current, selected, plain] = titles;
  if (!current.className.includes('current') || current.color !== cssRgb(want.current)) {
    findings.push(`the current track is ${current.color} (${current.className}), expected Current ${want.current}`);
  }
  if (!selected.className.includes('selected') || selected.backgroundColor !== cssRgb(want.selectedbg)) {
    findings.push(`the selected track's background is ${selected.backgroundColor} (${selected.className}), expected SelectedBG ${want.selectedbg}`);
  }
  const [px, py] = kWindowOrigin.playlist;
  const rowChecks = [
    { track: current, text: want.current, back: want.normalbg, what: 'current track' },
    { track: selected, text: want.normal, back: want.selectedbg, what: 'selected track' },
    { track: plain, text: want.normal, back: want.normalbg, what: 'plain track' },
  ];
  for (const { track, text, back, what } of rowChecks) {
    // Background: the row between the end of the title and the duration column.
    const y = Math.floor(track.rect.y + track.rect.h / 2);
    const x0 = Math.ceil(track.textRect.x + track.textRect.w) + 3;
    const x1 = Math.min(Math.floor(track.rect.x + track.rect.w), 230);
    const tally = new Tally(`playlist ${what} background ${back}`);
    for (let x = x0; x < x1; ++x) {
      const got = screenPixel(shot, px + x, py + y);
      if (!samePixel(got, rgbBytes(back))) tally.miss(`window (${x},${y})`, got, rgbBytes(back));
    }
    if (x1 - x0 < 20) findings.push(`playlist ${what}: no room to sample the background between x ${x0} and ${x1}`);
    tally.report(findings);
    // Text: antialiased glyphs, so every pixel must be the background blended towards the
    // text colour by one amount for all three channels, and the strokes must come close to it.
    findings.push(...checkTextBlend(shot, px, py, track.textRect, rgbBytes(back), rgbBytes(text), `playlist ${what} title in ${text}`));
  }
  return findings;
}

function checkTextBlend(shot, ox, oy, rect, back, fore, what) {
  const findings = [];
  const span = [0, 1, 2].map((k) => fore[k] - back[k]);
  const norm = span.reduce((n, d) => n + d * d, 0);
  if (norm < 3 * 40 * 40) return [`${what}: text and background colours are too close to tell apart`];
  let strongest = 0, stray = null, strays = 0;
  for (let y = Math.floor(rect.y); y < Math.ceil(rect.y + rect.h); ++y) {
    for (let x = Math.floor(rect.x); x < Math.ceil(rect.x + rect.w); ++x) {
      const p = screenPixel(shot, ox + x, oy + y);
      const a = [0, 1, 2].reduce((n, k) => n + (p[k] - back[k]) * span[k], 0) / norm;
      const off = [0, 1, 2].some((k) => Math.abs(back[k] + a * span[k] - p[k]) > 4);
      if (off && strays++ === 0) stray = `window (${x},${y}) is ${pixelText(p)}`;
      if (!off) strongest = Math.max(strongest, a);
    }
  }
  if (strays) findings.push(`${what}: ${strays} pixel(s) are no blend of text and background, first ${stray}`);
  if (strongest < 0.6) findings.push(`${what}: the glyphs reach only ${Math.round(strongest * 100)}% of the text colour`);
  return findings;
}

// The visualiser of a playing (silent) track: Webamp fills it with line 1 of viscolor.txt and
// dots every other pixel of every other row in line 2; silence draws no bars.
export function checkVisualiser(skin, shown) {
  const findings = [];
  const colours = parseViscolor(skin.viscolor).map((c) => [...c.slice(4, -1).split(',').map(Number), 255]);
  const r = shown.visRect;
  if (r.x !== 24 || r.y !== 43 || r.w !== 76 || r.h !== 16) {
    return [`the visualiser is at (${r.x},${r.y}) ${r.w}x${r.h}, the format puts it at (24,43) 76x16`];
  }
  const tally = new Tally('visualiser of a silent track in viscolor.txt lines 1 and 2');
  for (let y = 0; y < 16; ++y) {
    for (let x = 0; x < 76; ++x) {
      const want = x % 2 === 0 && y % 2 === 1 ? colours[1] : colours[0];
      const got = screenPixel(shown.visualiser, x, y);
      if (!samePixel(got, want)) tally.miss(`window (${24 + x},${43 + y})`, got, want);
    }
  }
  tally.report(findings);
  return findings;
}
