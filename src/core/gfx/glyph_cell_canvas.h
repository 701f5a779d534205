// A canvas over its own pixel buffer at a device pixel ratio whose text cells (in rows and in
// columns) hold glyphs from a front end's renderer, kept in a cache, with the rectangles drawn
// since the last present: all of a screen canvas but the font, written once for every front end.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "gfx/glyph_cache.h"
#include "gfx/pixel_canvas.h"
#include "gfx/vertical_cells.h"

namespace tavori {

// One character's cell, as the canvas asks for it.
struct GlyphRequest {
    std::uint16_t code;  // the Shift-JIS code: one byte, or lead byte × 256 + trail byte
    VerticalForm form;   // Upright in a row
    int width;           // device pixels
    int height;
    Colour foreground;
    Colour background;
    int shift;  // device pixels the glyph moves right and up (a column's corner marks and small kana)
};

// The one thing a front end supplies: glyph shapes in its font.
class GlyphRenderer {
public:
    virtual ~GlyphRenderer() = default;
    // The format of the pixels it writes, which is also the format of its canvas's buffer.
    virtual PixelFormat format() const = 0;
    // Writes request.width × request.height pixels, row after row, to `out`: the cell filled with
    // the background and the glyph in its form over it, never outside the cell.
    virtual void render(const GlyphRequest& request, std::uint32_t* out) = 0;
};

// A logical rectangle whose pixels changed, right and bottom excluded.
struct DrawnRect {
    int left;
    int top;
    int right;
    int bottom;
    bool operator==(const DrawnRect&) const = default;
};

class GlyphCellCanvas : public PixelCanvas {
public:
    // `width` × `height` logical pixels at `ratio` device pixels each; the picture starts black.
    // The buffer is in the renderer's format, the one the front end's screen takes, so a present
    // hands pixels over as they are, never converting them.
    GlyphCellCanvas(int width, int height, double ratio, std::unique_ptr<GlyphRenderer> renderer,
                    GlyphLimits glyphLimits = {});

    // A new size and ratio; the picture starts black and is reported drawn whole.
    void resize(int width, int height, double ratio);
    // A new ratio keeping the picture, one colour per logical pixel.
    void rescale(double ratio);

    void text(int x, int y, std::string_view bytes, int cellHeight, int charWidth,
              Colour foreground, Colour background) override;
    // Each cell's glyph in its form (gfx/vertical_cells.h), moved by whole device pixels.
    void verticalText(int x, int y, std::string_view bytes, int cellSize, Colour foreground,
                      Colour background) override;

    // The logical rectangles drawn since the last call (they may overlap), and a fresh start.
    std::vector<DrawnRect> takeDrawnRectangles();
    bool drawnSincePresent() const { return !drawn_.empty(); }

    // deviceWidth() × deviceHeight() pixels, row after row, in the renderer's format; moved by
    // resize() and rescale().
    const std::uint32_t* devicePixels() const { return pixels_.data(); }
    std::uint32_t* devicePixels() { return pixels_.data(); }
    using PixelCanvas::deviceHeight;
    using PixelCanvas::deviceWidth;
    const GlyphCache& glyphCache() const { return glyphs_; }

protected:
    void changed(int left, int top, int right, int bottom) override;
    // Called after the buffer was replaced (a resize or rescale), for a front end that wraps it.
    virtual void bufferReplaced() {}

private:
    // The cell for `key`, from the cache or rendered now.
    const GlyphCell& cell(const GlyphKey& key, int shift);
    // Copies the visible part of `cell` to device (left, top).
    void copyCell(const GlyphCell& cell, int left, int top);

    std::unique_ptr<GlyphRenderer> renderer_;
    std::vector<std::uint32_t> pixels_;
    GlyphCache glyphs_;
    std::vector<DrawnRect> drawn_;
};

}  // namespace tavori
