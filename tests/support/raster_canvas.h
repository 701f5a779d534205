// A canvas over an in-memory pixel buffer for tests: exact fills, lines and copies, opaque
// text cells, and a log of every text run.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gfx/pixel_canvas.h"
#include "gfx/vertical_cells.h"

namespace tavori::testing {

struct TextRun {
    int x;
    int y;
    std::string bytes;
    int cellHeight;
    int charWidth;
    Colour foreground;
    Colour background;
};

// One cell of a vertical column, where it landed on the canvas.
struct VerticalCellRun {
    int x;
    int y;
    int width;
    int height;
    std::string bytes;  // the character's one or two bytes
    VerticalForm form;
    Colour foreground;
    Colour background;
};

class RasterCanvas : public PixelCanvas {
public:
    RasterCanvas(int width, int height);

    // A new size; the whole picture starts black again.
    void resize(int width, int height);

    // Fills the cells with the background and marks each cell that holds a visible character
    // with one foreground pixel at its centre, so a test can tell text from blank.
    void text(int x, int y, std::string_view bytes, int cellHeight, int charWidth,
              Colour foreground, Colour background) override;

    // Fills the cells with the background, logs each cell, and marks each visible character
    // with one foreground pixel at its cell's centre, moved right and up by half its form's move.
    void verticalText(int x, int y, std::string_view bytes, int cellSize, Colour foreground,
                      Colour background) override;

    const std::vector<TextRun>& textRuns() const { return textRuns_; }
    const std::vector<VerticalCellRun>& verticalCells() const { return verticalCells_; }
    void clearTextRuns() {
        textRuns_.clear();
        verticalCells_.clear();
    }

    // Number of pixels of the given colour inside left <= x < right, top <= y < bottom.
    int countPixels(int left, int top, int right, int bottom, Colour colour) const;

private:
    std::vector<std::uint32_t> buffer_;
    std::vector<TextRun> textRuns_;
    std::vector<VerticalCellRun> verticalCells_;
};

}  // namespace tavori::testing
