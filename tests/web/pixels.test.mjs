// The page's picture in each exercise against the native replay of the same calls: a page of
// rows and one of columns, an image-practice question, a maze and a puzzle.
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
  ['an image-practice question waiting for its answer', async (page) => {
    await page.keyboard.press('Space');  // the next question
    await h.waitAsleep(page);            // flashed for 0.5 s, then the three answers
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
      if (!name.startsWith('a maze')) {
        if (!replayed.cells.some((cell) => cell.ink)) throw new Error('the scene shows no text to compare');
      }
      if (errors.length > 0) throw new Error(`the page reported: ${errors.join('; ')}`);
    } finally {
      await context.close();
    }
  });
}
