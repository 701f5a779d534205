// The drawing primitives every exercise uses: fitted text, clears, fills, lines and frames.
#pragma once

#include <cstdint>
#include <string_view>

#include "common/canvas.h"
#include "common/colour.h"

namespace tavori {

// The character width that makes `byteLength` bytes span `boxWidth`: boxWidth ÷ n − 1 with
// the remainder dropped. A short text is drawn with large letters.
constexpr int fittedCharWidth(int boxWidth, int byteLength) { return boxWidth / byteLength - 1; }

// Draws `text` (up to its first NUL) at (x, y) in cells of `boxHeight` × the fitted width and
// returns the width its opaque cells cover, always less than `boxWidth`. An empty text draws
// nothing and covers 0.
int drawTextBox(Canvas& canvas, std::string_view text, int x, int y, int boxWidth, int boxHeight,
                 Colour foreground, Colour background);

// Blacks out (0, 0)–(clientWidth, clientHeight), the client size as last stored.
void clearScreen(Canvas& canvas, std::int32_t clientWidth, std::int32_t clientHeight);

// Left and top edges included, right and bottom excluded.
void fillBox(Canvas& canvas, int left, int top, int right, int bottom, Colour colour);

// The end point (x2, y2) is not painted.
void drawLine(Canvas& canvas, int x1, int y1, int x2, int y2, Colour colour);

// Top, bottom, left, right edge in that order; as line ends are not painted, the corner pixel
// (right, bottom) stays unpainted.
void drawFrame(Canvas& canvas, int left, int top, int right, int bottom, Colour colour);

}  // namespace tavori
