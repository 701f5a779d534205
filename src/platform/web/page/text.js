// Shift-JIS and Unicode through the browser's own decoder (and that decoder read backwards for
// the other way), and the glyphs of Shift-JIS characters in the bundled font, filling the
// program's cells as the desktop programs fill them.

// Made at the first glyph or conversion: loading the decoder's tables costs the first picture a
// few milliseconds, and the start screen has no text.
let decoder = null;
const shiftJis = () => (decoder ??= new TextDecoder('shift_jis'));
const characterTexts = new Map();

// The text of one character: `code` is a single byte, or lead byte × 256 + trail byte.
export function characterText(code) {
  let text = characterTexts.get(code);
  if (text === undefined) {
    text = shiftJis().decode(Uint8Array.from(code > 0xff ? [code >> 8, code & 0xff] : [code]));
    characterTexts.set(code, text);
  }
  return text;
}

let encodeTable = null;

// Every double-byte code the decoder knows, read backwards. Where two codes give one character
// (NEC's and IBM's extensions) the first one wins, except that the NEC-selected IBM rows (ED, EE)
// give way to IBM's own (FA–FC), as Windows encodes them.
function cp932EncodeTable() {
  const table = new Map();
  const leads = [];
  for (let lead = 0x81; lead <= 0xfc; lead++) {
    if (lead < 0xa0 || lead > 0xdf) leads.push(lead);
  }
  for (const pass of [0, 1]) {
    for (const lead of leads) {
      if ((lead === 0xed || lead === 0xee) !== (pass === 1)) continue;
      const bytes = [];
      const trails = [];
      for (let trail = 0x40; trail <= 0xfc; trail++) {
        if (trail === 0x7f) continue;
        // A line end after each pair: an invalid pair then shows as more than one character.
        bytes.push(lead, trail, 0x0a);
        trails.push(trail);
      }
      const texts = shiftJis().decode(Uint8Array.from(bytes)).split('\n');
      trails.forEach((trail, index) => {
        const text = texts[index];
        if (text.length > 0 && [...text].length === 1 && text !== '\ufffd' && !table.has(text)) {
          table.set(text, (lead << 8) | trail);
        }
      });
    }
  }
  return table;
}

// UTF-8 bytes to code page 932; a character it cannot hold becomes "?".
export function utf8ToCp932(utf8) {
  encodeTable ??= cp932EncodeTable();
  const text = new TextDecoder('utf-8').decode(utf8);
  const out = new Uint8Array(text.length * 2);
  let length = 0;
  for (const character of text) {
    const point = character.codePointAt(0);
    if (point < 0x80) {
      out[length++] = point;
    } else if (point >= 0xff61 && point <= 0xff9f) {
      out[length++] = point - 0xff61 + 0xa1;  // half-width katakana
    } else {
      const code = encodeTable.get(character);
      if (code === undefined) {
        out[length++] = 0x3f;
      } else {
        out[length++] = code >> 8;
        out[length++] = code & 0xff;
      }
    }
  }
  return out.subarray(0, length);
}

const turnedForm = 1;  // gfx/vertical_cells.h: Upright, Turned, Corner, SmallKana

function cssColour(rgba) {
  return `rgb(${rgba & 0xff},${(rgba >>> 8) & 0xff},${(rgba >>> 16) & 0xff})`;
}

// Glyphs in `family`: the font's whole line (ascent + descent) fills the cell height, and the
// glyph is stretched to its one or two cells, so every system shows the same glyph in the same
// cell. A turned glyph stands as in a row cell of the turned size, turned a quarter clockwise.
export class GlyphRenderer {
  constructor(family) {
    this.family = family;
    this.canvas = document.createElement('canvas');
    this.context = this.canvas.getContext('2d', { willReadFrequently: true });
    this.context.font = `bold 100px ${family}`;
    const metrics = this.context.measureText('あ');
    const line = (metrics.fontBoundingBoxAscent ?? 88) + (metrics.fontBoundingBoxDescent ?? 12);
    this.lineHeightAt100 = Math.max(1, line);
  }

  render(code, width, height, foreground, background, form, shift, out) {
    if (width <= 0 || height <= 0) return;
    const canvas = this.canvas;
    if (canvas.width < width || canvas.height < height) {
      canvas.width = Math.max(canvas.width, width);
      canvas.height = Math.max(canvas.height, height);
    }
    const context = this.context;
    context.setTransform(1, 0, 0, 1, 0, 0);
    context.fillStyle = cssColour(background);
    context.fillRect(0, 0, width, height);
    const text = characterText(code);
    if (text.trim() !== '') {
      const turned = form === turnedForm;
      const rowWidth = turned ? height : width;
      const rowHeight = turned ? width : height;
      const pixelSize = Math.max(1, Math.floor(100 * (rowHeight / this.lineHeightAt100)));
      context.font = `bold ${pixelSize}px ${this.family}`;
      const metrics = context.measureText(text);
      if (metrics.width > 0) {
        context.save();
        context.beginPath();
        context.rect(0, 0, width, height);
        context.clip();
        if (turned) {
          context.setTransform(0, 1, -1, 0, width, 0);
        } else if (shift > 0) {
          context.translate(shift, -shift);
        }
        context.scale(rowWidth / metrics.width, 1);
        context.fillStyle = cssColour(foreground);
        context.textBaseline = 'alphabetic';
        context.fillText(text, 0, metrics.fontBoundingBoxAscent ?? pixelSize * 0.88);
        context.restore();
      }
    }
    out.set(context.getImageData(0, 0, width, height).data);
  }
}
