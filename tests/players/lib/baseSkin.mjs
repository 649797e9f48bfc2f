// Webamp's own base skin, rebuilt as a skin folder from its npm bundle: the bundle carries it
// as one style rule per sprite (a PNG data URL each), so each sprite is painted back where our
// sprite table says it sits in its sheet; viscolor.txt and plEdit.txt come from the bundle too.
import { mkdirSync, readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { writeBmp24 } from './bmp.mjs';
import { readPngDataUrl } from './png.mjs';
import { kSheets } from './skinFormat.mjs';

// A JavaScript literal of the bundle, from after `start` up to the first `end` after it, of
// which the first `keep` characters belong to the literal.
function bundleExpression(bundle, start, end, keep = end.length - 1) {
  const from = bundle.indexOf(start);
  if (from < 0) throw new Error(`the Webamp bundle has no '${start.trim()}': its layout changed`);
  const to = bundle.indexOf(end, from + start.length);
  if (to < 0) throw new Error(`the Webamp bundle's '${start.trim()}' does not end in '${end}'`);
  return new Function(`return (${bundle.slice(from + start.length, to + keep)});`)();
}

export function writeBaseSkin(bundlePath, dir) {
  const bundle = readFileSync(bundlePath, 'utf8');
  // The generated per-sprite rules are the first stylesheet; its rules read "#webamp SELECTOR {background-image: url(...)}".
  const css = bundleExpression(bundle, 'var css_248z = ', '";\n', 1);
  const selectors = bundleExpression(bundle, 'const imageSelectors = ', '\n\t};');
  const images = bundleExpression(bundle, 'var images = ', '\n\t};');
  const colours = bundleExpression(bundle, 'var colors = ', '\n\t];');
  const style = bundleExpression(bundle, 'var playlistStyle = ', '\n\t};');
  const urlBySelector = new Map();
  for (const m of css.matchAll(/#webamp ([^{}]+?) \{background-image: url\((data:image\/png;base64,[^)]+)\)\}/g)) urlBySelector.set(m[1], m[2]);
  mkdirSync(dir, { recursive: true });
  const unmatched = [];
  for (const [file, sheet] of Object.entries(kSheets)) {
    const rgba = new Uint8Array(sheet.width * sheet.height * 4);
    for (const s of sheet.sprites) {
      const code = /^CHARACTER_(\d+)$/.exec(s.name);
      const wanted = code ? [`.character-${code[1]}`] : selectors[s.name] || [];
      const url = images[s.name] || wanted.map((sel) => urlBySelector.get(sel)).find(Boolean);
      if (!url) {
        unmatched.push(s.name);
        continue;
      }
      const img = readPngDataUrl(url);
      for (let y = 0; y < img.height && s.y + y < sheet.height; ++y) {
        for (let x = 0; x < img.width && s.x + x < sheet.width; ++x) {
          rgba.set(img.rgba.subarray((y * img.width + x) * 4, (y * img.width + x) * 4 + 4), ((s.y + y) * sheet.width + s.x + x) * 4);
        }
      }
    }
    writeFileSync(join(dir, file), writeBmp24(sheet.width, sheet.height, rgba));
  }
  writeFileSync(join(dir, 'viscolor.txt'), colours.map((c) => `${/\d+,\d+,\d+/.exec(c)[0]}\r\n`).join(''));
  writeFileSync(join(dir, 'plEdit.txt'),
    `[Text]\r\nNormal=${style.normal}\r\nCurrent=${style.current}\r\nNormalBG=${style.normalbg}\r\nSelectedBG=${style.selectedbg}\r\nFont=${style.font}\r\n`);
  return { unmatched };
}
