// Logical to device edges, row fills that skip what already holds the colour, Bresenham lines,
// and block copies between canvases of the same or different ratios.
#include "gfx/pixel_canvas.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

#include "gfx/copy_clip.h"
#include "gfx/vertical_cells.h"

namespace tavori {

namespace {

// No screen has more; a larger value would only make blocks that no buffer could hold.
constexpr double kLargestRatio = 16.0;

std::int64_t edgeAt(std::int64_t logical, double ratio) {
    return static_cast<std::int64_t>(std::floor(static_cast<double>(logical) * ratio + 0.5));
}

// The half-open range of the coordinates a line from `from` towards `to` passes, the start
// in and the end out either way round (a line that stays at `from` covers just it), held to
// what an int can say.
std::pair<int, int> pointsAlong(int from, int to) {
    const auto [first, last] = from == to ? std::pair<std::int64_t, std::int64_t>{from, from}
                               : from < to ? std::pair<std::int64_t, std::int64_t>{from, std::int64_t{to} - 1}
                                           : std::pair<std::int64_t, std::int64_t>{std::int64_t{to} + 1, from};
    return {static_cast<int>(first), static_cast<int>(std::min<std::int64_t>(last + 1, INT_MAX))};
}

}  // namespace

PixelCanvas::PixelCanvas(std::uint32_t* pixels, int width, int height, int strideInPixels,
                         PixelFormat format)
    : pixels_(pixels), width_(width), height_(height), stride_(strideInPixels), deviceWidth_(width),
      deviceHeight_(height), format_(format) {}

void PixelCanvas::attach(std::uint32_t* pixels, int width, int height, int strideInPixels) {
    attachScaled(pixels, width, height, strideInPixels, 1.0);
}

void PixelCanvas::attachScaled(std::uint32_t* pixels, int width, int height, int strideInPixels,
                               double ratio) {
    pixels_ = pixels;
    width_ = width;
    height_ = height;
    stride_ = strideInPixels;
    ratio_ = std::isfinite(ratio) ? std::clamp(ratio, 1.0, kLargestRatio) : 1.0;
    deviceWidth_ = deviceEdge(width);
    deviceHeight_ = deviceEdge(height);
}

int PixelCanvas::deviceEdge(int logical) const {
    if (ratio_ == 1.0) {
        return logical;
    }
    return static_cast<int>(std::clamp<std::int64_t>(edgeAt(logical, ratio_), INT_MIN, INT_MAX));
}

int PixelCanvas::logicalAt(int device) const {
    if (ratio_ == 1.0) {
        return device;
    }
    // The estimate is at most one block off either way; the edges themselves decide.
    auto logical = static_cast<std::int64_t>(std::floor((device + 0.5) / ratio_));
    while (edgeAt(logical, ratio_) > device) {
        --logical;
    }
    while (edgeAt(logical + 1, ratio_) <= device) {
        ++logical;
    }
    return static_cast<int>(logical);
}

Colour PixelCanvas::decode(std::uint32_t pixel) const {
    if (format_ != PixelFormat::Argb32) {
        return pixel & 0x00FFFFFFu;
    }
    return rgb((pixel >> 16) & 0xFFu, (pixel >> 8) & 0xFFu, pixel & 0xFFu);
}

Colour PixelCanvas::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return kBlack;
    }
    return decode(deviceRow(deviceEdge(y))[deviceEdge(x)]);
}

void PixelCanvas::setPixel(int x, int y, Colour colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return;
    }
    if (fillDevice(deviceEdge(x), deviceEdge(y), deviceEdge(x + 1), deviceEdge(y + 1), encode(colour)) &&
        reportChanges_) {
        changed(x, y, x + 1, y + 1);
    }
}

bool PixelCanvas::fillDevice(int left, int top, int right, int bottom, std::uint32_t value) {
    int firstChanged = top;
    if (reportChanges_) {
        // Skip the rows that already hold the colour; a repeated drawing then writes nothing.
        const auto same = [&](int y) {
            const std::uint32_t* row = deviceRow(y);
            return std::all_of(row + left, row + right, [value](std::uint32_t pixel) { return pixel == value; });
        };
        while (firstChanged < bottom && same(firstChanged)) {
            ++firstChanged;
        }
        if (firstChanged == bottom) {
            return false;
        }
    }
    for (int y = firstChanged; y < bottom; ++y) {
        std::uint32_t* row = deviceRow(y);
        std::fill(row + left, row + right, value);
    }
    return true;
}

void PixelCanvas::fillRect(int left, int top, int right, int bottom, Colour colour) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, width_);
    bottom = std::min(bottom, height_);
    if (left >= right || top >= bottom) {
        return;
    }
    if (fillDevice(deviceEdge(left), deviceEdge(top), deviceEdge(right), deviceEdge(bottom), encode(colour)) &&
        reportChanges_) {
        changed(left, top, right, bottom);
    }
}

void PixelCanvas::line(int x1, int y1, int x2, int y2, Colour colour) {
    if ((x1 == x2) != (y1 == y2)) {
        // A level or upright line is a rectangle one pixel across, filled and compared row by
        // row rather than point by point (a frame's edges are redrawn at every step).
        const auto [left, right] = pointsAlong(x1, x2);
        const auto [top, bottom] = pointsAlong(y1, y2);
        fillRect(left, top, right, bottom, colour);
        return;
    }
    const std::uint32_t value = encode(colour);
    // The changed points' bounding box, reported once for the whole line.
    int changedLeft = INT_MAX;
    int changedTop = INT_MAX;
    int changedRight = INT_MIN;
    int changedBottom = INT_MIN;
    // Bresenham from the start point, stopping before the end point as GDI's LineTo does.
    const int dx = std::abs(x2 - x1);
    const int dy = -std::abs(y2 - y1);
    const int stepX = x1 < x2 ? 1 : -1;
    const int stepY = y1 < y2 ? 1 : -1;
    int error = dx + dy;
    int x = x1;
    int y = y1;
    while (x != x2 || y != y2) {
        if (x >= 0 && y >= 0 && x < width_ && y < height_ &&
            fillDevice(deviceEdge(x), deviceEdge(y), deviceEdge(x + 1), deviceEdge(y + 1), value)) {
            changedLeft = std::min(changedLeft, x);
            changedTop = std::min(changedTop, y);
            changedRight = std::max(changedRight, x + 1);
            changedBottom = std::max(changedBottom, y + 1);
        }
        const int doubled = 2 * error;
        if (doubled >= dy) {
            error += dy;
            x += stepX;
        }
        if (doubled <= dx) {
            error += dx;
            y += stepY;
        }
    }
    if (reportChanges_ && changedLeft < changedRight) {
        changed(changedLeft, changedTop, changedRight, changedBottom);
    }
}

void PixelCanvas::blit(const Canvas& source, int sourceX, int sourceY, int width, int height,
                       int destinationX, int destinationY) {
    const auto* from = dynamic_cast<const PixelCanvas*>(&source);
    if (from == nullptr) {
        return;
    }
    const auto clipped = clipCopy({sourceX, sourceY, width, height, destinationX, destinationY}, from->width_,
                                  from->height_, width_, height_);
    if (!clipped) {
        return;
    }
    const CopyRect& copy = *clipped;
    const bool sameFormat = from->format_ == format_;
    if (from != this && sameFormat && copyBlocks(*from, copy)) {
        return;
    }
    // Each device pixel of a destination block takes the pixel at the same offset in the
    // source block, or the block's last one when the source block is narrower (fractional
    // ratios, or canvases of different ratios). At equal whole ratios this copies blocks.
    const auto sourceOffsets = [](const PixelCanvas& to, int toStart, const PixelCanvas& of, int ofStart, int count) {
        std::vector<int> offsets;
        offsets.reserve(static_cast<std::size_t>(to.deviceEdge(toStart + count) - to.deviceEdge(toStart)));
        for (int index = 0; index < count; ++index) {
            const int blockStart = of.deviceEdge(ofStart + index);
            const int blockLast = of.deviceEdge(ofStart + index + 1) - 1;
            const int blockLength = to.deviceEdge(toStart + index + 1) - to.deviceEdge(toStart + index);
            for (int offset = 0; offset < blockLength; ++offset) {
                offsets.push_back(std::min(blockStart + offset, blockLast));
            }
        }
        return offsets;
    };
    const std::vector<int> columns = sourceOffsets(*this, copy.destinationX, *from, copy.sourceX, copy.width);
    const std::vector<int> rows = sourceOffsets(*this, copy.destinationY, *from, copy.sourceY, copy.height);
    // A canvas may copy onto itself, so take the rows first.
    const std::size_t rowLength = columns.size();
    std::vector<std::uint32_t> taken(rowLength * rows.size());
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const std::uint32_t* sourceRow = from->deviceRow(rows[row]);
        std::uint32_t* out = taken.data() + row * rowLength;
        for (std::size_t column = 0; column < rowLength; ++column) {
            const std::uint32_t pixel = sourceRow[columns[column]];
            out[column] = sameFormat ? pixel : encode(from->decode(pixel));
        }
    }
    const int left = deviceEdge(copy.destinationX);
    const int top = deviceEdge(copy.destinationY);
    bool any = false;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        any = writeRow(taken.data() + row * rowLength, deviceRow(top + static_cast<int>(row)) + left, rowLength) || any;
    }
    reportCopied(copy, any);
}

bool PixelCanvas::writeRow(const std::uint32_t* in, std::uint32_t* out, std::size_t count) {
    // A row that already holds these pixels is left alone, so a repeated copy changes nothing.
    if (reportChanges_ && std::equal(in, in + count, out)) {
        return false;
    }
    std::copy_n(in, count, out);
    return true;
}

void PixelCanvas::reportCopied(const CopyRect& copy, bool anyChanged) {
    if (reportChanges_ && anyChanged) {
        changed(copy.destinationX, copy.destinationY, copy.destinationX + copy.width, copy.destinationY + copy.height);
    }
}

bool PixelCanvas::copyBlocks(const PixelCanvas& from, const CopyRect& copy) {
    const int sourceLeft = from.deviceEdge(copy.sourceX);
    const int sourceTop = from.deviceEdge(copy.sourceY);
    const int left = deviceEdge(copy.destinationX);
    const int top = deviceEdge(copy.destinationY);
    const int columns = deviceEdge(copy.destinationX + copy.width) - left;
    const int rows = deviceEdge(copy.destinationY + copy.height) - top;
    // Only when the two rectangles hold the same device pixels, one for one.
    if (from.deviceEdge(copy.sourceX + copy.width) - sourceLeft != columns ||
        from.deviceEdge(copy.sourceY + copy.height) - sourceTop != rows) {
        return false;
    }
    bool any = false;
    for (int row = 0; row < rows; ++row) {
        any = writeRow(from.deviceRow(sourceTop + row) + sourceLeft, deviceRow(top + row) + left,
                       static_cast<std::size_t>(columns)) ||
              any;
    }
    reportCopied(copy, any);
    return true;
}

int PixelCanvas::fillTextCells(int x, int y, std::string_view bytes, int cellHeight, int charWidth,
                               Colour background) {
    // A single-byte character takes one cell and a double-byte one two (a lead byte at the
    // end stands alone in one), so the run has one cell per byte.
    const auto cells = static_cast<int>(bytes.size());
    const int runWidth = charWidth > 0 ? cells * charWidth : 0;
    fillRect(x, y, x + runWidth, y + cellHeight, background);
    return runWidth;
}

int PixelCanvas::fillVerticalCells(int x, int y, std::string_view bytes, int cellSize, Colour background) {
    const int length = verticalColumnLength(bytes, cellSize);
    if (length > 0) {
        fillRect(x, y, x + cellSize, y + length, background);
    }
    return length;
}

void PixelCanvas::verticalText(int x, int y, std::string_view bytes, int cellSize, Colour /*foreground*/,
                               Colour background) {
    fillVerticalCells(x, y, bytes, cellSize, background);
}

}  // namespace tavori
