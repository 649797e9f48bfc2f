// Photo-like test pictures drawn from code, the same bytes on every run: a sky that fades to
// the horizon, a sun, two mountain ranges, a lake with ripples and a little grain.
import { writeBmp24 } from './bmp.mjs';

export function photoLikePicture({ width = 320, height = 240, hue = 0 } = {}) {
  const rgba = new Uint8Array(width * height * 4);
  let seed = 12345 + hue * 7919;
  const grain = () => {
    seed = (seed * 1103515245 + 12345) & 0x7fffffff;
    return ((seed >> 16) % 13) - 6;
  };
  const shift = (r, g, b) => {
    // Rotate the channels a little per picture so the three windows differ.
    const k = hue % 3;
    return k === 0 ? [r, g, b] : k === 1 ? [g, b, r] : [b, r, g];
  };
  const horizon = Math.round(height * 0.62);
  const sun = { x: width * 0.7, y: height * 0.3, r: height * 0.09 };
  for (let y = 0; y < height; ++y) {
    for (let x = 0; x < width; ++x) {
      let r, g, b;
      const far = horizon - 40 + 18 * Math.sin(x / 23) + 9 * Math.sin(x / 7 + 1);
      const near = horizon - 15 + 22 * Math.sin(x / 41 + 2) + 5 * Math.sin(x / 5);
      if (y < horizon) {
        const t = y / horizon;
        [r, g, b] = [40 + 200 * t, 70 + 110 * t, 160 - 60 * t];
        const d = Math.hypot(x - sun.x, y - sun.y);
        if (d < sun.r) [r, g, b] = [255, 230, 120];
        else if (d < sun.r * 2.5) {
          const glow = 1 - (d - sun.r) / (sun.r * 1.5);
          r += (255 - r) * glow * 0.6; g += (220 - g) * glow * 0.5;
        }
        if (y > far) [r, g, b] = [90 - (y - far), 80 - (y - far) / 2, 110];
        if (y > near) [r, g, b] = [30 + (x % 17), 60 + ((x * 3) % 23), 35];
      } else {
        const depth = (y - horizon) / (height - horizon);
        const ripple = Math.sin(y * 1.7 + Math.sin(x / 9) * 2) > 0.6 ? 30 : 0;
        [r, g, b] = [20 + 60 * depth + ripple, 60 + 50 * depth + ripple, 110 + 60 * depth + ripple];
        if (Math.abs(x - sun.x) < sun.r * (1 - depth) && ripple) [r, g, b] = [250, 210, 120];
      }
      const n = grain();
      const o = (y * width + x) * 4;
      const [cr, cg, cb] = shift(r + n, g + n, b + n);
      rgba[o] = Math.max(0, Math.min(255, Math.round(cr)));
      rgba[o + 1] = Math.max(0, Math.min(255, Math.round(cg)));
      rgba[o + 2] = Math.max(0, Math.min(255, Math.round(cb)));
      rgba[o + 3] = 255;
    }
  }
  return writeBmp24(width, height, rgba);
}
