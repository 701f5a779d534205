// A canvas over a plain 32-bit pixel buffer: fills, lines and copies with clipping.
#include "gfx/pixel_canvas.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "gfx/copy_clip.h"

namespace tavori {

PixelCanvas::PixelCanvas(std::uint32_t* pixels, int width, int height, int strideInPixels,
                         PixelFormat format)
    : pixels_(pixels), width_(width), height_(height), stride_(strideInPixels), format_(format) {}

void PixelCanvas::attach(std::uint32_t* pixels, int width, int height, int strideInPixels) {
    pixels_ = pixels;
    width_ = width;
    height_ = height;
    stride_ = strideInPixels;
}

std::uint32_t PixelCanvas::encode(Colour colour) const {
    if (format_ == PixelFormat::ColourRef) {
        return colour & 0x00FFFFFFu;
    }
    return 0xFF000000u | (redOf(colour) << 16) | (greenOf(colour) << 8) | blueOf(colour);
}

Colour PixelCanvas::decode(std::uint32_t pixel) const {
    if (format_ == PixelFormat::ColourRef) {
        return pixel & 0x00FFFFFFu;
    }
    return rgb((pixel >> 16) & 0xFFu, (pixel >> 8) & 0xFFu, pixel & 0xFFu);
}

Colour PixelCanvas::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return kBlack;
    }
    return decode(pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(stride_) +
                          static_cast<std::size_t>(x)]);
}

void PixelCanvas::setPixel(int x, int y, Colour colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return;
    }
    pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(stride_) +
            static_cast<std::size_t>(x)] = encode(colour);
}

void PixelCanvas::fillRect(int left, int top, int right, int bottom, Colour colour) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, width_);
    bottom = std::min(bottom, height_);
    if (left >= right || top >= bottom) {
        return;
    }
    const std::uint32_t value = encode(colour);
    for (int y = top; y < bottom; ++y) {
        std::uint32_t* row = pixels_ + static_cast<std::size_t>(y) * static_cast<std::size_t>(stride_);
        std::fill(row + left, row + right, value);
    }
}

void PixelCanvas::line(int x1, int y1, int x2, int y2, Colour colour) {
    // Bresenham from the start point, stopping before the end point as GDI's LineTo does.
    const int dx = std::abs(x2 - x1);
    const int dy = -std::abs(y2 - y1);
    const int stepX = x1 < x2 ? 1 : -1;
    const int stepY = y1 < y2 ? 1 : -1;
    int error = dx + dy;
    int x = x1;
    int y = y1;
    while (x != x2 || y != y2) {
        setPixel(x, y, colour);
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
    // A canvas may copy onto itself, so take the rows first.
    std::vector<std::uint32_t> rows(static_cast<std::size_t>(copy.width) * static_cast<std::size_t>(copy.height));
    for (int row = 0; row < copy.height; ++row) {
        for (int column = 0; column < copy.width; ++column) {
            rows[static_cast<std::size_t>(row * copy.width + column)] =
                encode(from->pixel(copy.sourceX + column, copy.sourceY + row));
        }
    }
    for (int row = 0; row < copy.height; ++row) {
        std::uint32_t* target = pixels_ +
                                static_cast<std::size_t>(copy.destinationY + row) * static_cast<std::size_t>(stride_) +
                                static_cast<std::size_t>(copy.destinationX);
        std::copy_n(rows.begin() + static_cast<std::ptrdiff_t>(row) * copy.width, copy.width, target);
    }
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

}  // namespace tavori
