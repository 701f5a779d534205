// A canvas in front of a raster that remembers which text cell each pixel last came from, through
// fills, lines and copies between canvases, so a replay can tell which pixels are glyph area.
#pragma once

#include <map>
#include <tuple>
#include <vector>

#include "common/canvas.h"
#include "support/raster_canvas.h"

namespace tavori::replay {

struct Rect {
    int x;
    int y;
    int width;
    int height;

    bool operator==(const Rect&) const = default;
};

// One character's cell as a text call laid it out, on the canvas it was drawn on.
struct DrawnCell {
    Rect cell;
    // Whether the character has a glyph to show: not a space, and drawn in a colour of its own.
    bool glyph;
    Colour foreground;
    Colour background;
};

// A drawn cell as it shows in the final picture, at the place copies moved it to.
struct VisibleCell {
    Rect cell;                // the whole cell, moved, clipped to the canvas
    std::vector<Rect> parts;  // the pixels still showing it, as rectangles
    bool whole;               // every pixel of the cell still shows it
    bool ink;                 // the raster shows its glyph mark in what is left
    bool glyph;
    Colour foreground;
    Colour background;
};

// The cells drawn on every tracked canvas, and where copies have put them: shared by the
// canvases between which copies run.
class CellBook {
public:
    int addCell(const DrawnCell& cell);
    // The piece of `cell` moved by (dx, dy), made on first use.
    int piece(int cell, int dx, int dy);

    struct Piece {
        int cell;
        int dx;
        int dy;
    };
    const Piece& pieceAt(int id) const { return pieces_[static_cast<std::size_t>(id)]; }
    const DrawnCell& cellAt(int id) const { return cells_[static_cast<std::size_t>(id)]; }

private:
    std::vector<DrawnCell> cells_;
    std::vector<Piece> pieces_;
    std::map<std::tuple<int, int, int>, int> pieceIds_;
};

class CellTracker final : public Canvas {
public:
    CellTracker(testing::RasterCanvas& raster, CellBook& book);

    testing::RasterCanvas& raster() { return raster_; }
    const testing::RasterCanvas& raster() const { return raster_; }
    // The raster was resized or erased: no pixel shows a cell any more.
    void reset();

    void fillRect(int left, int top, int right, int bottom, Colour colour) override;
    void line(int x1, int y1, int x2, int y2, Colour colour) override;
    void text(int x, int y, std::string_view bytes, int cellHeight, int charWidth, Colour foreground,
              Colour background) override;
    void verticalText(int x, int y, std::string_view bytes, int cellSize, Colour foreground,
                      Colour background) override;
    // A copy from another tracker carries its cells along; from any other canvas it covers them.
    void blit(const Canvas& source, int sourceX, int sourceY, int width, int height, int destinationX,
              int destinationY) override;

    // Every cell some pixel of which still shows it, in the order they were first seen from the
    // top left.
    std::vector<VisibleCell> visibleCells() const;

private:
    // Follows the raster's size; a new size starts with no cells.
    void sync();
    void cover(int left, int top, int right, int bottom);
    void addCell(const Rect& cell, bool glyph, Colour foreground, Colour background);
    int& ownerAt(int x, int y) {
        return owners_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
    }
    int ownerAt(int x, int y) const {
        return owners_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
    }

    testing::RasterCanvas& raster_;
    CellBook& book_;
    int width_ = 0;
    int height_ = 0;
    // Per pixel, the piece it shows plus one, or 0.
    std::vector<int> owners_;
    // Where a line lands, drawn the raster's way on a canvas of its own.
    testing::RasterCanvas scratch_{0, 0};
};

}  // namespace tavori::replay
