// A puzzle tile dragged with a finger: the touch reaches the core as a press, moves and a
// release at the canvas's own coordinates, and the page shows what the replay shows.
import assert from 'node:assert/strict';
import { test, before, after } from 'node:test';
import * as h from './harness.mjs';

let env;
before(async () => { env = await h.startBrowser(); });
after(async () => { await env?.close(); });

// The second window is narrower than the exercises' layout: shown at half its size, a touch's
// place on the screen is twice as far into the picture. The third, narrow and tall, is widened a
// little: the same window is shown larger, its picture kept.
const windows = [
  ['a window as wide as the layout', { width: 1024, height: 720 }, null, 1],
  ['a window half as wide, shown at half size', { width: 500, height: 720 }, null, 0.5],
  ['a narrow, tall window widened a little', { width: 500, height: 1000 }, { width: 520, height: 1000 }, 0.52],
];
for (const [name, viewport, widened, scale] of windows) {
  test(`a tile dragged by touch lands where the replay puts it: ${name}`, async (t) => {
    const context = await env.browser.newContext({ viewport, deviceScaleFactor: 1, hasTouch: true });
    try {
      const { page } = await h.openPage(env, { context });
      await h.pick(page, 'パズル', 737);
      await h.waitAsleep(page);
      await new Promise((resolve) => setTimeout(resolve, 300));  // steps slept through, handed over at the touch
      if (widened) {
        await page.setViewportSize(widened);
        await page.waitForFunction((width) => window.tavori.canvasSize().scale === width / 1000, widened.width);
        await h.expectSameAsReplay(t, env, page, 'touch-widened');
      }
      const { entries, shown } = await h.capture(page);
      // A point inside the topmost-leftmost tile: the first pixel of the picture that is not black.
      const first = shown.rgba.findIndex((value, at) => at % 4 !== 3 && value !== 0);
      assert.ok(first >= 0, 'the puzzle shows its tiles');
      const from = { x: ((first >> 2) % shown.width) + 8, y: Math.floor((first >> 2) / shown.width) + 8 };
      const to = { x: Math.min(from.x + 200, shown.width - 20), y: Math.min(from.y + 150, shown.height - 20) };

      const box = await page.locator('#screen').boundingBox();
      assert.equal(box.width, shown.width * scale);
      const cdp = await context.newCDPSession(page);
      const touch = (type, point) => cdp.send('Input.dispatchTouchEvent', {
        type,
        touchPoints: type === 'touchEnd' ? [] : [{ x: box.x + (point.x + 0.5) * scale, y: box.y + (point.y + 0.5) * scale, id: 1 }],
      });
      await touch('touchStart', from);
      const steps = 8;
      for (let step = 1; step <= steps; step++) {
        await touch('touchMove', { x: from.x + Math.round((to.x - from.x) * step / steps),
                                   y: from.y + Math.round((to.y - from.y) * step / steps) });
      }
      await touch('touchEnd', to);
      await page.waitForFunction((count) => JSON.parse(window.tavori.journal()).some((e, at) => at >= count && e[0] === 'up'),
                                 entries.length, { polling: 20 });

      const { entries: after, shown: dropped } = await h.expectSameAsReplay(t, env, page, 'touch-drag');
      const pointer = after.slice(entries.length).filter((entry) => ['down', 'move', 'up'].includes(entry[0]));
      assert.equal(after[entries.length][0], 'steps', 'the sleeping tick hands over its grid points at the touch');
      assert.deepEqual(pointer[0], ['down', from.x, from.y]);
      assert.deepEqual(pointer.at(-1), ['up', to.x, to.y]);
      assert.ok(pointer.filter((entry) => entry[0] === 'move').length >= steps - 1);
      // The tile came along: where the finger was lifted, a tile shows.
      const under = (to.y * dropped.width + to.x) * 4;
      assert.notDeepEqual([...dropped.rgba.subarray(under, under + 3)], [0, 0, 0]);
    } finally {
      await context.close();
    }
  });
}
