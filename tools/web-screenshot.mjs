// Draws the README's picture of the browser version, docs/screenshots/web-chromium.png: a page
// of speed reading (16 rows, paused so the status line says so) in headless Chromium at
// 1366 × 768, seeded as the tests are. With the site served (scripts/serve-web):
//   node tools/web-screenshot.mjs http://localhost:8080/ docs/screenshots/web-chromium.png
import { createRequire } from "node:module";
import path from "node:path";
import { fileURLToPath } from "node:url";

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), "..");
const { chromium } = createRequire(path.join(root, "tests/web/package.json"))("playwright-core");
const [address, out] = process.argv.slice(2);
if (!address || !out) {
  console.error("usage: node tools/web-screenshot.mjs URL OUT.png");
  process.exit(2);
}

const browser = await chromium.launch({ executablePath: "/usr/bin/chromium", headless: true });
try {
  const page = await browser.newPage({ viewport: { width: 1366, height: 768 } });
  await page.goto(new URL("?seed=1", address).href);
  await page.evaluate(() => window.tavori.ready);
  // 速読み練習 → １６行表示 from the menu bar, some pages on, then Space to pause.
  const item = page.locator('#menubar [data-id="736"]');
  await item.locator("xpath=ancestor::ul[@role='menu']/preceding-sibling::button").click();
  await item.click();
  await page.waitForTimeout(2500);
  await page.keyboard.press("Space");
  await page.waitForFunction(() => document.getElementById("status").textContent.includes("一時停止"));
  await page.screenshot({ path: out });
} finally {
  await browser.close();
}
