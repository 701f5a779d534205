// The page's start: the bundled font and files fetched, the core created over them, and the
// browser's events (menus, pointer, keys, size, the tab's life) turned into the core's calls,
// each followed by its outcome, the picture and the status line.
import createTavoriCore from './tavori-core.js';
import { MenuBar } from './menubar.js';
import { GlyphRenderer } from './text.js';
import { keepPicked, pickedFiles, readStored, readStoredText, writeStored } from './storage.js';
import { Ticker } from './ticker.js';

const fontFamily = 'TavoriGothic';
const bundledFiles = ['w.txt', 'tvr.tvr3', 'pa.dat'];
// Opened by its address; fetched after the first picture, which it plays no part in.
const helpDocument = '最初にお読みください.html';
// The reading test's passages, fetched after the first picture too: only a test reads them.
const passageFiles = ['easy-1', 'easy-2', 'normal-1', 'normal-2', 'hard-1', 'hard-2'].map((name) => `passages/${name}.txt`);
// A picked file larger than this is not read: the core takes it as a file too large to hold.
const largestPickedFile = 64 * 1024 * 1024;

const utf8 = new TextDecoder('utf-8');
const encoder = new TextEncoder();
const screen = document.getElementById('screen');
const area = document.getElementById('area');
const statusLine = document.getElementById('status');
const picker = document.getElementById('file-picker');
// The picture is made in the module's memory and only put on the canvas: a canvas kept in main
// memory takes it with one copy, where an accelerated one uploads it as a texture at each page
// (in headless Chromium the renderer and GPU process then cost about 1.5 % of a core more).
const screenContext = screen.getContext('2d', { alpha: false, willReadFrequently: true });

const query = new URLSearchParams(location.search);
const testSeed = /^\d{1,10}$/.test(query.get('seed') ?? '') ? Number(query.get('seed')) >>> 0 : null;
const testing = testSeed !== null;

let module = null;
// What the core's calls answer and take, and where its files are: the core's own values
// (tavori_constants), read as it starts.
let outcome = null;
let pointerKind = null;
let programFolder = null;
let pickedFolder = null;
let storagePrefix = null;
let glyphs = null;
let ended = false;
let statusShown = null;
let firstPicture = true;
let size = { width: 0, height: 0, ratio: 1, scale: 1 };
const tickTimes = [];
const tickPoints = [];  // in test mode, the grid point each tick stepped for
const tickShown = [];  // in test mode, each drawn page's grid point and the frame that showed it
let frameTimes = null;

// --- what the core asks of the page (page_imports.js)

function openWithShell(targetBytes, ownedByWindow) {
  const target = utf8.decode(targetBytes);
  if (!ownedByWindow) return;  // the home page, asked for as the program goes away
  if (target.startsWith(storagePrefix)) {
    const text = readStoredText(target.slice(storagePrefix.length));
    if (text === null) return;
    const url = URL.createObjectURL(new Blob([text], { type: 'text/html;charset=utf-8' }));
    window.open(url, '_blank');
    setTimeout(() => URL.revokeObjectURL(url), 60_000);
  } else if (target.startsWith(programFolder)) {
    window.open(new URL(encodeURIComponent(target.slice(programFolder.length)), location.href).href, '_blank');
  } else if (/^https?:\/\//.test(target)) {
    window.open(target, '_blank', 'noopener');
  }
}

const page = {
  // Made at the first glyph: the start screen has none, and measuring a font costs a moment.
  renderGlyph: (...args) => (glyphs ??= new GlyphRenderer('monospace')).render(...args),
  present(pixels, deviceWidth, deviceHeight, x, y, w, h) {
    if (w <= 0 || h <= 0 || deviceWidth === 0 || deviceHeight === 0) return;
    screenContext.putImageData(new ImageData(pixels, deviceWidth, deviceHeight), 0, 0, x, y, w, h);
    if (firstPicture) {
      firstPicture = false;
      performance.mark('tavori-first-picture');
    }
  },
  openWithShell,
  readStored: (name, limit) => readStored(utf8.decode(name), limit),
  writeStored: (name, bytes) => writeStored(utf8.decode(name), bytes),
};

// --- calls into the core

// Bytes into the module's memory; the core frees them.
function handIn(bytes) {
  const at = module._malloc(Math.max(1, bytes.length));
  module.HEAPU8.set(bytes, at);
  return [at, bytes.length];
}

function putFile(path, bytes) {
  const [pathAt, pathLength] = handIn(encoder.encode(path));
  if (bytes === null) {
    module._tavori_put_file(pathAt, pathLength, 0, -1);
  } else {
    const [at, length] = handIn(bytes);
    module._tavori_put_file(pathAt, pathLength, at, length);
  }
}

function afterCall(result) {
  if (result === outcome.captureMouse && activePointer !== null) screen.setPointerCapture(activePointer);
  if (result === outcome.releaseMouse && activePointer !== null && screen.hasPointerCapture(activePointer)) {
    screen.releasePointerCapture(activePointer);
  }
  showStatus();
  if (result === outcome.closeWindow) {
    end();
    window.close();  // closes a window the browser lets the page close (an installed app's)
    return;
  }
  ticker.afterInput();
}

function showStatus() {
  const status = module.UTF8ToString(module._tavori_status());
  if (status !== statusShown) {
    statusLine.textContent = status;
    statusShown = status;
  }
}

function end() {
  if (ended) return;
  ended = true;
  ticker.stop();
  module._tavori_destroy();
  document.body.classList.add('ended');
  statusLine.textContent = '';
  document.getElementById('menus').inert = true;
  screen.hidden = true;
}

let pickerRequest = 0;

// The file the reader picks, or null for a cancel; a picker replaced by a newer one answers
// undefined, so its command is dropped.
function pickFile(accept) {
  const request = ++pickerRequest;
  return new Promise((resolve) => {
    picker.value = '';
    picker.accept = accept;
    const answer = (file) => {
      picker.onchange = picker.oncancel = null;
      resolve(request === pickerRequest ? file : undefined);
    };
    picker.onchange = () => answer(picker.files[0] ?? null);
    picker.oncancel = () => answer(null);
    picker.click();
  });
}

const accepts = new Map();

let fontReady = null;
const fontLoaded = new Promise((resolve) => { fontReady = resolve; });

async function runCommand(id) {
  // A menu picked while the font is still on its way waits for it, so no glyph is drawn without it.
  await fontLoaded;
  if (ended) return;
  const accept = accepts.get(id);
  if (accept === undefined) {
    afterCall(module._tavori_command(id, 0, 0, 0));
    return;
  }
  const file = await pickFile(accept);
  if (file === undefined || ended) return;
  if (file === null) {
    afterCall(module._tavori_command(id, -1, 0, 0));
    return;
  }
  const path = pickedFolder + file.name;
  const bytes = file.size > largestPickedFile ? null : new Uint8Array(await file.arrayBuffer());
  putFile(path, bytes);
  if (bytes !== null) keepPicked(accept === '.txt' ? 'text' : 'template', path, bytes);
  const [pathAt, pathLength] = handIn(encoder.encode(path));
  afterCall(module._tavori_command(id, 1, pathAt, pathLength));
}

// --- the exercise area's size and resolution

// The exercises are laid out for a desktop window: a page of rows is 1000 px wide, and a 10 × 10
// maze 11/15 as wide as the area is high. An area narrower than 1000 px (a phone, a tablet held
// upright, a narrow browser window) gets a window 1000 px wide shown smaller, at as many canvas
// pixels as it covers on the screen, rather than rows cut off at both sides; an area higher than
// 4/3 of its width gets a window of that height, centred, so a maze keeps its sides.
const narrowestWindow = 1000;
const tallestShare = 4 / 3;

function measure() {
  const cssWidth = Math.max(0, area.clientWidth);
  const cssHeight = Math.max(0, area.clientHeight);
  const width = cssWidth > 0 ? Math.max(cssWidth, narrowestWindow) : 0;
  const scale = cssWidth > 0 ? cssWidth / width : 1;
  return {
    width,
    height: Math.min(Math.floor(cssHeight / scale), Math.floor(width * tallestShare)),
    // Below one canvas pixel to a logical one the core draws at one, and the browser scales down.
    ratio: Math.max(1, (window.devicePixelRatio || 1) * scale),
    scale,
  };
}

// Where the canvas stands in the area and how large it shows; its pixels are kept.
function placeCanvas(next) {
  size = next;
  const cssHeight = next.height * next.scale;
  screen.style.width = `${next.width * next.scale}px`;
  screen.style.height = `${cssHeight}px`;
  screen.style.top = `${Math.max(0, Math.floor((area.clientHeight - cssHeight) / 2))}px`;
}

function fitCanvas(next) {
  placeCanvas(next);
  // As the core's canvas rounds its logical edges to device pixels.
  screen.width = Math.floor(next.width * next.ratio + 0.5);
  screen.height = Math.floor(next.height * next.ratio + 0.5);
}

function onResize() {
  if (ended) return;
  const next = measure();
  if (next.width === size.width && next.height === size.height && next.ratio === size.ratio) {
    placeCanvas(next);  // the same window, shown at another size or place
    return;
  }
  fitCanvas(next);
  module._tavori_resize(next.width, next.height, next.ratio);
  afterCall(outcome.none);
}

function watchRatio() {
  const query = matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`);
  query.addEventListener('change', () => {
    onResize();
    watchRatio();
  }, { once: true });
}

// --- pointer and keys

let activePointer = null;

function pointerAt(event) {
  const box = screen.getBoundingClientRect();
  return [Math.floor((event.clientX - box.left) / size.scale), Math.floor((event.clientY - box.top) / size.scale)];
}

function onPointer(kind, event) {
  if (ended || !event.isPrimary) return;
  if (kind === pointerKind.down) {
    if (event.button !== 0) return;
    activePointer = event.pointerId;
    menuBar.close(false);
    screen.focus({ preventScroll: true });
  } else if (kind === pointerKind.up) {
    if (event.button !== 0 && event.type !== 'pointercancel') return;
  }
  event.preventDefault();
  const [x, y] = pointerAt(event);
  afterCall(module._tavori_pointer(kind, x, y));
  if (kind === pointerKind.up) activePointer = null;
}

let altAlone = false;

function onKeyDown(event) {
  if (ended) return;
  altAlone = event.key === 'Alt' && !event.repeat;
  if (event.key === 'F10' && !event.ctrlKey && !event.altKey && !event.metaKey && !event.shiftKey) {
    event.preventDefault();
    menuBar.toggleFocus();
    return;
  }
  // Keys inside the menu bar are the menus'; an open picker takes the keys itself.
  if (document.getElementById('menus').contains(event.target) || menuBar.open >= 0) return;
  // Which keys held keep a key from the exercises is the core's rule.
  const modifiers = (event.ctrlKey ? 1 : 0) + (event.altKey ? 2 : 0) + (event.metaKey ? 4 : 0);
  const [at, length] = handIn(encoder.encode(event.key));
  const result = module._tavori_key(at, length, modifiers, event.repeat ? 1 : 0);
  if (result < 0) return;
  event.preventDefault();
  afterCall(result);
}

function onKeyUp(event) {
  if (event.key === 'Alt' && altAlone && !ended) {
    event.preventDefault();
    menuBar.toggleFocus();
  }
  altAlone = false;
}

// --- start-up

async function fetchBytes(url) {
  try {
    const response = await fetch(url);
    return response.ok ? new Uint8Array(await response.arrayBuffer()) : null;
  } catch {
    return null;  // a missing file leaves its content empty, as beside a desktop program
  }
}

async function loadFont() {
  try {
    const face = new FontFace(fontFamily, 'url(fonts/ipag.ttf)');
    document.fonts.add(await face.load());
    return `"${fontFamily}"`;
  } catch {
    return 'monospace';
  }
}

const ticker = new Ticker({
  nextDue: () => (ended ? -1 : module._tavori_next_due()),
  step(time) {
    if (testing) {
      tickTimes.push(time);
      tickPoints.push(module._tavori_next_due());
    }
    const drew = module._tavori_step(time) !== 0;
    showStatus();
    return drew;
  },
  present(time, point) {
    module._tavori_present();
    if (testing) tickShown.push([point, time]);
  },
  resume: (time) => module._tavori_resume(time),
});

let menuBar = null;

// The module compiled early by the page's head, or, where that failed (a server that does not
// call it application/wasm), compiled from its bytes; a failure rejects the start, as the
// module's own loading would.
let coreFailed;
const coreFailure = new Promise((resolve, reject) => { coreFailed = reject; });
function instantiateWasm(imports, receive) {
  const url = 'tavori-core.wasm';
  Promise.resolve(window.tavoriCoreCompiled)
    .then((compiled) => compiled ?? fetch(url, { credentials: 'same-origin' })
      .then((response) => (response.ok ? response.arrayBuffer() : Promise.reject(new Error(`${url}: ${response.status}`))))
      .then((bytes) => WebAssembly.compile(bytes)))
    .then((compiled) => WebAssembly.instantiate(compiled, imports).then((instance) => receive(instance, compiled)))
    .catch(coreFailed);
  return {};
}

async function start() {
  const [core, ...files] = await Promise.all([
    Promise.race([createTavoriCore({ page, instantiateWasm }), coreFailure]),
    ...bundledFiles.map((name) => fetchBytes(encodeURIComponent(name))),
  ]);
  module = core;
  ({ outcome, pointerKind, programFolder, pickedFolder, storagePrefix } =
    JSON.parse(module.UTF8ToString(module._tavori_constants())));
  // The menu bar first, so the exercise area is measured at the size it keeps.
  const table = JSON.parse(module.UTF8ToString(module._tavori_menu()));
  for (const popup of table) {
    for (const item of popup.items) if (item.accept) accepts.set(item.id, item.accept);
  }
  menuBar = new MenuBar(document.getElementById('menubar'), table, {
    state: (id) => ({ checked: module._tavori_checked(id) !== 0, available: module._tavori_available(id) !== 0 }),
    run: runCommand,
    leave: () => screen.focus({ preventScroll: true }),
  });
  screen.tabIndex = -1;

  const seed = testing ? testSeed : (crypto.getRandomValues(new Uint32Array(1))[0] >>> 0);
  fitCanvas(measure());
  module._tavori_create(seed, size.width, size.height, size.ratio, testing ? 1 : 0);
  bundledFiles.forEach((name, index) => {
    if (files[index] !== null) putFile(programFolder + name, files[index]);
  });
  for (const picked of pickedFiles()) putFile(picked.path, picked.bytes);

  // The font is large and the first picture, the image practice's start screen, has no text:
  // it is fetched after it, and awaited before the first tick or input, which bring glyphs.
  module._tavori_start(performance.now());
  showStatus();
  const [family, help, ...passages] = await Promise.all([
    loadFont(), fetchBytes(encodeURIComponent(helpDocument)), ...passageFiles.map((name) => fetchBytes(name)),
  ]);
  if (help !== null) putFile(programFolder + helpDocument, help);
  passageFiles.forEach((name, index) => {
    if (passages[index] !== null) putFile(programFolder + name, passages[index]);
  });
  glyphs = new GlyphRenderer(family);
  fontReady();
  afterCall(outcome.none);

  screen.addEventListener('pointerdown', (event) => onPointer(pointerKind.down, event));
  screen.addEventListener('pointermove', (event) => onPointer(pointerKind.move, event));
  screen.addEventListener('pointerup', (event) => onPointer(pointerKind.up, event));
  screen.addEventListener('pointercancel', (event) => onPointer(pointerKind.up, event));
  screen.addEventListener('contextmenu', (event) => event.preventDefault());
  document.addEventListener('keydown', onKeyDown);
  document.addEventListener('keyup', onKeyUp);
  new ResizeObserver(onResize).observe(area);
  watchRatio();
  // Leaving the page is closing the window: the session is recorded and the place kept.
  window.addEventListener('pagehide', () => end());
  window.addEventListener('pageshow', (event) => {
    if (event.persisted && ended) location.reload();
  });
  if ('serviceWorker' in navigator) navigator.serviceWorker.register('sw.js').catch(() => {});
}

const ready = start();

if (testing) {
  window.tavori = {
    ready,
    journal: () => module.UTF8ToString(module._tavori_journal()),
    tickTimes: () => tickTimes.slice(),
    tickPoints: () => tickPoints.slice(),
    tickShown: () => tickShown.slice(),
    // Whether the tick sleeps, no step being able to change the picture until the next input.
    asleep: () => module._tavori_next_due() < 0,
    frames(on) {
      if (!on) {
        frameTimes ??= [];
        frameTimes.recording = false;
        return;
      }
      frameTimes = [];
      frameTimes.recording = true;
      const record = (time) => {
        if (!frameTimes.recording) return;
        frameTimes.push(time);
        requestAnimationFrame(record);
      };
      requestAnimationFrame(record);
    },
    frameTimes: () => (frameTimes ?? []).slice(),
    canvasSize: () => ({ ...size }),
    pictureRGBA() {
      const data = screenContext.getImageData(0, 0, screen.width, screen.height).data;
      let text = '';
      for (let at = 0; at < data.length; at += 0x8000) text += String.fromCharCode.apply(null, data.subarray(at, at + 0x8000));
      return btoa(text);
    },
  };
}
