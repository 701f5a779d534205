// What the core draws on: the window's client area or the off-screen work bitmap.
#pragma once

#include <string_view>

#include "common/colour.h"

namespace tavori {

class Canvas {
public:
    virtual ~Canvas() = default;

    // Fills left <= x < right, top <= y < bottom. An empty or inverted rectangle paints nothing.
    virtual void fillRect(int left, int top, int right, int bottom, Colour colour) = 0;

    // A 1-pixel solid line from (x1, y1) towards (x2, y2); the end point itself is not painted.
    virtual void line(int x1, int y1, int x2, int y2, Colour colour) = 0;

    // Shift-JIS bytes in the fixed bold gothic font, drawn opaque with the top-left corner at
    // (x, y): a single-byte character takes one cell `charWidth` wide, a double-byte
    // character two, every cell `cellHeight` high and filled with `background` first. The
    // cell geometry is the contract; the glyph shapes are the platform's. `charWidth` may be
    // zero or negative when a text is longer than its box; such cells cover nothing.
    virtual void text(int x, int y, std::string_view bytes, int cellHeight, int charWidth,
                      Colour foreground, Colour background) = 0;

    // The same bytes as a column read top to bottom, drawn opaque with the top-left corner at
    // (x, y): each character in its cell `cellSize` wide, a double-byte one cellSize high and a
    // single-byte one cellSize / 2, every cell filled with `background` first. The cells and
    // each glyph's form are gfx/vertical_cells.h's (forEachVerticalCell); a canvas draws the
    // glyph in that form and never outside its cell. A cellSize below 2 covers nothing.
    virtual void verticalText(int x, int y, std::string_view bytes, int cellSize, Colour foreground,
                              Colour background) = 0;

    // Copies width × height pixels from (sourceX, sourceY) of `source` to (destinationX,
    // destinationY) here, clipped to both canvases.
    virtual void blit(const Canvas& source, int sourceX, int sourceY, int width, int height,
                      int destinationX, int destinationY) = 0;
};

}  // namespace tavori
