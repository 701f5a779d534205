// The browser tests' common ground: the site served on the loopback, headless Chromium, the page's
// test hooks, the native replay of its journal, and the comparison of the two pictures.
import { spawn, execFile } from 'node:child_process';
import { mkdtempSync, writeFileSync, readFileSync, mkdirSync, copyFileSync, rmSync, existsSync } from 'node:fs';
import { createServer } from 'node:net';
import { tmpdir } from 'node:os';
import { join, dirname, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { promisify } from 'node:util';
import assert from 'node:assert/strict';
import { chromium } from 'playwright-core';
import pngjs from 'pngjs';

const repository = resolve(dirname(fileURLToPath(import.meta.url)), '..', '..');
export const site = process.env.TAVORI_WEB_SITE ?? join(repository, 'build/web/site');
export const replayTool = process.env.TAVORI_REPLAY ?? join(repository, 'build/default/bin/tavori_replay');
// Pictures of a failed comparison go here, to be looked at.
export const outputDir = process.env.TAVORI_WEB_TEST_OUTPUT ?? join(repository, 'build/web/test-output');
export const fixtures = join(dirname(fileURLToPath(import.meta.url)), 'fixtures');
// The page fetches these from the site at start-up; the replay reads the same copies.
const bundled = ['w.txt', 'tvr.tvr3', 'pa.dat', '最初にお読みください.html'];

export const SEED = 20261208;

async function freePort() {
  return new Promise((done, fail) => {
    const server = createServer();
    server.once('error', fail);
    server.listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      server.close(() => done(port));
    });
  });
}

// The site on a free loopback port, as a static host serves it.
async function serveSite() {
  if (!existsSync(join(site, 'index.html'))) throw new Error(`no site at ${site}: build the preset web first`);
  for (let attempt = 0; ; attempt++) {
    const port = await freePort();
    const server = spawn('python3', ['-m', 'http.server', '--bind', '127.0.0.1', String(port), '--directory', site],
                         { stdio: 'ignore' });
    let exited = false;
    server.once('exit', () => { exited = true; });
    const base = `http://127.0.0.1:${port}`;
    for (let wait = 0; wait < 100 && !exited; wait++) {
      try {
        const answer = await fetch(`${base}/index.html`);
        if (answer.ok) return { base, stop: () => server.kill() };
      } catch { /* not listening yet */ }
      await new Promise((done) => setTimeout(done, 50));
    }
    server.kill();
    // Another program took the port between the look and the bind: try another.
    if (attempt >= 3) throw new Error('the static server did not start');
  }
}

// One server and one browser for a test file; `close()` ends both.
export async function startBrowser() {
  const server = await serveSite();
  const browser = await chromium.launch({
    executablePath: process.env.TAVORI_CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    args: [
      '--no-sandbox',  // root in a container has no user namespace for the sandbox
      // A page in a headless window is never hidden or occluded: nothing may slow its frames.
      '--disable-background-timer-throttling',
      '--disable-renderer-backgrounding',
      '--disable-backgrounding-occluded-windows',
    ],
  });
  const dataDir = mkdtempSync(join(tmpdir(), 'tavori-data-'));
  for (const name of bundled) copyFileSync(join(site, name), join(dataDir, name));
  return {
    base: server.base,
    browser,
    dataDir,
    async close() {
      await browser.close();
      server.stop();
      rmSync(dataDir, { recursive: true, force: true });
    },
  };
}

// A page in test mode at a given window size, after its first picture.
export async function openPage(env, { seed = SEED, width = 1024, height = 720, context, options = {} } = {}) {
  const ownContext = context ?? await env.browser.newContext({ viewport: { width, height }, deviceScaleFactor: 1, ...options });
  const page = await ownContext.newPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(String(error)));
  await page.goto(`${env.base}/index.html?seed=${seed}`);
  await page.evaluate(() => window.tavori.ready);
  return { page, context: ownContext, seed, errors };
}

export const journal = async (page) => JSON.parse(await page.evaluate(() => window.tavori.journal()));
export const tickCount = async (page) => page.evaluate(() => window.tavori.tickTimes().length);

// Waits until `count` more ticks have run than `from` (the count now when not given). Ticks
// come at most every 100 ms, so most of the wait is slept through: asking the page over and over
// keeps its main thread busy, and its timers late.
export async function waitTicks(page, count, from) {
  const start = from ?? await tickCount(page);
  await new Promise((resolve) => setTimeout(resolve, Math.max(0, (count - 5) * 100)));
  await page.waitForFunction((target) => window.tavori.tickTimes().length >= target, start + count,
                             { polling: 20, timeout: 20000 + count * 200 });
}

// Waits until the tick sleeps: steps have shown they repeat what is on screen (a question's
// answer rows, scattered tiles), so no tick runs until the next input.
export async function waitAsleep(page) {
  await page.waitForFunction(() => window.tavori.asleep(), null, { polling: 20, timeout: 20000 });
}

// The journal and the picture it led to, read in one go: no tick or event can run between them,
// and the page puts every call's drawing on the canvas before the call returns.
export async function capture(page) {
  const { text, size, rgba } = await page.evaluate(() => ({
    text: window.tavori.journal(), size: window.tavori.canvasSize(), rgba: window.tavori.pictureRGBA(),
  }));
  return { entries: JSON.parse(text), shown: { ...size, rgba: Buffer.from(rgba, 'base64') } };
}

// Runs the native replay over a journal; `stored` is the storage at start-up by stored-file name,
// `close` closes the window after the last entry, as leaving the page does.
export async function replay(env, entries, { seed = SEED, stored, close = false } = {}) {
  const dir = mkdtempSync(join(tmpdir(), 'tavori-replay-'));
  try {
    const args = ['--seed', String(seed), '--journal', join(dir, 'journal.json'), '--data', env.dataDir,
                  '--out', join(dir, 'out.json'), '--picture', join(dir, 'out.rgba'),
                  '--stored-out', join(dir, 'stored-out.json')];
    if (close) args.push('--close');
    writeFileSync(join(dir, 'journal.json'), JSON.stringify(entries));
    if (stored) {
      const files = Object.fromEntries(Object.entries(stored).map(([name, bytes]) => [name, Buffer.from(bytes).toString('base64')]));
      writeFileSync(join(dir, 'stored.json'), JSON.stringify(files));
      args.push('--stored', join(dir, 'stored.json'));
    }
    await promisify(execFile)(replayTool, args, { maxBuffer: 1 << 20 });
    const result = JSON.parse(readFileSync(join(dir, 'out.json'), 'utf8'));
    result.rgba = readFileSync(join(dir, 'out.rgba'));
    result.stored = Object.fromEntries(Object.entries(JSON.parse(readFileSync(join(dir, 'stored-out.json'), 'utf8')))
      .map(([name, base64]) => [name, Buffer.from(base64, 'base64')]));
    return result;
  } finally {
    rmSync(dir, { recursive: true, force: true });
  }
}

// How the page's picture differs from the replay's. Outside text cells every pixel is the same;
// inside one, the page's pixels are the cell's background or a blend towards its ink; a whole
// cell shows ink exactly where the raster has its glyph mark and leaves its corners as background.
export function comparePictures(shown, replayed) {
  const problems = [];
  const note = (text) => { if (problems.length < 20) problems.push(text); };
  if (shown.ratio !== 1 || shown.width !== replayed.width || shown.height !== replayed.height) {
    note(`size ${shown.width}×${shown.height} at ${shown.ratio} against ${replayed.width}×${replayed.height}`);
    return { problems, differing: Infinity, cellsChecked: 0 };
  }
  const { width, height } = replayed;
  const glyphArea = new Int32Array(width * height);
  replayed.cells.forEach((cell, index) => {
    for (const [x, y, w, h] of cell.parts) {
      for (let row = y; row < y + h; row++) glyphArea.fill(index + 1, row * width + x, row * width + x + w);
    }
  });
  let differing = 0;
  for (let at = 0; at < width * height; at++) {
    if (glyphArea[at] !== 0) continue;
    const o = at * 4;
    if (shown.rgba[o] !== replayed.rgba[o] || shown.rgba[o + 1] !== replayed.rgba[o + 1] ||
        shown.rgba[o + 2] !== replayed.rgba[o + 2] || shown.rgba[o + 3] !== 255) {
      if (differing++ < 5) {
        note(`pixel (${at % width}, ${Math.floor(at / width)}) is ${[...shown.rgba.subarray(o, o + 4)]}, ` +
             `the replay's ${[...replayed.rgba.subarray(o, o + 3)]}`);
      }
    }
  }
  if (differing > 5) note(`${differing} pixels outside text cells differ in all`);

  let cellsChecked = 0;
  for (const cell of replayed.cells) {
    const { bg, fg } = cell;
    let ink = false;
    let stray = null;
    const exactlyBackground = (x, y) => {
      const o = (y * width + x) * 4;
      return shown.rgba[o] === bg[0] && shown.rgba[o + 1] === bg[1] && shown.rgba[o + 2] === bg[2];
    };
    for (const [x, y, w, h] of cell.parts) {
      for (let row = y; row < y + h; row++) {
        for (let column = x; column < x + w; column++) {
          const o = (row * width + column) * 4;
          if (!exactlyBackground(column, row)) ink = true;
          for (let channel = 0; channel < 3; channel++) {
            const value = shown.rgba[o + channel];
            const low = Math.min(bg[channel], fg[channel]) - 1;
            const high = Math.max(bg[channel], fg[channel]) + 1;
            if ((value < low || value > high || shown.rgba[o + 3] !== 255) && stray === null) {
              stray = `(${column}, ${row}) is ${[...shown.rgba.subarray(o, o + 4)]}`;
            }
          }
        }
      }
    }
    const where = `the cell at (${cell.x}, ${cell.y}) ${cell.w}×${cell.h}`;
    if (stray !== null) note(`${where} has a pixel neither its background ${bg} nor towards its ink ${fg}: ${stray}`);
    const expectInk = cell.glyph && cell.ink;
    if (cell.whole) {
      cellsChecked++;
      if (ink !== expectInk) note(`${where} ${ink ? 'shows ink' : 'shows no ink'}; the replay's ${expectInk ? 'has' : 'has none'}`);
      const corners = [[cell.x, cell.y], [cell.x + cell.w - 1, cell.y], [cell.x, cell.y + cell.h - 1],
                       [cell.x + cell.w - 1, cell.y + cell.h - 1]];
      if (cell.glyph && !corners.every(([x, y]) => exactlyBackground(x, y))) {
        note(`${where} does not show its background ${bg} at every corner`);
      }
    } else if (!cell.glyph && ink) {
      // What is left of a cut glyph may hold no stroke, even around its centre: only a blank
      // character's part is known.
      note(`${where}, a blank character cut by later drawing, shows ink`);
    }
  }
  return { problems, differing, cellsChecked };
}

// Writes the page's picture, the replay's and their difference as PNGs for a failed comparison.
export function keepPictures(name, shown, replayed) {
  mkdirSync(outputDir, { recursive: true });
  const { width, height } = replayed;
  const diff = Buffer.alloc(width * height * 4);
  for (let at = 0; at < width * height * 4; at += 4) {
    const same = shown.rgba[at] === replayed.rgba[at] && shown.rgba[at + 1] === replayed.rgba[at + 1] &&
                 shown.rgba[at + 2] === replayed.rgba[at + 2];
    diff.set(same ? [0, 0, 0, 255] : [255, 0, 255, 255], at);
  }
  for (const [suffix, rgba, w, h] of [['page', shown.rgba, shown.width * shown.ratio, shown.height * shown.ratio],
                                      ['replay', replayed.rgba, width, height], ['diff', diff, width, height]]) {
    writeFileSync(join(outputDir, `${name}-${suffix}.png`), pngjs.PNG.sync.write({ width: w, height: h, data: rgba }));
  }
}

// Compares the page's picture now with the replay of its journal so far; asserts with the findings.
export async function expectSameAsReplay(t, env, page, name, { seed = SEED, stored } = {}) {
  const { entries, shown } = await capture(page);
  const replayed = await replay(env, entries, { seed, stored });
  const { problems, cellsChecked } = comparePictures(shown, replayed);
  if (problems.length > 0) keepPictures(name, shown, replayed);
  t.diagnostic(`${name}: ${replayed.cells.length} text cells (${cellsChecked} whole), ${entries.length} journal entries`);
  if (problems.length > 0) {
    throw new Error(`${name}: the page differs from the replay (pictures in ${outputDir}):\n  ${problems.join('\n  ')}`);
  }
  return { entries, shown, replayed };
}

// The exercise area as the screen shows it: a screenshot of its box, with its place on the page.
export async function areaOnScreen(page) {
  const box = await page.locator('#area').boundingBox();
  const { width, height, data } = pngjs.PNG.sync.read(await page.screenshot({ clip: box }));
  return { box, width, height, rgba: data };
}

// The area as the screen shows it against what the program drew: the canvas's own pixels where
// it stands, black around it. Throws with the first pixels that differ (a focus ring, say).
export async function expectAreaAsDrawn(page, name) {
  await waitAsleep(page);
  const area = await areaOnScreen(page);
  const { rgba, canvas } = await page.evaluate(() => {
    const element = document.getElementById('screen');
    const box = element.getBoundingClientRect();
    return { rgba: window.tavori.pictureRGBA(), canvas: { x: box.x, y: box.y, width: element.width, height: element.height,
                                                          shownAs: [box.width, box.height] } };
  });
  assert.deepEqual(canvas.shownAs, [canvas.width, canvas.height], 'the canvas is shown one pixel for one');
  const drawn = Buffer.from(rgba, 'base64');
  const [left, top] = [canvas.x - area.box.x, canvas.y - area.box.y];
  const wrong = [];
  for (let y = 0; y < area.height; y++) {
    for (let x = 0; x < area.width; x++) {
      const inside = x >= left && x < left + canvas.width && y >= top && y < top + canvas.height;
      const expected = inside ? [...drawn.subarray(((y - top) * canvas.width + x - left) * 4, ((y - top) * canvas.width + x - left) * 4 + 3)] : [0, 0, 0];
      const seen = [...area.rgba.subarray((y * area.width + x) * 4, (y * area.width + x) * 4 + 3)];
      if (seen.some((value, channel) => value !== expected[channel])) wrong.push(`(${x}, ${y}) ${seen} for ${expected}`);
    }
  }
  assert.deepEqual(wrong.slice(0, 5), [], `${name}: ${wrong.length} pixels of the area are not what the program drew`);
}

// Picks a menu item with the mouse: its pop-up by label, then the item by command id.
export async function pick(page, popup, id) {
  await page.locator('#menubar > li > button', { hasText: popup }).click();
  await page.locator(`#menubar [data-id="${id}"]`).click();
}

// The page's own entries of one kind, e.g. every ["command", id].
export const entriesOf = (entries, kind) => entries.filter((entry) => entry[0] === kind);

// Every pop-up opened in turn: each item's mark and state as the page shows them, against the
// replay of the same calls.
export async function expectMarksAsReplay(env, page, options = {}) {
  const replayed = await replay(env, await journal(page), options);
  for (const popup of await page.locator('#menubar > li > button').all()) {
    await popup.click();
    const items = await page.locator('#menubar [role="menu"]:not([hidden]) button').evaluateAll((buttons) =>
      buttons.map((button) => ({
        id: Number(button.dataset.id),
        checked: button.getAttribute('aria-checked'),
        disabled: button.getAttribute('aria-disabled') === 'true',
        role: button.getAttribute('role'),
      })));
    for (const item of items) {
      const marked = item.role !== 'menuitem';
      assert.equal(item.checked, marked ? String(replayed.checked.includes(item.id)) : null, `item ${item.id}`);
      assert.equal(item.disabled, replayed.unavailable.includes(item.id), `item ${item.id} greyed`);
    }
    await page.keyboard.press('Escape');
  }
  await page.keyboard.press('Escape');
  return replayed;
}
