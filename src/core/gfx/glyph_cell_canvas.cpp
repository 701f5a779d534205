// The cell walk over a row or a column, glyph cells from the cache or the renderer copied into
// the picture clipped to it, and the drawn rectangles kept few.
#include "gfx/glyph_cell_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "common/sjis.h"

namespace tavori {

namespace {

// A cell wider or taller than this many logical pixels is only its background: its glyph could
// not be seen whole in any window, and rendering it would cost memory without bound (a cell of
// 4096 × 4096 at ratio 2 is already 256 MiB). The front ends had 4096 (browser) and 8192 (Qt);
// the smaller keeps the worst single render four times cheaper, and no exercise lays out cells
// within a factor of four of it.
constexpr int kLargestCell = 4096;
// More rectangles than this are kept as their bounding box: a maze draws hundreds of wall lines,
// and each rectangle costs its present a call (a putImageData in the browser, a clipped image
// draw in Qt), which past a few dozen costs more than presenting the box. The front ends had 32
// (browser) and 64 (Qt); a step of any exercise other than the maze draws fewer than 32.
constexpr std::size_t kMostDrawnRectangles = 32;

std::uint16_t characterCode(std::string_view bytes, std::size_t position, std::size_t width) {
    const auto first = static_cast<unsigned char>(bytes[position]);
    return width == 2 ? static_cast<std::uint16_t>(first << 8 | static_cast<unsigned char>(bytes[position + 1]))
                      : first;
}

}  // namespace

GlyphCellCanvas::GlyphCellCanvas(int width, int height, double ratio, std::unique_ptr<GlyphRenderer> renderer,
                                 GlyphLimits glyphLimits)
    : PixelCanvas(nullptr, 0, 0, 0, renderer->format()), renderer_(std::move(renderer)), glyphs_(glyphLimits) {
    reportChanges(true);
    resize(width, height, ratio);
}

void GlyphCellCanvas::resize(int width, int height, double ratio) {
    if (ratio != this->ratio()) {
        glyphs_.clear();
    }
    width = std::max(width, 0);
    height = std::max(height, 0);
    // The device size follows from the ratio's rounding of the logical edges.
    attachScaled(nullptr, width, height, 0, ratio);
    pixels_.assign(static_cast<std::size_t>(deviceWidth()) * static_cast<std::size_t>(deviceHeight()), encode(kBlack));
    attachScaled(pixels_.data(), width, height, deviceWidth(), ratio);
    drawn_.clear();
    changed(0, 0, width, height);
    bufferReplaced();
}

void GlyphCellCanvas::rescale(double ratio) {
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

void GlyphCellCanvas::changed(int left, int top, int right, int bottom) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, width());
    bottom = std::min(bottom, height());
    if (left >= right || top >= bottom) return;
    drawn_.push_back({left, top, right, bottom});
    if (drawn_.size() > kMostDrawnRectangles) {
        DrawnRect box = drawn_.front();
        for (const DrawnRect& rect : drawn_) {
            box = {std::min(box.left, rect.left), std::min(box.top, rect.top), std::max(box.right, rect.right),
                   std::max(box.bottom, rect.bottom)};
        }
        drawn_.assign(1, box);
    }
}

std::vector<DrawnRect> GlyphCellCanvas::takeDrawnRectangles() { return std::exchange(drawn_, {}); }

const GlyphCell& GlyphCellCanvas::cell(const GlyphKey& key, int shift) {
    if (const GlyphCell* kept = glyphs_.find(key)) return *kept;
    GlyphCell rendered{key.deviceWidth, key.deviceHeight,
                       std::vector<std::uint32_t>(static_cast<std::size_t>(key.deviceWidth) *
                                                  static_cast<std::size_t>(key.deviceHeight))};
    renderer_->render({key.character, static_cast<VerticalForm>(key.form), key.deviceWidth, key.deviceHeight,
                       key.foreground, key.background, shift},
                      rendered.pixels.data());
    return glyphs_.insert(key, std::move(rendered));
}

void GlyphCellCanvas::copyCell(const GlyphCell& cell, int left, int top) {
    const int fromX = std::max(0, -left);
    const int fromY = std::max(0, -top);
    const int columns = std::min(cell.width, deviceWidth() - left) - fromX;
    const int rows = std::min(cell.height, deviceHeight() - top) - fromY;
    if (columns <= 0) return;
    for (int row = 0; row < rows; ++row) {
        std::memcpy(deviceRow(top + fromY + row) + left + fromX,
                    cell.pixels.data() + static_cast<std::size_t>(fromY + row) * static_cast<std::size_t>(cell.width) +
                        fromX,
                    static_cast<std::size_t>(columns) * sizeof(std::uint32_t));
    }
}

void GlyphCellCanvas::text(int x, int y, std::string_view bytes, int cellHeight, int charWidth, Colour foreground,
                           Colour background) {
    // Cells of no width or height cover nothing; cells above or below the picture show nothing.
    if (charWidth <= 0 || cellHeight <= 0 || pixels_.empty() || y >= height() ||
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
            const GlyphKey key{characterCode(bytes, position, characterWidth), deviceWidthOfCell, deviceHeightOfCells,
                               foreground, background, static_cast<std::uint8_t>(VerticalForm::Upright)};
            copyCell(cell(key, 0), left, top);
        }
        cellX = cellRight;
        position += characterWidth;
    }
    // The cells were written straight from the cache, so their span is reported here.
    changed(x, y, static_cast<int>(std::min<std::int64_t>(cellX, width())), y + cellHeight);
}

void GlyphCellCanvas::verticalText(int x, int y, std::string_view bytes, int cellSize, Colour foreground,
                                   Colour background) {
    // Cells too small to halve cover nothing; a column left or right of the picture shows nothing.
    if (cellSize < 2 || pixels_.empty() || x >= width() || static_cast<std::int64_t>(x) + cellSize <= 0) {
        return;
    }
    if (cellSize > kLargestCell) {
        fillVerticalCells(x, y, bytes, cellSize, background);
        return;
    }
    const int left = deviceEdge(x);
    const int deviceWidthOfCells = deviceEdge(x + cellSize) - left;
    const int length = forEachVerticalCell(bytes, cellSize, [&](const VerticalCell& vertical) {
        const std::int64_t cellTop = std::int64_t{y} + vertical.top;
        if (cellTop >= height() || cellTop + vertical.height <= 0) return;
        const int top = deviceEdge(static_cast<int>(cellTop));
        const int deviceHeightOfCell = deviceEdge(static_cast<int>(cellTop + vertical.height)) - top;
        const GlyphKey key{vertical.code, deviceWidthOfCells, deviceHeightOfCell, foreground, background,
                           static_cast<std::uint8_t>(vertical.form)};
        // Right and up by whole device pixels, so the glyph keeps its sharpness.
        const int shift =
            static_cast<int>(std::lround(verticalShiftEighths(vertical.form) * deviceWidthOfCells / 8.0));
        copyCell(cell(key, shift), left, top);
    });
    changed(x, y, x + cellSize, static_cast<int>(std::min<std::int64_t>(std::int64_t{y} + length, height())));
}

}  // namespace tavori
