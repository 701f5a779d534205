// Which text cell each pixel of a raster last came from, carried through fills, lines and copies.
#include "cell_tracker.h"

#include <algorithm>
#include <unordered_map>

#include "common/sjis.h"
#include "gfx/copy_clip.h"
#include "gfx/vertical_cells.h"

namespace tavori::replay {

namespace {

// A character a browser shows no ink for: a space, a full-width space or a control byte.
bool isBlank(std::string_view character) {
    if (character.size() == 2) {
        return character == "\x81\x40";
    }
    return static_cast<unsigned char>(character[0]) <= 0x20 || character[0] == 0x7F;
}

struct Span {
    int left;
    int right;  // excluded
};

}  // namespace

int CellBook::addCell(const DrawnCell& cell) {
    cells_.push_back(cell);
    return static_cast<int>(cells_.size()) - 1;
}

int CellBook::piece(int cell, int dx, int dy) {
    const auto [found, added] = pieceIds_.try_emplace({cell, dx, dy}, static_cast<int>(pieces_.size()));
    if (added) {
        pieces_.push_back({cell, dx, dy});
    }
    return found->second;
}

CellTracker::CellTracker(testing::RasterCanvas& raster, CellBook& book) : raster_(raster), book_(book) { reset(); }

void CellTracker::reset() {
    width_ = raster_.width();
    height_ = raster_.height();
    owners_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0);
    scratch_.resize(width_, height_);
}

void CellTracker::sync() {
    if (raster_.width() != width_ || raster_.height() != height_) {
        reset();
    }
}

void CellTracker::cover(int left, int top, int right, int bottom) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, width_);
    bottom = std::min(bottom, height_);
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            ownerAt(x, y) = 0;
        }
    }
}

void CellTracker::addCell(const Rect& cell, bool glyph, Colour foreground, Colour background) {
    const int left = std::max(cell.x, 0);
    const int top = std::max(cell.y, 0);
    const int right = std::min(cell.x + std::max(cell.width, 0), width_);
    const int bottom = std::min(cell.y + std::max(cell.height, 0), height_);
    if (left >= right || top >= bottom) {
        return;
    }
    const int id = book_.addCell({cell, glyph && foreground != background, foreground, background});
    const int owner = book_.piece(id, 0, 0) + 1;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            ownerAt(x, y) = owner;
        }
    }
}

void CellTracker::fillRect(int left, int top, int right, int bottom, Colour colour) {
    sync();
    raster_.fillRect(left, top, right, bottom, colour);
    cover(left, top, right, bottom);
}

void CellTracker::line(int x1, int y1, int x2, int y2, Colour colour) {
    sync();
    raster_.line(x1, y1, x2, y2, colour);
    // The same line on a blank canvas of the same size marks exactly the pixels it covers.
    constexpr Colour kMark = 1;
    scratch_.line(x1, y1, x2, y2, kMark);
    const int left = std::max(std::min(x1, x2), 0);
    const int right = std::min(std::max(x1, x2) + 1, width_);
    const int top = std::max(std::min(y1, y2), 0);
    const int bottom = std::min(std::max(y1, y2) + 1, height_);
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            if (scratch_.pixel(x, y) == kMark) {
                ownerAt(x, y) = 0;
                scratch_.setPixel(x, y, kBlack);
            }
        }
    }
}

void CellTracker::text(int x, int y, std::string_view bytes, int cellHeight, int charWidth, Colour foreground,
                       Colour background) {
    sync();
    raster_.text(x, y, bytes, cellHeight, charWidth, foreground, background);
    if (charWidth <= 0) {
        return;
    }
    int cellX = x;
    for (std::size_t position = 0; position < bytes.size();) {
        const std::size_t length = characterWidthAt(bytes, position);
        const int width = static_cast<int>(length) * charWidth;
        addCell({cellX, y, width, cellHeight}, !isBlank(bytes.substr(position, length)), foreground, background);
        cellX += width;
        position += length;
    }
}

void CellTracker::verticalText(int x, int y, std::string_view bytes, int cellSize, Colour foreground,
                               Colour background) {
    sync();
    raster_.verticalText(x, y, bytes, cellSize, foreground, background);
    forEachVerticalCell(bytes, cellSize, [&](const VerticalCell& cell) {
        addCell({x, y + cell.top, cellSize, cell.height}, !isBlank(bytes.substr(cell.position, cell.length)),
                foreground, background);
    });
}

void CellTracker::blit(const Canvas& source, int sourceX, int sourceY, int width, int height, int destinationX,
                       int destinationY) {
    sync();
    const auto* from = dynamic_cast<const CellTracker*>(&source);
    if (from == nullptr) {
        raster_.blit(source, sourceX, sourceY, width, height, destinationX, destinationY);
        const auto* pixels = dynamic_cast<const PixelCanvas*>(&source);
        if (pixels != nullptr) {
            const auto copy = clipCopy({sourceX, sourceY, width, height, destinationX, destinationY},
                                       pixels->width(), pixels->height(), width_, height_);
            if (copy) {
                cover(copy->destinationX, copy->destinationY, copy->destinationX + copy->width,
                      copy->destinationY + copy->height);
            }
        }
        return;
    }
    raster_.blit(from->raster_, sourceX, sourceY, width, height, destinationX, destinationY);
    const bool sourceKnown = from->width_ == from->raster_.width() && from->height_ == from->raster_.height();
    const auto copy = clipCopy({sourceX, sourceY, width, height, destinationX, destinationY},
                               from->raster_.width(), from->raster_.height(), width_, height_);
    if (!copy) {
        return;
    }
    // Read first: the source may be this canvas.
    std::vector<int> copied;
    copied.reserve(static_cast<std::size_t>(copy->width) * static_cast<std::size_t>(copy->height));
    for (int row = 0; row < copy->height; ++row) {
        for (int column = 0; column < copy->width; ++column) {
            copied.push_back(sourceKnown ? from->ownerAt(copy->sourceX + column, copy->sourceY + row) : 0);
        }
    }
    const int dx = copy->destinationX - copy->sourceX;
    const int dy = copy->destinationY - copy->sourceY;
    std::unordered_map<int, int> moved;
    auto next = copied.begin();
    for (int row = 0; row < copy->height; ++row) {
        for (int column = 0; column < copy->width; ++column) {
            int owner = *next++;
            if (owner != 0) {
                auto found = moved.find(owner);
                if (found == moved.end()) {
                    const CellBook::Piece piece = book_.pieceAt(owner - 1);
                    found = moved.emplace(owner, book_.piece(piece.cell, piece.dx + dx, piece.dy + dy) + 1).first;
                }
                owner = found->second;
            }
            ownerAt(copy->destinationX + column, copy->destinationY + row) = owner;
        }
    }
}

std::vector<VisibleCell> CellTracker::visibleCells() const {
    struct Seen {
        std::vector<std::pair<int, Span>> rows;  // each row's spans, top to bottom
    };
    std::vector<int> order;
    std::unordered_map<int, Seen> seen;
    if (raster_.width() != width_ || raster_.height() != height_) {
        return {};
    }
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_;) {
            const int owner = ownerAt(x, y);
            int end = x + 1;
            while (end < width_ && ownerAt(end, y) == owner) {
                ++end;
            }
            if (owner != 0) {
                auto [found, added] = seen.try_emplace(owner);
                if (added) {
                    order.push_back(owner);
                }
                found->second.rows.push_back({y, {x, end}});
            }
            x = end;
        }
    }

    std::vector<VisibleCell> cells;
    cells.reserve(order.size());
    for (const int owner : order) {
        const CellBook::Piece& piece = book_.pieceAt(owner - 1);
        const DrawnCell& drawn = book_.cellAt(piece.cell);
        const Rect moved{drawn.cell.x + piece.dx, drawn.cell.y + piece.dy, drawn.cell.width, drawn.cell.height};
        const int left = std::max(moved.x, 0);
        const int top = std::max(moved.y, 0);
        const int right = std::min(moved.x + moved.width, width_);
        const int bottom = std::min(moved.y + moved.height, height_);

        VisibleCell cell{{left, top, right - left, bottom - top}, {}, false, false, drawn.glyph,
                         drawn.foreground, drawn.background};
        long long shown = 0;
        // A span extends the rectangle of the same columns that ended on the row above.
        std::vector<std::size_t> open;
        for (const auto& [y, span] : seen[owner].rows) {
            shown += span.right - span.left;
            for (int x = span.left; x < span.right && !cell.ink; ++x) {
                cell.ink = raster_.pixel(x, y) != drawn.background;
            }
            const auto extended = std::find_if(open.begin(), open.end(), [&](std::size_t index) {
                const Rect& part = cell.parts[index];
                return part.x == span.left && part.width == span.right - span.left && part.y + part.height == y;
            });
            if (extended != open.end()) {
                ++cell.parts[*extended].height;
            } else {
                cell.parts.push_back({span.left, y, span.right - span.left, 1});
                open.push_back(cell.parts.size() - 1);
            }
        }
        cell.whole = shown == static_cast<long long>(moved.width) * moved.height;
        cells.push_back(std::move(cell));
    }
    return cells;
}

}  // namespace tavori::replay
