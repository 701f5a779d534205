// A restart keeps the settings, the record and the page: the page is loaded again in the same
// browser profile (leaving it fires pagehide), and its storage, menus, status line and page are
// what the native program has after the same calls and a close.
import assert from 'node:assert/strict';
import { test, before, after } from 'node:test';
import * as h from './harness.mjs';

let env;
before(async () => { env = await h.startBrowser(); });
after(async () => { await env?.close(); });

const textCells = (replayed) => replayed.cells.filter((cell) => cell.ink).map(({ x, y, w, h: height }) => [x, y, w, height]);

test('rows, display time, the session on screen and the page are kept by a reload', async (t) => {
  const { page, context } = await h.openPage(env);
  try {
    await h.pick(page, '速読み練習', 726);  // ６行表示
    await h.pick(page, '表示時間', 261);    // ２．０秒
    await page.keyboard.press('ArrowRight');
    await page.keyboard.press('ArrowRight');
    const { entries: first } = await h.capture(page);
    const left = await h.replay(env, first, { close: true });

    // What the storage holds when the reloaded page starts, before its own script runs.
    await context.addInitScript(() => {
      window.tavoriStoredAtStart = Object.fromEntries(Object.keys(localStorage)
        .filter((key) => key.startsWith('tavori:') && !key.startsWith('tavori:picked-'))
        .map((key) => [key.slice('tavori:'.length), localStorage.getItem(key)]));
    });
    await page.reload();
    await page.evaluate(() => window.tavori.ready);
    const stored = Object.fromEntries(Object.entries(await page.evaluate(() => window.tavoriStoredAtStart))
      .map(([name, text]) => [name, Buffer.from(text, 'utf8')]));
    // Leaving the page closed the program: its settings are the native program's after a close.
    assert.equal(stored['settings.txt']?.toString(), left.stored['settings.txt']?.toString());
    // The session on screen is in the record, as the native program records it (its dates and times apart).
    const sessions = (files) => files['history.tsv']?.toString().split('\n').slice(1, -1).map((line) => line.split('\t').slice(2, 10));
    assert.equal(sessions(left.stored).length, 1);
    assert.deepEqual(sessions(stored), sessions(left.stored));

    const marks = await h.expectMarksAsReplay(env, page, { stored });
    for (const id of [261, 726]) assert.ok(marks.checked.includes(id), `item ${id} is checked after the restart`);
    assert.equal(await page.textContent('#status'), marks.status);

    // Back to reading: the page left on screen comes first.
    await h.pick(page, '速読み練習', 726);
    await page.keyboard.press('ArrowRight');
    await page.keyboard.press('Space');
    const { replayed } = await h.expectSameAsReplay(t, env, page, 'restarted', { stored });
    assert.deepEqual(textCells(replayed), textCells(left));
    assert.match(await page.textContent('#status'), /^w\.txt　進み/);
  } finally {
    await context.close();
  }
});

test('a reading test on an easy passage reaches its result, kept in the storage for 結果 after a reload', async () => {
  const { page, context } = await h.openPage(env);
  const status = () => page.textContent('#status');
  try {
    await h.pick(page, '読書テスト', 971);  // やさしい文章でテスト: its passage was fetched at start
    await page.waitForFunction(() => / 字$/.test(document.querySelector('#status').textContent));
    for (let press = 0; press < 200 && !(await status()).includes('問題'); press++) await page.keyboard.press('ArrowRight');
    for (let asked = 0; asked < 5 && (await status()).includes('問題'); asked++) {
      await page.keyboard.press(String(1 + asked % 3));
      await page.keyboard.press('Space');
    }
    const result = await status();
    assert.match(result, /正解 \d \/ 5　実効 [\d,]+ 文字\/分$/);
    await page.reload();
    await page.evaluate(() => window.tavori.ready);
    assert.match(await page.evaluate(() => localStorage.getItem('tavori:history.tsv')), /\treading_test\t/);
    await h.pick(page, '読書テスト', 975);  // 結果
    await page.waitForFunction((shown) => document.querySelector('#status').textContent === shown, result);
  } finally {
    await context.close();
  }
});

test('checked practice asks about the stretch read, takes an answer and keeps its item and pace', async () => {
  const { page, context } = await h.openPage(env);
  const status = () => page.textContent('#status');
  try {
    await h.pick(page, '速読み練習', 736);  // 16 rows: four pages make a stretch
    await h.pick(page, '速読み練習', 920);  // 確認しながら読む
    for (let press = 0; press < 20 && !(await status()).includes('確認の問題'); press++) await page.keyboard.press('ArrowRight');
    assert.match(await status(), /確認の問題/);
    await page.keyboard.press('1');
    assert.match(await status(), /確認 正解 [01]\/1（/);
    await page.keyboard.press('Space');
    assert.doesNotMatch(await status(), /確認の問題/);
    await page.reload();
    await page.evaluate(() => window.tavori.ready);
    assert.match(await page.evaluate(() => localStorage.getItem('tavori:settings.txt')), /^checked=1$/m);
  } finally {
    await context.close();
  }
});
