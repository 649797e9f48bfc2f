// A small web server on 127.0.0.1 for the player page, Webamp's bundle and the skins under test.
import { createServer } from 'node:http';
import { readFileSync, readdirSync } from 'node:fs';
import { join } from 'node:path';
import { makeZip } from './zip.mjs';

// Thirty seconds of 8 kHz mono silence: tracks that load without a network, and play long
// enough for the visualiser to be seen.
function silenceWav() {
  const samples = 8000 * 30;
  const buf = Buffer.alloc(44 + samples);
  buf.write('RIFF', 0, 'latin1');
  buf.writeUInt32LE(36 + samples, 4);
  buf.write('WAVEfmt ', 8, 'latin1');
  buf.writeUInt32LE(16, 16);
  buf.writeUInt16LE(1, 20);
  buf.writeUInt16LE(1, 22);
  buf.writeUInt32LE(8000, 24);
  buf.writeUInt32LE(8000, 28);
  buf.writeUInt16LE(1, 32);
  buf.writeUInt16LE(8, 34);
  buf.write('data', 36, 'latin1');
  buf.writeUInt32LE(samples, 40);
  buf.fill(128, 44);
  return buf;
}

// Zips the files of an unpacked skin folder at request time.
export function zipFolder(dir) {
  const names = readdirSync(dir).sort();
  return makeZip(names.map((name) => ({ name, data: readFileSync(join(dir, name)) })));
}

export function startServer({ pageDir, webampBundle }) {
  const routes = new Map([
    ['/', { type: 'text/html', body: () => readFileSync(join(pageDir, 'index.html')) }],
    ['/harness.js', { type: 'text/javascript', body: () => readFileSync(join(pageDir, 'harness.js')) }],
    ['/webamp.js', { type: 'text/javascript', body: () => readFileSync(webampBundle) }],
    ['/silence.wav', { type: 'audio/wav', body: silenceWav }],
  ]);
  const server = createServer((req, res) => {
    const route = routes.get(new URL(req.url, 'http://127.0.0.1').pathname);
    if (!route || req.method !== 'GET') {
      res.writeHead(404, { 'Content-Type': 'text/plain' });
      res.end(`no such file: ${req.url}\n`);
      return;
    }
    try {
      const body = route.body();
      res.writeHead(200, { 'Content-Type': route.type, 'Content-Length': body.length, 'Cache-Control': 'no-store' });
      res.end(body);
    } catch (e) {
      res.writeHead(500, { 'Content-Type': 'text/plain' });
      res.end(String(e));
    }
  });
  return new Promise((resolve, reject) => {
    server.once('error', reject);
    server.listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      resolve({
        origin: `http://127.0.0.1:${port}`,
        // Serves a file (a .wsz) or a folder zipped on the fly at the given path.
        serve(path, makeBody) {
          routes.set(path, { type: 'application/zip', body: makeBody });
        },
        close: () => new Promise((done) => server.close(done)),
      });
    });
  });
}
