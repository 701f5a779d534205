import * as h from './harness.mjs';
const env = await h.startBrowser();
try {
  const { page, context } = await h.openPage(env);
  await h.pick(page, '速読み練習', 726);
  await h.pick(page, '表示時間', 261);
  await page.keyboard.press('ArrowRight');
  await page.keyboard.press('ArrowRight');
  const first = await h.capture(page);
  const r1 = await h.replay(env, first.entries, { close: true });
  console.log('before', r1.status, r1.checked, Object.fromEntries(Object.entries(r1.stored).map(([k, v]) => [k, v.toString()])));
  await context.addInitScript(() => {
    window.tavoriStoredAtStart = Object.fromEntries(Object.keys(localStorage).map((k) => [k, localStorage.getItem(k)]));
  });
  await page.reload();
  await page.evaluate(() => window.tavori.ready);
  console.log(await page.evaluate(() => window.tavoriStoredAtStart));
  console.log(await page.textContent('#status'));
  await page.keyboard.press('ArrowRight');
  await h.pick(page, '速読み練習', 726);
  await page.keyboard.press('ArrowRight');
  const second = await h.capture(page);
  console.log(JSON.stringify(second.entries));
  await page.screenshot({ path: '/tmp/webtests-restart.png' });
  h.keepPictures('before', first.shown, r1);
} finally { await env.close(); }
