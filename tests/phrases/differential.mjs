// Runs BudouX's own parser (tools/budoux, `npm ci` there) on the lines of each text and compares
// its phrases with those tavori_phrase_dump prints for the core: any difference fails.
// usage: node differential.mjs PHRASE_DUMP FILE...
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { createRequire } from 'node:module';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

const root = join(dirname(fileURLToPath(import.meta.url)), '../..');
let budoux;
try {
  budoux = createRequire(import.meta.url)(join(root, 'tools/budoux/node_modules/budoux'));
} catch {
  console.error('the budoux npm package is missing: run scripts/install-deps (or npm ci in tools/budoux)');
  process.exit(1);
}
const parser = budoux.loadDefaultJapaneseParser();
const [dump, ...texts] = process.argv.slice(2);

// Lines strung together from the model's own keys (seeded), so that every weight of the table,
// however rare in prose, is reached at every offset. A key CP932 lacks (U+301C) is left out.
const { model } = createRequire(import.meta.url)(join(root, 'tools/budoux/node_modules/budoux/dist/data/models/ja.js'));
const keys = Object.values(model).flatMap((group) => Object.keys(group)).filter((key) => !key.includes('\u301c'));
let seed = 1;
const draw = (count) => (seed = (seed * 1103515245 + 12345) % 2147483648) % count;
const keyLines = Array.from({ length: 3000 }, () => Array.from({ length: 1 + draw(12) }, () => keys[draw(keys.length)]).join(''));
const scratch = mkdtempSync(join(tmpdir(), 'phrases-'));
process.on('exit', () => rmSync(scratch, { recursive: true, force: true }));
writeFileSync(join(scratch, 'model-keys.txt'), keyLines.join('\n') + '\n');
const files = [...texts, join(scratch, 'model-keys.txt')];

const output = execFileSync(dump, files, { maxBuffer: 1 << 28 }).toString('utf8');
const sections = output.split('\x1e').slice(1);
const lines = (text) => text.split(/\r\n|\r|\n/);
// The text as the core holds it, for files the Aozora Bunko clean-up leaves alone: Shift-JIS
// decoded, or UTF-8 taken through code page 932 and back as the loader does.
function expectedText(bytes) {
  const utf8 = new TextDecoder('utf-8', { fatal: false }).decode(bytes);
  const cp932 = /[^\x00-\x7f]/.test(utf8) && !utf8.includes('\ufffd')
    ? execFileSync('iconv', ['-f', 'UTF-8', '-t', 'CP932'], { input: bytes })
    : bytes;
  return execFileSync('iconv', ['-f', 'CP932', '-t', 'UTF-8'], { input: cp932 }).toString('utf8').replace(/^\ufeff/, '');
}

const differences = [];
let sentences = 0;
let characters = 0;
let phrases = 0;
sections.forEach((section, index) => {
  const name = section.slice(0, section.indexOf('\n'));
  if (name !== files[index]) throw new Error(`section ${index} is ${name}, not ${files[index]}`);
  // A line end belongs to the phrase before it, so a line's phrases lie between separators.
  const rows = lines(section.slice(name.length + 1)).map((row) => row.split('\x1f').filter((phrase) => phrase !== ''));
  const own = lines(expectedText(readFileSync(name)));
  const aozora = /［＃|底本：/.test(own.join('\n'));
  if (!aozora && own.join('\n') !== rows.map((row) => row.join('')).join('\n')) {
    differences.push(`${name}: the core's text differs from the file's`);
  }
  rows.forEach((core, line) => {
    const sentence = core.join('');
    const expected = parser.parse(sentence);
    sentences += sentence === '' ? 0 : 1;
    characters += [...sentence].length;
    phrases += expected.length;
    if (JSON.stringify(core) !== JSON.stringify(expected)) {
      differences.push(`${name}:${line + 1}\n  core:   ${core.join(' | ')}\n  budoux: ${expected.join(' | ')}`);
    }
  });
});
console.log(`${files.length} files, ${sentences} sentences, ${characters} characters, ${phrases} phrases compared`);
if (differences.length > 0) {
  console.log(`${differences.length} differ; the first:\n${differences.slice(0, 5).join('\n')}`);
  process.exit(1);
}
