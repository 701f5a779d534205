// 600 ticks of speed reading at ０．１秒: each step runs at its point of one 100 ms grid, so the
// minute does not drift, and each page is shown in the first frame at or after its point, so each
// stands for the same number of frames. Where the browser itself delivered no frames for a while
// (the machine busy elsewhere), the grid points it slept through are passed over by design;
// those stretches are told apart and not held against the page.
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
  await h.waitTicks(page, ticks + 2, from);
  await page.evaluate(() => window.tavori.frames(false));
  const { times, points, shownAt } = await page.evaluate((from) => ({
    times: window.tavori.tickTimes().slice(from), points: window.tavori.tickPoints().slice(from),
    shownAt: Object.fromEntries(window.tavori.tickShown()) }), from);
  const frameTimes = await page.evaluate(() => window.tavori.frameTimes());
  const gaps = frameTimes.slice(1).map((time, at) => time - frameTimes[at]);
  const frame = [...gaps].sort((a, b) => a - b)[gaps.length >> 1];
  // The recorder's callbacks in a frame are given the same timestamp as the page's.
  const firstFrameFrom = (time) => frameTimes.find((frameTime) => frameTime >= time);

  const pages = points.slice(0, ticks).map((point, at) => {
    const next = points[at + 1];
    const shown = shownAt[point];
    const nextShown = shownAt[next];
    const frames = frameTimes.filter((time) => time >= shown && time < nextShown).length;
    // Steady: the browser's frames came one after another from the point to the next page's.
    const steady = frameTimes.every((time, index) => index === 0 || time < point - frame || frameTimes[index - 1] > nextShown ||
                                                  time - frameTimes[index - 1] < 1.5 * frame);
    // Frames late: 0 where the page came in the first frame at or after its point.
    const late = Math.round((shown - firstFrameFrom(point)) / frame);
    return { frames, steady, late, step: times[at] - point, points: Math.round((next - point) / 100) };
  });
  const steady = pages.filter((one) => one.steady);
  const histogram = {};
  for (const { frames } of steady) histogram[frames] = (histogram[frames] ?? 0) + 1;
  const [usual = 0, usualTicks = 0] = Object.entries(histogram).sort((a, b) => b[1] - a[1])[0] ?? [];
  return { frame, pages, steady, histogram, usual: Number(usual), usualTicks, span: times[ticks] - times[0],
           gridSpan: points[ticks] - points[0], longestGap: Math.max(...gaps) };
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
    const { frame, pages, steady, histogram, usual, usualTicks, span, gridSpan, longestGap } = run;
    const lateness = steady.map((one) => one.step).sort((x, y) => x - y);
    const framesLate = steady.filter((one) => one.late !== 0);
    t.diagnostic(`600 steps in ${span.toFixed(3)} ms for a grid of ${gridSpan.toFixed(3)} ms; each after its point by ` +
                 `${lateness[0].toFixed(2)}–${lateness.at(-1).toFixed(2)} ms (median ${lateness[lateness.length >> 1].toFixed(2)})`);
    t.diagnostic(`frames every ${frame.toFixed(3)} ms (median, ${(1000 / frame).toFixed(2)} Hz), the longest gap ` +
                 `${longestGap.toFixed(1)} ms; frames per page where they were steady (${steady.length} pages): ` +
                 `${JSON.stringify(histogram)}; pages a frame late: ${JSON.stringify(framesLate.map((one) => one.late))}`);

    assert.ok(steady.length >= 0.9 * ticks, `the browser's frames stalled around ${ticks - steady.length} of ${ticks} ticks`);
    // The steps keep to the grid: none before its point, none a frame after it, so nothing adds up.
    assert.ok(lateness[0] >= 0, `a step ran ${-lateness[0]} ms before its point`);
    assert.ok(lateness.at(-1) < frame, `a step ran ${lateness.at(-1)} ms after its point`);
    // A grid point is passed over only where the browser gave no frame for it.
    assert.deepEqual(steady.filter((one) => one.points !== 1), []);
    // Every page in the first frame at or after its grid point, but for at most 1 % a frame late.
    assert.ok(framesLate.length <= 0.01 * steady.length, `${framesLate.length} of ${steady.length} pages came late`);
    assert.ok(framesLate.every((one) => one.late === 1), 'a page came more than a frame late, or early');
    assert.equal(usual, Math.round(100 / frame));
    assert.ok(usualTicks >= 0.99 * steady.length, `only ${usualTicks} of ${steady.length} pages had ${usual} frames`);
  } finally {
    await context.close();
  }
});
