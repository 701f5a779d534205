// A column of Shift-JIS characters set as a Japanese book sets it: each character's cell, top to
// bottom, and the form its glyph takes there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/sjis.h"

namespace tavori {

// How a glyph stands in its cell of a vertical column. Every canvas draws the form it is given
// and keeps the glyph inside the cell, so the forms look alike everywhere.
enum class VerticalForm : std::uint8_t {
    Upright,    // as it is drawn in a row
    Turned,     // turned a quarter clockwise: brackets, dashes, lines, half-width characters
    Corner,     // moved into the upper right of its cell: 、。，．
    SmallKana,  // moved a little towards the upper right: ぁ っ ャ ヶ and the rest
};

// The form of the character with this code: a single byte, or lead byte × 256 + trail byte.
VerticalForm verticalForm(std::uint16_t code);

// How far a Corner or SmallKana glyph is moved from where it stands in a row, right and up, in
// eighths of its cell: a row's 、 sits low at the left, a column's high at the right, and a
// small kana sits low in a row and towards the upper right in a column.
constexpr int verticalShiftEighths(VerticalForm form) {
    return form == VerticalForm::Corner ? 4 : form == VerticalForm::SmallKana ? 1 : 0;
}

struct VerticalCell {
    int top;              // below the column's top
    int height;           // the cell size for a double-byte character, half of it for a single byte
    std::size_t position;  // the character's bytes within the column's
    std::size_t length;
    std::uint16_t code;
    VerticalForm form;
};

// Calls visit(cell) for each character of `bytes` from the top, every cell `cellSize` wide: a
// double-byte character (its lead and trail byte together, by the one walker) is cellSize high,
// a single-byte one cellSize / 2 (a lead byte at the very end stands alone in a half cell).
// Returns the column's length; a cell size below 2 gives cells of no height, which cover nothing.
template <typename Visit>
int forEachVerticalCell(std::string_view bytes, int cellSize, Visit&& visit) {
    const int full = cellSize >= 2 ? cellSize : 0;
    int top = 0;
    for (std::size_t position = 0; position < bytes.size();) {
        const std::size_t length = characterWidthAt(bytes, position);
        const auto lead = static_cast<unsigned char>(bytes[position]);
        const auto code = static_cast<std::uint16_t>(
            length == 2 ? lead << 8 | static_cast<unsigned char>(bytes[position + 1]) : lead);
        const int height = length == 2 ? full : full / 2;
        visit(VerticalCell{top, height, position, length, code, verticalForm(code)});
        top += height;
        position += length;
    }
    return top;
}

// The length of the column forEachVerticalCell lays out.
int verticalColumnLength(std::string_view bytes, int cellSize);

}  // namespace tavori
