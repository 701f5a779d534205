// The menu bar: items picked with the mouse and with the keyboard (F10 or Alt, the arrows,
// Enter, Escape), the marks and greyed items as the core has them, and the keyboard given back
// to the exercise.
import assert from 'node:assert/strict';
import { test, before, after } from 'node:test';
import * as h from './harness.mjs';

let env;
before(async () => { env = await h.startBrowser(); });
after(async () => { await env?.close(); });

// `plainCore`: the core is served as by a host that does not know .wasm, so the page starts from
// its bytes, the early streaming compile having refused them.
async function withPage(run, { plainCore = false } = {}) {
  let context;
  if (plainCore) {
    // No service worker, so the page's own requests meet the route.
    context = await env.browser.newContext({ viewport: { width: 1024, height: 720 }, deviceScaleFactor: 1, serviceWorkers: 'block' });
    await context.route('**/tavori-core.wasm', async (route) => {
      const response = await route.fetch();
      await route.fulfill({ response, headers: { ...response.headers(), 'content-type': 'application/octet-stream' } });
    });
  }
  const opened = await h.openPage(env, { context });
  if (plainCore) assert.equal(await opened.page.evaluate(async () => (await window.tavoriCoreCompiled) === null), true);
  try {
    await run(opened.page);
    assert.deepEqual(opened.errors, []);
  } finally {
    await opened.context.close();
  }
}

const commands = async (page) => h.entriesOf(await h.journal(page), 'command').map((entry) => entry[1]);
const focused = (page) => page.evaluate(() => {
  const element = document.activeElement;
  return element?.id === 'screen' ? 'screen' : element?.closest('#menubar') ? element.textContent : element?.tagName;
});

test('items picked with the mouse carry their command and their marks', async () => {
  await withPage(async (page) => {
    await page.getByRole('menuitem', { name: '表示時間', exact: true }).click();
    assert.equal(await page.getByRole('menu', { name: '表示時間' }).isVisible(), true);
    await page.getByRole('menuitemradio', { name: '０．１秒', exact: true }).click();
    assert.equal(await page.getByRole('menu', { name: '表示時間' }).isVisible(), false);
    await page.getByRole('menuitem', { name: '表示時間', exact: true }).click();
    await page.getByRole('menuitemradio', { name: '０．５秒', exact: true }).click();
    await h.pick(page, '速読み練習', 724);  // ４行表示
    assert.deepEqual(await commands(page), [251, 255, 724]);
    assert.equal(await focused(page), 'screen');

    // A checked item is found by its id: its mark is drawn before its label.
    await page.getByRole('menuitem', { name: '表示時間', exact: true }).click();
    assert.equal(await page.locator('#menubar [data-id="255"]').getAttribute('aria-checked'), 'true');
    assert.equal(await page.locator('#menubar [data-id="251"]').getAttribute('aria-checked'), 'false');
    await page.keyboard.press('Escape');
    await page.keyboard.press('Escape');
    await page.keyboard.press('Space');  // the pause, while speed reading
    await h.expectMarksAsReplay(env, page);
  }, { plainCore: true });
});

test('a greyed item does nothing when clicked', async () => {
  await withPage(async (page) => {
    // At start the question screen is on: the reading keys' items cannot be chosen.
    await page.getByRole('menuitem', { name: '速読み練習', exact: true }).click();
    const pause = page.locator('#menubar [data-id="911"]');
    assert.equal(await pause.getAttribute('aria-disabled'), 'true');
    await pause.click({ force: true });
    assert.deepEqual(await commands(page), []);
    await page.keyboard.press('Escape');
    await page.keyboard.press('Escape');
    await h.expectMarksAsReplay(env, page);
  });
});

test('the keyboard reaches the bar with F10 or Alt, walks it, picks and gives the keys back', async () => {
  await withPage(async (page) => {
    await page.keyboard.press('F10');
    assert.equal(await focused(page), 'ファイル');
    await page.keyboard.press('ArrowRight');
    await page.keyboard.press('ArrowRight');
    assert.equal(await focused(page), '速読み練習');
    // Down opens the pop-up on its first item; seven further down is "　５行表示".
    await page.keyboard.press('ArrowDown');
    assert.match(await focused(page), /^読み込み/);
    for (let step = 0; step < 7; step++) await page.keyboard.press('ArrowDown');
    assert.match(await focused(page), /５行表示/);
    await page.keyboard.press('Enter');
    assert.deepEqual(await commands(page), [725]);
    assert.equal(await focused(page), 'screen');

    // Escape closes the pop-up back to its title, and a second gives the keys to the exercise.
    await page.keyboard.press('Alt');
    assert.equal(await focused(page), 'ファイル');
    await page.keyboard.press('ArrowLeft');
    assert.equal(await focused(page), 'ヘルプ');
    await page.keyboard.press('Enter');
    assert.equal(await page.getByRole('menu', { name: 'ヘルプ' }).isVisible(), true);
    await page.keyboard.press('Escape');
    assert.equal(await page.getByRole('menu', { name: 'ヘルプ' }).isVisible(), false);
    assert.equal(await focused(page), 'ヘルプ');
    // A key meant for the exercises does not reach them while the bar has the keyboard.
    await page.keyboard.press('1');
    await page.keyboard.press('Escape');
    assert.equal(await focused(page), 'screen');
    assert.deepEqual(h.entriesOf(await h.journal(page), 'key'), []);
    await page.keyboard.press('Space');
    assert.deepEqual(h.entriesOf(await h.journal(page), 'key'), [['key', ' ']]);
    await h.expectMarksAsReplay(env, page);
  });
});
