// The page's picture in each exercise against the native replay of the same calls: a page of
// rows and one of columns, a page of phrase rows, a phrase flash, an image-practice question, a
// maze and a puzzle; and the area as the screen shows it, after keys and clicks, only what the
// program drew, and after 終了 only its message.
import assert from 'node:assert/strict';
import { test, before, after } from 'node:test';
import * as h from './harness.mjs';

let env;
before(async () => { env = await h.startBrowser(); });
after(async () => { await env?.close(); });

const scenes = [
  ['a reading page in rows, paused', async (page) => {
    await h.pick(page, '速読み練習', 725);  // ５行表示
    await h.waitTicks(page, 12);
    await page.keyboard.press('Space');
  }],
  ['a reading page in columns, paused', async (page) => {
    await h.pick(page, '速読み練習', 727);  // ７行表示
    await h.pick(page, '速読み練習', 915);  // 縦書き
    await h.waitTicks(page, 12);
    await page.keyboard.press('ArrowRight');
    await page.keyboard.press('Space');
  }],
  ['a page of phrase rows, paused', async (page) => {
    await h.pick(page, '速読み練習', 725);  // ５行表示
    await h.pick(page, '速読み練習', 916);  // 文節で折り返す
    await h.waitTicks(page, 12);
    await page.keyboard.press('Space');
  }],
  ['a flash of two phrases, paused', async (page) => {
    await h.pick(page, '速読み練習', 918);  // フレーズ表示　２文節
    await h.waitTicks(page, 12);
    await page.keyboard.press('Space');
  }],
  ['an image-practice question waiting for its answer', async (page) => {
    await page.keyboard.press('Space');  // the next question
    await h.waitAsleep(page);            // flashed for 0.5 s, then the three answers
  }],
  // The page's first input a click on the canvas: Chromium would draw its focus ring.
  ['an image-practice question started by a click', async (page) => {
    await page.locator('#screen').click({ position: { x: 40, y: 40 } });
    await h.waitAsleep(page);
  }],
  ['a maze after a click on its way', async (page) => {
    await h.pick(page, '迷路', 703);  // １０×１０
    await page.locator('#screen').click({ position: { x: 40, y: 40 } });
  }],
  ['a puzzle with its tiles scattered', async (page) => {
    await h.pick(page, 'パズル', 737);
    await h.waitAsleep(page);
  }],
];

for (const [name, drive] of scenes) {
  test(name, async (t) => {
    const { page, context, errors } = await h.openPage(env);
    try {
      await drive(page);
      const { replayed } = await h.expectSameAsReplay(t, env, page, name.replaceAll(' ', '-'));
      // Keys and clicks went to the canvas: no focus ring or anything else is drawn over it.
      await h.expectAreaAsDrawn(page, name);
      if (!name.startsWith('a maze')) {
        if (!replayed.cells.some((cell) => cell.ink)) throw new Error('the scene shows no text to compare');
      }
      if (errors.length > 0) throw new Error(`the page reported: ${errors.join('; ')}`);
    } finally {
      await context.close();
    }
  });
}

test('after 終了 the area shows only its message', async () => {
  const { page, context, errors } = await h.openPage(env);
  try {
    await h.pick(page, '速読み練習', 725);  // ５行表示
    await h.waitTicks(page, 12);
    await page.keyboard.press('Space');
    // Lit pixels away from the middle rows, where the message stands.
    const litAwayFromMessage = ({ width, height, rgba }) => {
      let lit = 0;
      for (let at = 0; at < width * height; at++) {
        if (Math.abs(Math.floor(at / width) - height / 2) > 20 && (rgba[at * 4] | rgba[at * 4 + 1] | rgba[at * 4 + 2]) !== 0) lit++;
      }
      return lit;
    };
    assert.ok(litAwayFromMessage(await h.areaOnScreen(page)) > 0, 'the page shows nothing to hide');
    await h.pick(page, 'ファイル', 500);  // 終了
    const area = await h.areaOnScreen(page);
    assert.equal(litAwayFromMessage(area), 0);
    assert.ok(area.rgba.some((value, at) => at % 4 !== 3 && value !== 0), 'no message');
    assert.deepEqual(errors, []);
  } finally {
    await context.close();
  }
});
