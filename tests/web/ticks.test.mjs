// 600 ticks of speed reading at ０．１秒: the ticks keep to one 100 ms grid for a minute, each in
// the first frame at or after its grid point, and each tick's page stands for the same number of
// frames. Where the browser itself delivered no
// frames for a while (the machine busy elsewhere), the grid points it slept through are passed
// over by design; those stretches are told apart and not held against the page.
import assert from 'node:assert/strict';
import { test, before, after } from 'node:test';
import * as h from './harness.mjs';

let env;
before(async () => { env = await h.startBrowser(); });
after(async () => { await env?.close(); });

const ticks = 600;

// One minute of ticks and every frame meanwhile, and what they say.
async function measure(page) {
  await page.evaluate(() => window.tavori.frames(true));
  const from = await h.tickCount(page);
  await h.waitTicks(page, ticks + 1, from);
  await page.evaluate(() => window.tavori.frames(false));
  const tickTimes = (await page.evaluate(() => window.tavori.tickTimes())).slice(from, from + ticks + 1);
  const frameTimes = await page.evaluate(() => window.tavori.frameTimes());
  const gaps = frameTimes.slice(1).map((time, at) => time - frameTimes[at]);
  const frame = [...gaps].sort((a, b) => a - b)[gaps.length >> 1];

  // The grid point each tick belongs to, counted from the first tick's: a tick runs well under
  // half a period after its point, or, after a stall, after the last point the stall passed, so
  // even a late first tick does not shift the count.
  const gridPoints = tickTimes.map((time) => Math.round((time - tickTimes[0]) / 100));
  const intervals = tickTimes.slice(0, ticks).map((start, at) => {
    const end = tickTimes[at + 1];
    const frames = frameTimes.filter((time) => time >= start && time < end).length;
    // Steady: the browser's frames came one after another from the frame before the tick on.
    const steady = frameTimes.every((time, index) => index === 0 || time < start - frame || frameTimes[index - 1] > end ||
                                                  time - frameTimes[index - 1] < 1.5 * frame);
    // Grid points from this tick to the next: 1, or more where some were passed over.
    const points = gridPoints[at + 1] - gridPoints[at];
    return { frames, steady, points };
  });
  const steady = intervals.filter((interval) => interval.steady);
  const histogram = {};
  for (const { frames } of steady) histogram[frames] = (histogram[frames] ?? 0) + 1;
  const [usual = 0, usualTicks = 0] = Object.entries(histogram).sort((a, b) => b[1] - a[1])[0] ?? [];
  const points = gridPoints[ticks];
  // A tick in the first frame at or after grid point G + 100 n puts that point after the frame
  // before it and at or before its own. The clock reads to 0.1 ms with a jitter, so where the
  // frames' phase crosses the grid's a tick can fall a frame late: the G that most ticks agree on,
  // and how many miss it.
  const windows = tickTimes.map((time, at) => {
    const point = gridPoints[at];
    // The tick's own frame may read a little apart in the recorder: the clock is coarsened.
    const before = frameTimes.findLast((frameTime) => frameTime < time - 1) ?? -Infinity;
    return { start: before - 100 * point - 0.3, end: time - 100 * point };
  });
  let gridFit = 0;
  let grid = 0;
  for (const { end: candidate } of windows) {
    const fit = windows.filter(({ start, end }) => start < candidate && candidate <= end).length;
    if (fit > gridFit) [gridFit, grid] = [fit, candidate];
  }
  const missed = windows.filter(({ start, end }) => !(start < grid && grid <= end));
  return { tickTimes, frame, intervals, steady, histogram, usual: Number(usual), usualTicks, points,
           gridFit, grid, missed, span: tickTimes[ticks] - tickTimes[0], longestGap: Math.max(...gaps) };
}

test('600 ticks keep to the 100 ms grid and show each page for the same frames', { timeout: 200_000 }, async (t) => {
  const { page, context } = await h.openPage(env);
  try {
    await h.pick(page, '表示時間', 251);    // ０．１秒
    await h.pick(page, '速読み練習', 725);  // ５行表示
    let run = await measure(page);
    if (run.steady.length < 0.9 * ticks) {
      t.diagnostic(`the browser's frames stalled around ${ticks - run.steady.length} ticks; measuring again`);
      run = await measure(page);
    }
    const { frame, intervals, steady, histogram, usual, usualTicks, points, gridFit, grid, missed, span, longestGap } = run;
    t.diagnostic(`600 ticks in ${span.toFixed(3)} ms over ${points} grid points; frames every ${frame.toFixed(3)} ms ` +
                 `(median, ${(1000 / frame).toFixed(2)} Hz), the longest gap ${longestGap.toFixed(1)} ms`);
    t.diagnostic(`frames per tick where the browser's frames were steady (${steady.length} ticks): ` +
                 `${JSON.stringify(histogram)}; one 100 ms grid fits ${gridFit} of ${ticks + 1} ticks, ` +
                 `the others late by ${JSON.stringify(missed.map(({ end }) => Number((end - grid).toFixed(1))))} ms`);

    assert.ok(steady.length >= 0.9 * ticks, `the browser's frames stalled around ${ticks - steady.length} of ${ticks} ticks`);
    // Every tick in the first frame at or after its grid point, but for at most 1 % a frame late.
    assert.ok(gridFit >= 0.99 * (ticks + 1), `only ${gridFit} of ${ticks + 1} ticks in the first frame at or after their point`);
    assert.ok(missed.every(({ end }) => end - grid <= frame + 1), 'a tick was more than a frame late');
    // A grid point is passed over only where the browser gave no frame for it.
    assert.deepEqual(intervals.filter((interval) => interval.steady && interval.points !== 1), []);
    assert.equal(usual, Math.round(100 / frame));
    assert.ok(usualTicks >= 0.99 * steady.length, `only ${usualTicks} of ${steady.length} ticks had ${usual} frames`);
  } finally {
    await context.close();
  }
});
