// The column geometry worked out in half cells, and each row drawn as one column with the rest
// of its box blacked.
#include "reading/vertical_page.h"

#include <algorithm>
#include <string_view>

#include "common/sjis.h"
#include "gfx/primitives.h"
#include "gfx/vertical_cells.h"

namespace tavori {

namespace {

// The row boxes of the two widths, as drawReadingPage has them.
constexpr int kWideBoxWidth = 1000;
constexpr int kNarrowBoxWidth = 500;
// A row of the 32-byte width stops before column 31 holds a double-byte character; a narrower
// row takes that character whole, one byte past its width.
constexpr int kWidestRow = 32;

int rowWidth(const ReadingState& reading) { return std::clamp(reading.bytesPerLine, 1, kWidestRow); }

// Half cells of the longest row a page of this width builds.
int rowCapacity(int width) { return width < kWidestRow ? width + 1 : kWidestRow; }

// 1¼ cells of two half cells each, to the nearest pixel, halves up.
int spacingFor(int halfCell) { return (5 * halfCell + 1) / 2; }

// The row up to its NUL, without the spaces that pad it after a line end (or after the text's
// end): those are left blank by the box. A trail byte is never 0x20, but the walk keeps to
// character boundaries all the same.
std::string_view columnText(const PageRow& row) {
    const std::string_view whole(row.data(), std::find(row.begin(), row.end(), '\0') - row.begin());
    std::size_t end = 0;
    for (std::size_t at = 0; at < whole.size();) {
        const std::size_t width = characterWidthAt(whole, at);
        at += width;
        if (width == 2 || whole[at - 1] != ' ') {
            end = at;
        }
    }
    return whole.substr(0, end);
}

}  // namespace

VerticalPageLayout verticalPageLayout(const ReadingState& reading, std::int32_t clientWidth,
                                      std::int32_t clientHeight) {
    const int width = rowWidth(reading);
    const int columns = std::max(rowsOnPage(reading), 1);
    const int capacity = rowCapacity(width);
    const int boxWidth = reading.bytesPerLine == 16 ? kNarrowBoxWidth : kWideBoxWidth;
    // A column and a cell (two half cells) above and below it; the columns and a cell either side.
    const auto fits = [&](int half) {
        const std::int64_t across = std::int64_t{columns - 1} * spacingFor(half) + 3 * 2 * half;
        return std::int64_t{capacity + 4} * half <= clientHeight && across <= clientWidth;
    };
    int half = std::max(boxWidth / width, 1);
    while (half > 1 && !fits(half)) {
        --half;
    }
    const int cellSize = 2 * half;
    const int spacing = spacingFor(half);
    const int columnLength = capacity * half;
    const int pageWidth = (columns - 1) * spacing + cellSize;
    const int left = clientWidth / 2 - pageWidth / 2;
    return VerticalPageLayout{cellSize, spacing, columnLength, left + (columns - 1) * spacing,
                              clientHeight / 2 - columnLength / 2};
}

void drawVerticalPage(const ReadingState& reading, const PageRows& rows, Context& context) {
    const VerticalPageLayout layout = verticalPageLayout(reading, context.shell.clientWidth, context.shell.clientHeight);
    Canvas& canvas = context.window;
    const int rowCount = rowsOnPage(reading);
    for (int i = 0; i < rowCount; ++i) {
        const int x = layout.firstColumnX - i * layout.spacing;
        const std::string_view text = columnText(rows[static_cast<std::size_t>(i)]);
        int covered = 0;
        if (!text.empty()) {
            canvas.verticalText(x, layout.top, text, layout.cellSize, kWhite, kBlack);
            covered = verticalColumnLength(text, layout.cellSize);
        }
        // Each pixel of the box is written once: the cells opaque, the rest black.
        fillBox(canvas, x, layout.top + covered, x + layout.cellSize, layout.top + layout.columnLength, kBlack);
    }
}

}  // namespace tavori
