// The browser version's figures, as tables on standard output: the page's weight without the
// font, its first picture, its tick in real time (the span of the ticks, each step's lateness,
// grid points passed over, pages a frame late, the frames each 0.1 s page is shown for, each
// against its target; tests/web/ticker.test.mjs tests the mechanism against a clock of its own),
// and its renderer process's idle CPU in each exercise beside the Qt program's in the same run.
// bench/run-web builds the site, serves it and runs this script.
// Usage: node bench/web_bench.mjs URL IDLE_SECONDS TICKS
import { spawnSync } from "node:child_process";
import { readdirSync, readFileSync } from "node:fs";
import { createRequire } from "node:module";
import path from "node:path";
import { fileURLToPath } from "node:url";

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), "..");
// playwright-core as the browser tests install it.
const { chromium } = createRequire(path.join(root, "tests/web/package.json"))("playwright-core");

const [address, idleArgument = "10", ticksArgument = "600"] = process.argv.slice(2);
const idleSeconds = Number(idleArgument);
const tickCount = Number(ticksArgument);
const seeded = new URL("?seed=1", address).href;
const viewport = { width: 1366, height: 768 };
const qtFootprint = path.join(root, "build/default/bin/tavori_footprint_qt");
const clockTicks = Number(spawnSync("getconf", ["CLK_TCK"]).stdout.toString().trim()) || 100;
const sleep = (milliseconds) => new Promise((resolve) => setTimeout(resolve, milliseconds));
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

const browser = await chromium.launch({ executablePath: "/usr/bin/chromium", headless: true });

// A page in a context of its own: no cache, no storage and no service worker from before.
async function inFreshContext(use) {
  const context = await browser.newContext({ viewport });
  try {
    return await use(await context.newPage(), context);
  } finally {
    await context.close();
  }
}

async function open(page, url = seeded) {
  await page.goto(url);
  await page.evaluate(() => window.tavori.ready);
}

// Once the service worker has taken the page over, its install (every file fetched into its
// cache) is done and no longer counts in what the page costs.
async function settle(page) {
  await page.waitForFunction(() => navigator.serviceWorker?.controller != null, null, { timeout: 15000 }).catch(() => {});
  await sleep(1000);
}

// Picks a menu item by its command id, as the reader would: its pop-up opened from the menu bar,
// then the item clicked.
async function command(page, id) {
  const item = page.locator(`#menubar [data-id="${id}"]`);
  await item.locator("xpath=ancestor::ul[@role='menu']/preceding-sibling::button").click();
  await item.click();
}

// The exercises as the Qt program's footprint tool names and enters them (by the same commands).
// Each with the Qt program's target for it (docs/performance.md): the page's is twice that.
const exercises = [
  ["image practice (start screen)", 0.25, async () => {}],
  // A click starts a question; after the 0.5 s flash the answer rows are up.
  ["image practice (answer phase)", 0.25, async (page) => page.locator("#screen").click({ position: { x: 10, y: 10 } })],
  // 0.1 s, then 16 rows.
  ["speed reading, 16 rows, 0.1 s", 1.0, async (page) => (await command(page, 251), command(page, 736))],
  // The same page in sixteen columns (縦書き).
  ["speed reading, 16 columns, 0.1 s", 1.0, async (page) => (await command(page, 251), await command(page, 736), command(page, 915))],
  ["phrase flash, 2 phrases, 600 文字/分", 1.0, async (page) => (await command(page, 918), command(page, 954))],
  ["maze 10x10", 0.10, async (page) => command(page, 703)],
  ["puzzle", 0.35, async (page) => command(page, 737)],
];

// --- Page weight: the bytes of every file the page loads, as served, the font apart.
const weight = await inFreshContext(async (page) => {
  const requests = [];
  page.on("requestfinished", (request) => requests.push(request));
  await open(page);
  await sleep(1000);
  const files = [];
  for (const request of requests) {
    const sizes = await request.sizes();
    files.push({ name: decodeURI(new URL(request.url()).pathname.slice(1)) || "(the page)", bytes: sizes.responseBodySize });
  }
  const counted = files.filter((file) => !file.name.endsWith("fonts/ipag.ttf"));
  return { files: counted, bytes: counted.reduce((sum, file) => sum + file.bytes, 0) };
});

// --- First picture: the page's own mark, in ms after navigation began.
const firstPicture = async (page) =>
  page.evaluate(() => performance.getEntriesByName("tavori-first-picture")[0]?.startTime ?? NaN);
// Nine loads: a cold load's time varies by a third from one to the next on a shared machine.
const coldPictures = [];
for (let load = 0; load < 9; load++) {
  coldPictures.push(await inFreshContext(async (page) => (await open(page), firstPicture(page))));
}
// The same page answered by its service worker, once it has installed and taken over.
const keptPictures = await inFreshContext(async (page) => {
  await open(page);
  await settle(page);
  if (!(await page.evaluate(() => navigator.serviceWorker?.controller != null))) return [];
  const times = [];
  for (let load = 0; load < 5; load++) {
    await open(page);
    times.push(await firstPicture(page));
  }
  return times;
});

// --- Tick and frames: speed reading of 16 rows at 0.1 s for TICKS ticks, every frame recorded.
const timing = await inFreshContext(async (page) => {
  await open(page);
  await settle(page);
  await exercises[2][2](page);
  await sleep(1000);
  const first = await page.evaluate(() => (window.tavori.frames(true), window.tavori.tickTimes().length));
  const deadline = Date.now() + tickCount * 100 + 30000;
  // Asked about only near the end: every question takes the page's main thread for a moment.
  await sleep(tickCount * 100 - 1000);
  while ((await page.evaluate(() => window.tavori.tickTimes().length)) < first + tickCount + 2) {
    if (Date.now() > deadline) throw new Error("the page stopped ticking");
    await sleep(1000);
  }
  return page.evaluate(([from, count]) => {
    window.tavori.frames(false);
    return { ticks: window.tavori.tickTimes().slice(from, from + count + 1),
             points: window.tavori.tickPoints().slice(from, from + count + 1), frames: window.tavori.frameTimes(),
             shown: Object.fromEntries(window.tavori.tickShown()) };
  }, [first, tickCount]);
});
const span = timing.ticks[tickCount] - timing.ticks[0];
// Each step runs from a timer at its grid point, late by the timer's own lateness (or, where its
// page's frame came first, by that frame's); after a stall, by the stall as well.
const late = timing.ticks.map((time, index) => time - timing.points[index]).sort((a, b) => a - b);
// Grid points no step ran for: the tick passes over only points the browser gave it no time for.
const passedOver = timing.points.slice(1, tickCount + 1)
  .reduce((sum, point, index) => sum + Math.round((point - timing.points[index]) / 100) - 1, 0);
// Each page in its frame: how late after its grid point that frame began, and how many frames
// began while the page was up, from its frame to the next page's.
const shown = timing.points.map((point) => timing.shown[point] ?? NaN);
const shownLate = timing.points.map((point, index) => shown[index] - point).sort((a, b) => a - b);
const framesPerPage = [];
for (let index = 0; index < tickCount; index++) {
  framesPerPage.push(timing.frames.filter((time) => time >= shown[index] && time < shown[index + 1]).length);
}
const usual = median(framesPerPage);
const shownAlike = framesPerPage.filter((count) => count === usual).length;
// Frames late: 0 for a page shown in the first frame at or after its grid point (the frames are
// the recorder's, whose callbacks get the same start as the page's in the same frame).
const frameGaps = timing.frames.slice(1).map((time, index) => time - timing.frames[index]);
const oneFrame = median(frameGaps);
const framesLate = timing.points.slice(0, tickCount).map((point, index) =>
  Math.round((shown[index] - (timing.frames.find((time) => time >= point) ?? NaN)) / oneFrame));
const aFrameLate = framesLate.filter((count) => count === 1).length;
const otherwiseLate = framesLate.filter((count) => count !== 0 && count !== 1).length;

// --- Idle CPU: the page's renderer process (Chromium's child with --type=renderer), its user
// and system time from /proc/PID/stat over IDLE_SECONDS, beside the Qt program's own figure.
function descendants(pid) {
  const children = new Map();
  for (const entry of readdirSync("/proc")) {
    if (!/^\d+$/.test(entry)) continue;
    try {
      const stat = readFileSync(`/proc/${entry}/stat`, "utf8");
      const parent = Number(stat.slice(stat.lastIndexOf(")") + 2).split(" ")[1]);
      if (!children.has(parent)) children.set(parent, []);
      children.get(parent).push(Number(entry));
    } catch {
      // The process ended while the list was read.
    }
  }
  const found = [];
  for (let queue = [pid]; queue.length > 0;) {
    const next = queue.shift();
    for (const child of children.get(next) ?? []) {
      found.push(child);
      queue.push(child);
    }
  }
  return found;
}
function cpuTicks(pid) {
  const fields = readFileSync(`/proc/${pid}/stat`, "utf8").split(") ")[1].split(" ");
  // utime and stime, the 14th and 15th fields of the line.
  return Number(fields[11]) + Number(fields[12]);
}
// A process's arguments; a zygote's children rewrite theirs as one string with spaces between.
function commandLine(pid) {
  try {
    return readFileSync(`/proc/${pid}/cmdline`, "utf8").split(/[\0 ]/);
  } catch {
    return [];
  }
}
// Of Chromium's renderers (leaving out its own user interface's), the page's is the one that has
// run most: the others are spares kept ready for the next page and have done next to nothing.
function pageRenderer() {
  const renderers = descendants(process.pid).filter((pid) => {
    const line = commandLine(pid);
    return line.includes("--type=renderer") && !line.includes("--top-chrome-webui");
  });
  return renderers.sort((a, b) => cpuTicks(b) - cpuTicks(a))[0];
}
// The CPU of every process of the browser, renderer included, over the same time.
function chromiumTicks() {
  return descendants(process.pid).reduce((sum, pid) => {
    try {
      return sum + cpuTicks(pid);
    } catch {
      return sum;
    }
  }, 0);
}

// The page's renderer and all of Chromium over IDLE_SECONDS, in per cent of one processor.
async function idleCpu() {
  const renderer = pageRenderer();
  const before = [cpuTicks(renderer), chromiumTicks()];
  await sleep(idleSeconds * 1000);
  const percent = (ticks) => (100 * ticks) / clockTicks / idleSeconds;
  return { renderer: percent(cpuTicks(renderer) - before[0]), chromium: percent(chromiumTicks() - before[1]) };
}

function qtIdle(name) {
  const run = spawnSync("xvfb-run", ["-a", qtFootprint, String(idleSeconds), name], { encoding: "utf8" });
  const row = run.stdout.split("\n").find((line) => line.startsWith(`| ${name} |`));
  return row ? Number(row.split("|")[3].replace("%", "")) : NaN;
}

const idle = [];
for (const [name, qtTarget, enter] of exercises) {
  const qt = qtIdle(name);
  const web = await inFreshContext(async (page) => {
    await open(page);
    await settle(page);
    await enter(page);
    await sleep(1000);
    return idleCpu();
  });
  idle.push({ name, qt, qtTarget, web });
}
// The floors: a bare page that only wakes at every grid point as the page's tick does, on a
// timer alone (a step that changes nothing), on a timer and then in a frame (a step that draws,
// with nothing drawn), in that frame changing 4 × 4 pixels of a canvas like the page's (the least
// a step can show: its cost is the browser's, for any canvas that changes ten times a second),
// and putting new pixels where a page of 16 rows stands (1000 × 512): what speed reading at
// 0.1 s costs Chromium with no step at all.
const floorPages = [
  ["an empty page waking at every grid point on a timer, nothing drawn", "timer"],
  ["an empty page waking at every grid point on a timer, then in a frame, nothing drawn", "frame"],
  ["a bare page changing 4 × 4 pixels of its canvas in that frame", "speck"],
  ["a bare page putting 16 rows of new pixels (1000 × 512) on its canvas in that frame", "rows"],
];
const floors = [];
for (const [, how] of floorPages) {
  floors.push(await inFreshContext(async (page) => {
    await page.goto("about:blank");
    await page.evaluate((how) => {
      let put = () => {};
      if (how === "rows" || how === "speck") {
        document.body.style.margin = "0";
        const canvas = document.body.appendChild(document.createElement("canvas"));
        [canvas.width, canvas.height] = [innerWidth, innerHeight - 50];
        const context = canvas.getContext("2d", { alpha: false, willReadFrequently: true });
        const pixels = new Uint8ClampedArray(canvas.width * canvas.height * 4);
        const words = new Uint32Array(pixels.buffer);
        const [width, height] = how === "rows" ? [1000, 512] : [4, 4];
        let shade = 0;
        put = () => {
          shade = (shade + 1) & 0xff;
          for (let y = 100; y < 100 + height; y++) words.fill(0xff000000 | shade, y * canvas.width + 100, y * canvas.width + 100 + width);
          context.putImageData(new ImageData(pixels, canvas.width, canvas.height), 0, 0, 100, 100, width, height);
        };
      }
      const frame = () => (put(), wake());
      const wake = () => setTimeout(() => (how === "timer" ? wake() : requestAnimationFrame(frame)), 100 - (performance.now() % 100));
      wake();
    }, how);
    await sleep(2000);
    return idleCpu();
  }));
}
const version = browser.version();
await browser.close();

// --- The tables.
const format = (value, digits) => (Number.isFinite(value) ? value.toFixed(digits) : "—");
const met = (ok) => (ok ? "yes" : "no");
console.log(`## Web page in headless Chromium`);
console.log();
console.log(`browser: Chromium ${version}, headless, ${viewport.width} × ${viewport.height}; page served from localhost`);
console.log();
console.log("| measure | value | target | met |");
console.log("|---|---|---|---|");
console.log(`| page weight without the font (${weight.files.length} files) | ${weight.bytes.toLocaleString("en")} bytes | ≤ 1 MB | ${met(weight.bytes <= 1e6)} |`);
const cold = median(coldPictures);
console.log(`| first picture after navigation, cold load (median of 9; least – most) | ${format(cold, 0)} ms (${format(Math.min(...coldPictures), 0)} – ${format(Math.max(...coldPictures), 0)}) | ≤ 300 ms | ${met(cold <= 300)} |`);
console.log(`| first picture after navigation, page kept by its service worker (median of 5) | ${keptPictures.length ? `${format(median(keptPictures), 0)} ms` : "no service worker took over"} | — | — |`);
console.log(`| span of ${tickCount} ticks (ideal ${(tickCount / 10).toFixed(3)} s) | ${(span / 1000).toFixed(4)} s (${span - tickCount * 100 >= 0 ? "+" : ""}${format(span - tickCount * 100, 2)} ms) | ±1 ms | ${met(Math.abs(span - tickCount * 100) <= 1)} |`);
// Pages stand for whole frames of the browser's clock, which need not be exactly 60 Hz.
const frameInterval = (timing.frames.at(-1) - timing.frames[0]) / (timing.frames.length - 1);
console.log(`| the browser's frame interval over the ticks, mean (and ${usual} frames: one page) | ${format(frameInterval, 4)} ms (${format(usual * frameInterval, 3)} ms) | — | — |`);
const quantiles = (sorted) => [0.5, 0.99, 1].map((share) => format(sorted[Math.min(sorted.length - 1, Math.floor(sorted.length * share))], 2)).join(" / ");
console.log(`| each step after its grid point: least; median / p99 / max | ${format(late[0], 2)}; ${quantiles(late)} ms | ≥ 0, max < a frame (${format(oneFrame, 2)} ms) | ${met(late[0] >= 0 && late.at(-1) < oneFrame)} |`);
console.log(`| grid points passed over in ${tickCount} ticks | ${passedOver} | 0 | ${met(passedOver === 0)} |`);
console.log(`| each page's frame after its grid point: median / p99 / max | ${quantiles(shownLate)} ms | — | — |`);
console.log(`| pages in the first frame at or after their grid point (a frame late; otherwise) | ${format((100 * (tickCount - aFrameLate - otherwiseLate)) / tickCount, 1)} % (${aFrameLate}; ${otherwiseLate}) | ≥ 99 %, none otherwise | ${met(aFrameLate + otherwiseLate <= 0.01 * tickCount && otherwiseLate === 0)} |`);
const framesTarget = Math.round(100 / oneFrame);
console.log(`| 0.1 s pages shown for ${usual} frames | ${format((100 * shownAlike) / tickCount, 1)} % of ${tickCount} | ≥ 99 %, at ${framesTarget} frames | ${met(shownAlike >= 0.99 * tickCount && usual === framesTarget)} |`);
console.log();
console.log(`| CPU while idle, ${idleSeconds} s each | Qt program (as built) | Qt's target | web page's renderer | target (≤ 2 × Qt's target) | met | all of Chromium |`);
console.log("|---|---|---|---|---|---|---|");
for (const { name, qt, qtTarget, web } of idle) {
  console.log(`| ${name} | ${format(qt, 2)} % | ${format(qtTarget, 2)} % | ${format(web.renderer, 2)} % | ${format(2 * qtTarget, 2)} % | ${met(web.renderer <= 2 * qtTarget)} | ${format(web.chromium, 2)} % |`);
}
for (const [index, [what]] of floorPages.entries()) {
  console.log(`| ${what} (a floor) | — | — | ${format(floors[index].renderer, 2)} % | — | — | ${format(floors[index].chromium, 2)} % |`);
}
console.log();
console.log(`(The steps keep to the grid of performance.now(); the pages to the browser's frames, ${usual} to a page, ` +
            `${format((tickCount * usual * frameInterval) / 1000, 4)} s for ${tickCount} at the measured interval: a page stands ` +
            `for whole frames, so where frames do not come at exactly ${format(1000 / (100 / usual), 3)} Hz, now and then one stands for a frame more or less.)`);
console.log();
console.log(`(The renderer's time is counted in clock ticks of ${1000 / clockTicks} ms: ${format(100 / clockTicks / idleSeconds, 2)} % at ${idleSeconds} s.)`);
