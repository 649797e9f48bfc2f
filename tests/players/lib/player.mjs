// Drives Debian's Chromium through playwright-core: one fresh page per skin, Webamp loads the
// skin from our server, and we keep what the page reported, what went wrong and a screenshot.
import { createRequire } from 'node:module';
import { mkdirSync, readFileSync, writeFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { startServer } from './server.mjs';
import { readPng } from './png.mjs';

// The three windows stacked: main, equaliser, playlist (see page/index.html).
export const kStage = { width: 275, height: 348 };

export async function openPlayer({ modulesDir, pageDir, screenshotDir, chromiumPath = '/usr/bin/chromium' }) {
  const require = createRequire(join(modulesDir, 'noop.js'));
  const { chromium } = require('playwright-core');
  // The UMD build: a plain script that defines window.Webamp.
  const webampBundle = require.resolve('webamp');
  const webampVersion = JSON.parse(readFileSync(join(dirname(webampBundle), '..', 'package.json'), 'utf8')).version;
  mkdirSync(screenshotDir, { recursive: true });

  const server = await startServer({ pageDir, webampBundle });
  let browser;
  try {
    browser = await chromium.launch({
      executablePath: chromiumPath,
      // Colours must reach the screenshot untouched, one CSS pixel to one screen pixel.
      args: ['--force-color-profile=srgb', '--disable-lcd-text', '--autoplay-policy=no-user-gesture-required'],
    });
  } catch (e) {
    await server.close();
    throw new Error(`cannot start ${chromiumPath} through playwright-core: ${e.message}`);
  }

  // A fresh page with Webamp on the skin served at `path`; `fn` gets the page and the list of
  // problems the page reported.
  async function withSkinPage(path, zipBytes, fn, viewport = { width: 400, height: 400 }) {
    server.serve(path, () => zipBytes);
    const problems = [];
    const page = await browser.newPage({ viewport, deviceScaleFactor: 1 });
    page.on('console', (m) => {
      if (m.type() === 'error' || m.type() === 'assert') problems.push(`console ${m.type()}: ${m.text()}`);
    });
    page.on('pageerror', (e) => problems.push(`page error: ${e.message}`));
    page.on('requestfailed', (r) => problems.push(`request failed: ${r.url()} ${r.failure()?.errorText}`));
    page.on('response', (r) => {
      if (r.status() >= 400) problems.push(`HTTP ${r.status()} for ${r.url()}`);
    });
    page.on('dialog', async (d) => {
      problems.push(`dialog: ${d.message()}`);
      await d.dismiss();
    });
    try {
      await page.goto(`${server.origin}/`);
      await page.evaluate((url) => window.loadSkin(url), path);
      return await fn(page, problems);
    } finally {
      await page.close();
    }
  }

  async function show(caseName, variant, zipBytes) {
    return withSkinPage(`/skins/${caseName}/${variant}.wsz`, zipBytes, async (page, problems) => {
      await page.evaluate(() => window.selectTrack(1));
      // The screenshot must show the page as described: take both again if it changed between.
      let description, png;
      for (let attempt = 0; ; ++attempt) {
        description = await page.evaluate(() => window.describe());
        png = await page.screenshot({ clip: { x: 0, y: 0, ...kStage } });
        const after = await page.evaluate(() => window.describe());
        if (JSON.stringify(after.windows) === JSON.stringify(description.windows)) break;
        if (attempt === 3) throw new Error('the player kept changing while being photographed');
      }
      const file = join(screenshotDir, `${caseName}-${variant}.png`);
      writeFileSync(file, png);
      const visRect = await page.evaluate(() => window.playForVisualiser());
      const visualiser = readPng(await page.screenshot({ clip: { x: visRect.x, y: visRect.y, width: visRect.w, height: visRect.h } }));
      return { problems, description, screenshot: readPng(png), screenshotFile: file, visRect, visualiser };
    });
  }

  // The skin in a fixed state (see window.holdState): a screenshot of the stage and where
  // each window and each text the browser draws lies.
  async function photograph(caseName, zipBytes, state) {
    return withSkinPage(`/skins/${caseName}/held.wsz`, zipBytes, async (page, problems) => {
      const held = await page.evaluate((s) => window.holdState(s), state);
      const png = await page.screenshot({ clip: { x: 0, y: 0, ...kStage } });
      const file = join(screenshotDir, `${caseName}-held.png`);
      writeFileSync(file, png);
      return { problems, held, screenshot: readPng(png), screenshotFile: file };
    });
  }

  // The skin held as photograph() holds it, then put into each state in turn on the same page
  // (see window.showState); `each(state, shot)` gets every state's screenshot of all the open
  // windows and where they and the browser's texts lie, and may be async.
  async function photographStates(caseName, zipBytes, base, states, each) {
    // Room for the doubled windows and a resized playlist.
    return withSkinPage(`/skins/${caseName}/states.wsz`, zipBytes, async (page, problems) => {
      await page.evaluate((s) => window.holdState(s), base);
      for (const state of states) {
        const held = await page.evaluate((s) => window.showState(s), state.webamp);
        const width = Math.max(...Object.values(held.rects).map((r) => r.x + r.w));
        const height = Math.max(...Object.values(held.rects).map((r) => r.y + r.h));
        const png = await page.screenshot({ clip: { x: 0, y: 0, width, height } });
        const file = join(screenshotDir, `${caseName}-${state.name}.png`);
        writeFileSync(file, png);
        await each(state, { problems: [...problems], held, screenshot: readPng(png), screenshotFile: file });
      }
    }, { width: 640, height: 720 });
  }

  return {
    webampVersion,
    show,
    photograph,
    photographStates,
    async close() {
      await browser.close();
      await server.close();
    },
  };
}
