// The page's tick against a browser of the test's own (clock, timers, screen frames, a tab that
// hides) and a core with the 100 ms grid: every page in the first frame at or after its grid
// point, every point stepped once, the frame asked for ahead taking a late timer's step, a
// hidden tab passing over its points, and a sleeping tick arming nothing. Runs under node alone.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { test } from 'node:test';

// The page's own file, as the page loads it (node takes a .js outside a module package as CommonJS).
const source = readFileSync(new URL('../../src/platform/web/page/ticker.js', import.meta.url), 'utf8');
const { Ticker } = await import(`data:text/javascript,${encodeURIComponent(source)}`);

// Frames begin every 1000/`hz` ms from `phase`; a frame asked for less than `catchUp` ms before
// its start comes a frame later; each timer fires `late(n)` ms after its time; a step takes `cost`.
function browser({ hz = 60, phase = 0, catchUp = 1, late = () => 0, cost = 0 }) {
  const timers = new Map();
  let frameRequests = [];
  let lastTimer = 0;
  const listeners = [];
  const frameTime = (index) => phase + (index * 1000) / hz;
  const one = {
    time: 0, cost, timers, frameRequests: () => frameRequests.length,
    firstFrameFrom: (time) => frameTime(Math.ceil(((time - phase) * hz) / 1000 - 1e-9)),
    visibility: { hidden: false, addEventListener: (type, listener) => listeners.push(listener) },
    deps: {
      now: () => one.time,
      setTimer(run, delay) {
        timers.set(++lastTimer, { at: one.time + delay + late(lastTimer), run });
        return lastTimer;
      },
      clearTimer: (id) => timers.delete(id),
      requestFrame: (run) => frameRequests.push({ frame: one.firstFrameFrom(one.time + catchUp), run }),
    },
    setHidden(hidden) {
      one.visibility.hidden = hidden;
      for (const listener of listeners) listener();
    },
    // Runs timers and frames in time order up to `end`; a hidden tab gets no frames.
    runUntil(end) {
      for (let sameTime = 0; ; sameTime++) {
        const [id, timer] = [...timers].sort((a, b) => a[1].at - b[1].at)[0] ?? [];
        const frame = one.visibility.hidden ? Infinity : Math.min(...frameRequests.map((request) => request.frame));
        const next = Math.min(timer?.at ?? Infinity, frame);
        if (next > end) return void (one.time = Math.max(one.time, end));
        if (next > one.time) sameTime = 0;
        assert.ok(sameTime < 100, `a timer or frame at ${one.time} again and again`);
        one.time = Math.max(one.time, next);
        if (timer && timer.at === next) {
          timers.delete(id);
          timer.run();
        } else {
          const due = frameRequests.filter((request) => request.frame === frame);
          frameRequests = frameRequests.filter((request) => request.frame !== frame);
          for (const request of due) request.run(frame);  // a frame's callbacks get its start, however late they run
        }
      }
    },
  };
  return one;
}

// The core's grid (shell/tick_grid) and what the page saw of it: each step's point and time,
// each shown page's point and frame.
function tick(clock, { asleepFrom = Infinity } = {}) {
  let taken = 0;
  const core = { steps: [], shown: [], resumed: [], asleep: false };
  const nextDue = () => (core.asleep ? -1 : (taken + 1) * 100);
  core.ticker = new Ticker({
    nextDue,
    step(time) {
      if (time < nextDue()) return false;
      taken = Math.floor(time / 100);
      core.steps.push({ point: taken * 100, time });
      clock.time += clock.cost;
      core.asleep = taken * 100 >= asleepFrom;
      return true;
    },
    present: (time, point) => core.shown.push({ point, time }),
    resume(time) {
      core.resumed.push(time);
      if (time >= nextDue()) taken = Math.floor(time / 100);
    },
  }, { ...clock.deps, visibility: clock.visibility });
  core.ticker.afterInput();
  return core;
}

// Every step after its point, none passed over, and each page in the first frame at or after it.
function expectOnTheGrid(clock, steps, shown, name) {
  steps.slice(1).forEach((step, index) => assert.equal(step.point, steps[index].point + 100, `${name}: after ${steps[index].point}`));
  for (const step of steps) assert.ok(step.time >= step.point, `${name}: the step of ${step.point} ran at ${step.time}`);
  assert.deepEqual(shown, steps.map(({ point }) => ({ point, time: clock.firstFrameFrom(point) })), name);
}

// Timer lateness of 0–10 ms: the frame for a page is asked for 12 ms ahead, from a timer that may
// be as late, rounded up to a whole millisecond, and asked at least `catchUp` before it begins.
const seeded = (seed) => () => ((seed = (seed * 1103515245 + 12345) >>> 0) % 1001) / 100;
const runs = [
  ['60 Hz, a frame on every point', {}],
  ['60 Hz, frames half a millisecond after the points', { phase: 0.5 }],
  ['60 Hz, frames 1.7 ms before the points', { phase: 15 }],
  ['60 Hz, timers 10 ms late', { phase: 3, late: () => 10 }],
  ['60 Hz, timers up to 0.9 ms early', { phase: 5, late: (n) => -((n * 7) % 10) / 10 }],
  ['60 Hz, timers 0–10 ms late', { phase: 7.3, late: seeded(1) }],
  ['60 Hz, steps of 4 ms, timers 0–10 ms late', { phase: 2.2, late: seeded(2), cost: 4 }],
  ['144 Hz, timers 0–5 ms late', { hz: 144, phase: 1, late: (n) => seeded(n)() / 2 }],
  ['50 Hz, timers 0–10 ms late', { hz: 50, phase: 9, late: seeded(3) }],
];

test('each page is shown in the first frame at or after its grid point, every point stepped once', () => {
  for (const [name, options] of runs) {
    const clock = browser(options);
    const { steps, shown } = tick(clock);
    clock.runUntil(60_050);
    assert.equal(steps.length, 600, name);
    expectOnTheGrid(clock, steps, shown, name);
    // Where the timer came after the frame asked for ahead, that frame ran the step.
    if (/late/.test(name)) {
      const inFrames = steps.filter((step) => step.time === clock.firstFrameFrom(step.point));
      assert.ok(inFrames.length > 0, `${name}: no step ran in its frame`);
    }
  }
});

test('a hidden tab passes over the points it missed rather than making them up', () => {
  const clock = browser({ phase: 4, late: seeded(4) });
  const { steps, shown, resumed } = tick(clock);
  clock.runUntil(2_050);
  clock.setHidden(true);
  clock.runUntil(3_420);
  assert.deepEqual([...clock.timers.keys()], [], 'a hidden tab keeps a timer');
  clock.setHidden(false);
  clock.runUntil(5_050);
  assert.deepEqual(resumed, [3_420]);
  const before = steps.filter((step) => step.point <= 2_000);
  const after = steps.filter((step) => step.point > 2_000);
  assert.equal(before.length + after.length, steps.length);
  assert.equal(before.at(-1).point, 2_000);
  assert.equal(after[0].point, 3_500);
  expectOnTheGrid(clock, after, shown.slice(before.length), 'shown again');
});

test('a tick with nothing to change arms no timer and asks for no frame', () => {
  const clock = browser({ phase: 6 });
  const core = tick(clock, { asleepFrom: 1_000 });
  clock.runUntil(5_000);
  assert.equal(core.steps.at(-1).point, 1_000);
  assert.equal(core.shown.at(-1).point, 1_000);
  assert.equal(clock.timers.size + clock.frameRequests(), 0);
  core.ticker.afterInput();
  assert.equal(clock.timers.size + clock.frameRequests(), 0);
});
