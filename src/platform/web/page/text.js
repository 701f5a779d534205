// Shift-JIS to Unicode through the browser's own decoder, and the glyphs of Shift-JIS characters
// in the bundled font, filling the program's cells as the desktop programs fill them.

// Made at the first glyph: loading the decoder's tables costs the first picture a
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
