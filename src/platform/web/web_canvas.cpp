// Glyph cells from the page's renderer copied into the picture, and the drawn rectangles handed
// to the <canvas> at a present.
#include "web_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "common/sjis.h"
#include "gfx/vertical_cells.h"
#include "page_imports.h"

namespace tavori::web {

namespace {

// A cell larger than any screen is only its background: its glyph could not be seen whole, and
// rendering it would cost memory without bound.
constexpr int kLargestCell = 4096;
// Pages of every size the exercises use fit many times over; past this the cache starts afresh.
constexpr std::size_t kMostGlyphBytes = 24u << 20;
// More rectangles than this are presented as their bounding box: a maze draws hundreds of
// wall lines, and a present per line costs more than one large one.
constexpr std::size_t kMostDrawnRectangles = 32;

std::uint16_t characterCode(std::string_view bytes, std::size_t position, std::size_t width) {
    const auto first = static_cast<unsigned char>(bytes[position]);
    return width == 2 ? static_cast<std::uint16_t>(first << 8 | static_cast<unsigned char>(bytes[position + 1]))
                      : first;
}

}  // namespace

std::size_t WebCanvas::GlyphKeyHash::operator()(const GlyphKey& key) const {
    std::uint64_t hash = key.code;
    for (const std::uint64_t part : {std::uint64_t{key.form}, std::uint64_t(key.width), std::uint64_t(key.height),
                                     std::uint64_t{key.foreground}, std::uint64_t{key.background}}) {
        hash = hash * 0x100000001B3ull ^ part;
    }
    return static_cast<std::size_t>(hash ^ hash >> 29);
}

WebCanvas::WebCanvas(int width, int height, double ratio) : PixelCanvas(nullptr, 0, 0, 0, PixelFormat::Rgba) {
    reportChanges(true);
    resize(width, height, ratio);
}

void WebCanvas::resize(int width, int height, double ratio) {
    if (ratio != this->ratio()) {
        glyphs_.clear();
        glyphBytes_ = 0;
    }
    width = std::max(width, 0);
    height = std::max(height, 0);
    attachScaled(nullptr, width, height, 0, ratio);
    pixels_.assign(static_cast<std::size_t>(deviceWidth()) * static_cast<std::size_t>(deviceHeight()), encode(kBlack));
    attachScaled(pixels_.data(), width, height, deviceWidth(), ratio);
    drawn_.clear();
    changed(0, 0, width, height);
}

void WebCanvas::rescale(double ratio) {
    std::vector<Colour> logical;
    logical.reserve(static_cast<std::size_t>(width()) * static_cast<std::size_t>(height()));
    for (int y = 0; y < height(); ++y) {
        for (int x = 0; x < width(); ++x) logical.push_back(pixel(x, y));
    }
    resize(width(), height(), ratio);
    std::size_t at = 0;
    for (int y = 0; y < height(); ++y) {
        for (int x = 0; x < width(); ++x) setPixel(x, y, logical[at++]);
    }
}

void WebCanvas::changed(int left, int top, int right, int bottom) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, width());
    bottom = std::min(bottom, height());
    if (left >= right || top >= bottom) return;
    drawn_.push_back({left, top, right, bottom});
    if (drawn_.size() > kMostDrawnRectangles) {
        Rect box = drawn_.front();
        for (const Rect& rect : drawn_) {
            box = {std::min(box.left, rect.left), std::min(box.top, rect.top), std::max(box.right, rect.right),
                   std::max(box.bottom, rect.bottom)};
        }
        drawn_.assign(1, box);
    }
}

void WebCanvas::present() {
    for (const Rect& rect : drawn_) {
        const int left = deviceEdge(rect.left);
        const int top = deviceEdge(rect.top);
        tavoriPagePresent(pixels_.data(), deviceWidth(), deviceHeight(), left, top, deviceEdge(rect.right) - left,
                          deviceEdge(rect.bottom) - top);
    }
    drawn_.clear();
}

const std::vector<std::uint32_t>& WebCanvas::glyph(const GlyphKey& key, int shift) {
    if (const auto kept = glyphs_.find(key); kept != glyphs_.end()) return kept->second;
    const std::size_t bytes = static_cast<std::size_t>(key.width) * static_cast<std::size_t>(key.height) * 4;
    if (glyphBytes_ + bytes > kMostGlyphBytes) {
        glyphs_.clear();
        glyphBytes_ = 0;
    }
    std::vector<std::uint32_t> cell(static_cast<std::size_t>(key.width) * static_cast<std::size_t>(key.height));
    tavoriPageRenderGlyph(key.code, key.width, key.height, encode(key.foreground), encode(key.background), key.form,
                          shift, cell.data());
    glyphBytes_ += bytes;
    return glyphs_.emplace(key, std::move(cell)).first->second;
}

void WebCanvas::copyCell(const std::vector<std::uint32_t>& cell, int width, int height, int left, int top) {
    const int fromX = std::max(0, -left);
    const int fromY = std::max(0, -top);
    const int columns = std::min(width, deviceWidth() - left) - fromX;
    const int rows = std::min(height, deviceHeight() - top) - fromY;
    if (columns <= 0) return;
    for (int row = 0; row < rows; ++row) {
        std::memcpy(deviceRow(top + fromY + row) + left + fromX,
                    cell.data() + static_cast<std::size_t>(fromY + row) * static_cast<std::size_t>(width) + fromX,
                    static_cast<std::size_t>(columns) * sizeof(std::uint32_t));
    }
}

void WebCanvas::text(int x, int y, std::string_view bytes, int cellHeight, int charWidth, Colour foreground,
                     Colour background) {
    // Cells of no width or height cover nothing; cells above or below the picture show nothing.
    if (charWidth <= 0 || cellHeight <= 0 || deviceWidth() == 0 || y >= height() ||
        static_cast<std::int64_t>(y) + cellHeight <= 0) {
        return;
    }
    if (charWidth > kLargestCell || cellHeight > kLargestCell) {
        fillTextCells(x, y, bytes, cellHeight, charWidth, background);
        return;
    }
    const int top = deviceEdge(y);
    const int deviceHeightOfCells = deviceEdge(y + cellHeight) - top;
    std::int64_t cellX = x;
    for (std::size_t position = 0; position < bytes.size() && cellX < width();) {
        const std::size_t characterWidth = characterWidthAt(bytes, position);
        const std::int64_t cellRight = cellX + static_cast<std::int64_t>(characterWidth) * charWidth;
        if (cellRight > 0) {
            const int left = deviceEdge(static_cast<int>(cellX));
            const int deviceWidthOfCell = deviceEdge(static_cast<int>(cellRight)) - left;
            const GlyphKey key{characterCode(bytes, position, characterWidth),
                               static_cast<std::uint8_t>(VerticalForm::Upright), deviceWidthOfCell,
                               deviceHeightOfCells, foreground, background};
            copyCell(glyph(key, 0), deviceWidthOfCell, deviceHeightOfCells, left, top);
        }
        cellX = cellRight;
        position += characterWidth;
    }
    // The cells were written straight from the cache, so their span is reported here.
    changed(x, y, static_cast<int>(std::min<std::int64_t>(cellX, width())), y + cellHeight);
}

void WebCanvas::verticalText(int x, int y, std::string_view bytes, int cellSize, Colour foreground,
                             Colour background) {
    // Cells too small to halve cover nothing; a column left or right of the picture shows nothing.
    if (cellSize < 2 || deviceWidth() == 0 || x >= width() || static_cast<std::int64_t>(x) + cellSize <= 0) {
        return;
    }
    if (cellSize > kLargestCell) {
        fillVerticalCells(x, y, bytes, cellSize, background);
        return;
    }
    const int left = deviceEdge(x);
    const int deviceWidthOfCells = deviceEdge(x + cellSize) - left;
    const int length = forEachVerticalCell(bytes, cellSize, [&](const VerticalCell& cell) {
        const std::int64_t cellTop = std::int64_t{y} + cell.top;
        if (cellTop >= height() || cellTop + cell.height <= 0) return;
        const int top = deviceEdge(static_cast<int>(cellTop));
        const int deviceHeightOfCell = deviceEdge(static_cast<int>(cellTop + cell.height)) - top;
        const GlyphKey key{cell.code, static_cast<std::uint8_t>(cell.form), deviceWidthOfCells, deviceHeightOfCell,
                           foreground, background};
        // Right and up by whole device pixels, so the glyph keeps its sharpness.
        const int shift = static_cast<int>(std::lround(verticalShiftEighths(cell.form) * deviceWidthOfCells / 8.0));
        copyCell(glyph(key, shift), deviceWidthOfCells, deviceHeightOfCell, left, top);
    });
    changed(x, y, x + cellSize, static_cast<int>(std::min<std::int64_t>(std::int64_t{y} + length, height())));
}

}  // namespace tavori::web
