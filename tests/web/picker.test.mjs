// 読み込み through the browser's file picker: a Shift-JIS, a UTF-8 and an Aozora Bunko text
// shown as the replay of the same bytes shows them, and a cancelled picker that loads nothing.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { test, before, after } from 'node:test';
import * as h from './harness.mjs';

let env;
before(async () => { env = await h.startBrowser(); });
after(async () => { await env?.close(); });

const loadText = 720;  // 読み込み

// Chooses 読み込み and answers its picker with `files` (none for a cancel); resolves once the
// command has run.
async function pickText(page, files) {
  const before = h.entriesOf(await h.journal(page), 'command').length;
  const [chooser] = await Promise.all([page.waitForEvent('filechooser'), h.pick(page, '速読み練習', loadText)]);
  assert.equal(chooser.isMultiple(), false);
  await chooser.setFiles(files);
  await page.waitForFunction((count) => JSON.parse(window.tavori.journal()).filter((e) => e[0] === 'command').length > count,
                             before, { polling: 20 });
}

// The text's first page, shown at once with → and held still with the pause.
async function expectPageAsReplay(t, page, name) {
  await page.keyboard.press('ArrowRight');
  await page.keyboard.press('Space');
  return h.expectSameAsReplay(t, env, page, name);
}

for (const [name, file] of [['a Shift-JIS text', 'shift-jis.txt'], ['a UTF-8 text', 'utf-8.txt'],
                            ['an Aozora Bunko text', 'aozora-bunko.txt']]) {
  test(`${name} is read as the replay of its bytes reads it`, async (t) => {
    const { page, context } = await h.openPage(env);
    try {
      await h.pick(page, '速読み練習', 736);  // １６行表示: the whole short text on one page
      await pickText(page, join(h.fixtures, file));
      const { entries, replayed } = await expectPageAsReplay(t, page, file);
      const picked = h.entriesOf(entries, 'file');
      assert.deepEqual(picked.map((entry) => entry[1]), [`/picked/${file}`]);
      // The core got the file's bytes as they are on the disk, not a decoding of them.
      assert.deepEqual(Buffer.from(picked[0][2], 'base64'), readFileSync(join(h.fixtures, file)));
      assert.deepEqual(entries[entries.findIndex((entry) => entry[0] === 'file') + 1], ['choose', `/picked/${file}`]);
      assert.ok(replayed.cells.filter((cell) => cell.ink).length > 20, 'the text is on the page');
      assert.match(await page.textContent('#status'), new RegExp(`^${file.replace('.', '\\.')}`));
    } finally {
      await context.close();
    }
  });
}

test('a cancelled picker loads nothing: the text before stays', async (t) => {
  const { page, context } = await h.openPage(env);
  try {
    await h.pick(page, '速読み練習', 736);
    await pickText(page, join(h.fixtures, 'utf-8.txt'));
    await pickText(page, []);
    const { entries } = await expectPageAsReplay(t, page, 'cancelled');
    assert.deepEqual(h.entriesOf(entries, 'choose').map((entry) => entry[1]), ['/picked/utf-8.txt', null]);
    assert.equal(h.entriesOf(entries, 'file').length, 1);
    assert.match(await page.textContent('#status'), /^utf-8\.txt/);
  } finally {
    await context.close();
  }
});
