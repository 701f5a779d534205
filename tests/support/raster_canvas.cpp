// A canvas over an in-memory pixel buffer for tests.
#include "support/raster_canvas.h"

#include "common/sjis.h"

namespace tavori::testing {

RasterCanvas::RasterCanvas(int width, int height)
    : PixelCanvas(nullptr, 0, 0, 0, PixelFormat::ColourRef) {
    resize(width, height);
}

void RasterCanvas::resize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    // A fresh buffer, so a smaller size gives its memory back.
    buffer_ = std::vector<std::uint32_t>(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0u);
    attach(buffer_.data(), width, height, width);
}

void RasterCanvas::text(int x, int y, std::string_view bytes, int cellHeight, int charWidth,
                        Colour foreground, Colour background) {
    textRuns_.push_back({x, y, std::string(bytes), cellHeight, charWidth, foreground, background});
    fillTextCells(x, y, bytes, cellHeight, charWidth, background);
    if (charWidth <= 0) {
        return;
    }
    int cellX = x;
    for (std::size_t index = 0; index < bytes.size(); ++index) {
        const bool doubleByte = isLeadByte(bytes[index]) && index + 1 < bytes.size();
        const int cells = doubleByte ? 2 : 1;
        if (bytes[index] != ' ') {
            setPixel(cellX + cells * charWidth / 2, y + cellHeight / 2, foreground);
        }
        cellX += cells * charWidth;
        if (doubleByte) {
            ++index;
        }
    }
}

void RasterCanvas::verticalText(int x, int y, std::string_view bytes, int cellSize, Colour foreground,
                                Colour background) {
    fillVerticalCells(x, y, bytes, cellSize, background);
    forEachVerticalCell(bytes, cellSize, [&](const VerticalCell& cell) {
        const std::string character(bytes.substr(cell.position, cell.length));
        verticalCells_.push_back({x, y + cell.top, cellSize, cell.height, character, cell.form, foreground, background});
        if (cell.height > 0 && character != " ") {
            // Half the glyph's move, so a corner mark lands at the centre of its quarter.
            const int shift = verticalShiftEighths(cell.form) * cellSize / 16;
            setPixel(x + cellSize / 2 + shift, y + cell.top + cell.height / 2 - shift, foreground);
        }
    });
}

int RasterCanvas::countPixels(int left, int top, int right, int bottom, Colour colour) const {
    int count = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            if (x >= 0 && y >= 0 && x < width() && y < height() && pixel(x, y) == colour) {
                ++count;
            }
        }
    }
    return count;
}

}  // namespace tavori::testing
