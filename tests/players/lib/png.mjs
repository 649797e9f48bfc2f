// Decodes the non-interlaced PNGs that Chromium writes (screenshots and canvas data URLs) and the
// packed palette PNGs of Webamp's base skin (1, 2 and 4 bits a pixel).
import { inflateSync } from 'node:zlib';

export function readPng(buf) {
  const signature = '89504e470d0a1a0a';
  if (buf.subarray(0, 8).toString('hex') !== signature) throw new Error('not a PNG file');
  let pos = 8;
  let width = 0, height = 0, depth = 8, colourType = 0, palette = null, transparency = null;
  const idat = [];
  while (pos < buf.length) {
    const length = buf.readUInt32BE(pos);
    const type = buf.toString('latin1', pos + 4, pos + 8);
    const data = buf.subarray(pos + 8, pos + 8 + length);
    if (type === 'IHDR') {
      width = data.readUInt32BE(0);
      height = data.readUInt32BE(4);
      depth = data[8];
      colourType = data[9];
      const packed = depth < 8 && (colourType === 0 || colourType === 3);
      if ((depth !== 8 && !packed) || data[12] !== 0) throw new Error(`PNG depth ${depth}, interlace ${data[12]} not handled`);
    } else if (type === 'PLTE') palette = data;
    else if (type === 'tRNS') transparency = data;
    else if (type === 'IDAT') idat.push(data);
    else if (type === 'IEND') break;
    pos += 12 + length;
  }
  const channels = { 0: 1, 2: 3, 3: 1, 4: 2, 6: 4 }[colourType];
  if (!channels) throw new Error(`PNG colour type ${colourType} not handled`);
  const raw = inflateSync(Buffer.concat(idat));
  const stride = Math.ceil((width * channels * depth) / 8);
  const step = Math.max(1, (channels * depth) / 8);
  let pixels = Buffer.alloc(stride * height);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    const line = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    const out = y * stride;
    for (let i = 0; i < stride; ++i) {
      const a = i >= step ? pixels[out + i - step] : 0;
      const b = y > 0 ? pixels[out - stride + i] : 0;
      const c = y > 0 && i >= step ? pixels[out - stride + i - step] : 0;
      let v = line[i];
      if (filter === 1) v += a;
      else if (filter === 2) v += b;
      else if (filter === 3) v += (a + b) >> 1;
      else if (filter === 4) {
        const p = a + b - c, pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
        v += pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
      } else if (filter !== 0) throw new Error(`PNG filter ${filter}`);
      pixels[out + i] = v & 255;
    }
  }
  if (depth < 8) {
    // One byte a pixel from here on; rows start on whole bytes.
    const unpacked = Buffer.alloc(width * height);
    for (let y = 0; y < height; ++y) {
      for (let x = 0; x < width; ++x) {
        const bit = x * depth;
        unpacked[y * width + x] = (pixels[y * stride + (bit >> 3)] >> (8 - depth - (bit & 7))) & ((1 << depth) - 1);
      }
    }
    if (colourType === 0) for (let i = 0; i < unpacked.length; ++i) unpacked[i] = (unpacked[i] * 255) / ((1 << depth) - 1);
    pixels = unpacked;
  }
  const rgba = new Uint8Array(width * height * 4);
  for (let i = 0; i < width * height; ++i) {
    const s = i * channels, o = i * 4;
    if (colourType === 6) { rgba.set(pixels.subarray(s, s + 4), o); continue; }
    if (colourType === 2) { rgba.set(pixels.subarray(s, s + 3), o); rgba[o + 3] = 255; continue; }
    if (colourType === 3) {
      const k = pixels[s];
      rgba[o] = palette[k * 3]; rgba[o + 1] = palette[k * 3 + 1]; rgba[o + 2] = palette[k * 3 + 2];
      rgba[o + 3] = transparency && k < transparency.length ? transparency[k] : 255;
      continue;
    }
    rgba[o] = rgba[o + 1] = rgba[o + 2] = pixels[s];
    rgba[o + 3] = colourType === 4 ? pixels[s + 1] : 255;
  }
  return { width, height, rgba };
}

export function readPngDataUrl(url) {
  const prefix = 'data:image/png;base64,';
  if (!url.startsWith(prefix)) throw new Error(`not a PNG data URL: ${url.slice(0, 40)}`);
  return readPng(Buffer.from(url.slice(prefix.length), 'base64'));
}
