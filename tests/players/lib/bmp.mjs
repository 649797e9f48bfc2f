// Reads and writes the uncompressed 24- and 32-bit Windows bitmaps that skins are made of.
// Pixels come back as RGBA bytes, top row first, so they compare directly with canvas data.

export function readBmp(buf, name = 'bitmap') {
  if (buf.length < 54 || buf.toString('latin1', 0, 2) !== 'BM') throw new Error(`${name}: not a BMP file`);
  const dataOffset = buf.readUInt32LE(10);
  const headerSize = buf.readUInt32LE(14);
  const width = buf.readInt32LE(18);
  const rawHeight = buf.readInt32LE(22);
  const bits = buf.readUInt16LE(28);
  const compression = buf.readUInt32LE(30);
  if (headerSize < 40) throw new Error(`${name}: header of ${headerSize} bytes`);
  if (compression !== 0) throw new Error(`${name}: compression ${compression}, expected none`);
  if (bits !== 24 && bits !== 32) throw new Error(`${name}: ${bits} bits per pixel, expected 24 or 32`);
  const height = Math.abs(rawHeight);
  const bytesPerPixel = bits / 8;
  const stride = Math.ceil((width * bytesPerPixel) / 4) * 4;
  if (dataOffset + stride * height > buf.length) throw new Error(`${name}: pixel data is cut short`);
  const rgba = new Uint8Array(width * height * 4);
  const fourthBytes = new Set();
  for (let y = 0; y < height; ++y) {
    const row = dataOffset + stride * (rawHeight > 0 ? height - 1 - y : y);
    for (let x = 0; x < width; ++x) {
      const p = row + x * bytesPerPixel;
      const o = (y * width + x) * 4;
      rgba[o] = buf[p + 2];
      rgba[o + 1] = buf[p + 1];
      rgba[o + 2] = buf[p];
      rgba[o + 3] = 255;
      if (bits === 32) fourthBytes.add(buf[p + 3]);
    }
  }
  return { width, height, bits, rgba, fourthBytes };
}

export function writeBmp24(width, height, rgba) {
  const stride = Math.ceil((width * 3) / 4) * 4;
  const buf = Buffer.alloc(54 + stride * height);
  buf.write('BM', 0, 'latin1');
  buf.writeUInt32LE(buf.length, 2);
  buf.writeUInt32LE(54, 10);
  buf.writeUInt32LE(40, 14);
  buf.writeInt32LE(width, 18);
  buf.writeInt32LE(height, 22);
  buf.writeUInt16LE(1, 26);
  buf.writeUInt16LE(24, 28);
  buf.writeUInt32LE(stride * height, 34);
  for (let y = 0; y < height; ++y) {
    const row = 54 + stride * (height - 1 - y);
    for (let x = 0; x < width; ++x) {
      const o = (y * width + x) * 4;
      buf[row + x * 3] = rgba[o + 2];
      buf[row + x * 3 + 1] = rgba[o + 1];
      buf[row + x * 3 + 2] = rgba[o];
    }
  }
  return buf;
}
