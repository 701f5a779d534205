// Compares a front end's picture with the raster canvas's: pixel by pixel outside the text cells,
// ink or none inside each.
#include "support/raster_comparison.h"

#include <map>
#include <vector>

#include "common/sjis.h"

namespace tavori::testing {
namespace {

struct Cell {
    int width;
    int height;
    bool glyph;  // not a space, a full-width space or ink in the background's colour
    Colour background;
};

Cell cellOf(std::string_view bytes, int width, int height, Colour ink, Colour paper) {
    return {width, height, ink != paper && bytes != " " && bytes != "\x81\x40", paper};
}

}  // namespace

std::string differenceFromRaster(const RasterCanvas& raster, const std::function<Colour(int, int)>& shown) {
    std::map<std::pair<int, int>, Cell> cells;  // by top-left corner, the last drawn there
    for (const TextRun& run : raster.textRuns()) {
        int x = run.x;
        for (std::size_t at = 0; at < run.bytes.size(); at += characterWidthAt(run.bytes, at)) {
            const std::string_view bytes = std::string_view(run.bytes).substr(at, characterWidthAt(run.bytes, at));
            const int width = static_cast<int>(bytes.size()) * run.charWidth;
            cells[{x, run.y}] = cellOf(bytes, width, run.cellHeight, run.foreground, run.background);
            x += width;
        }
    }
    for (const VerticalCellRun& cell : raster.verticalCells()) {
        cells[{cell.x, cell.y}] = cellOf(cell.bytes, cell.width, cell.height, cell.foreground, cell.background);
    }
    std::string found = cells.empty() ? "no text drawn; " : "";
    const auto note = [&found](int x, int y, const char* what) {
        if (found.size() < 300) found += std::to_string(x) + "," + std::to_string(y) + what;
    };
    const int width = raster.width();
    std::vector<bool> inCell(static_cast<std::size_t>(width * raster.height()));
    for (const auto& [corner, cell] : cells) {
        bool ink = false;
        bool mark = false;
        for (int y = std::max(corner.second, 0); y < std::min(corner.second + cell.height, raster.height()); ++y) {
            for (int x = std::max(corner.first, 0); x < std::min(corner.first + cell.width, width); ++x) {
                inCell[static_cast<std::size_t>(y * width + x)] = true;
                ink = ink || shown(x, y) != cell.background;
                mark = mark || raster.pixel(x, y) != cell.background;
            }
        }
        // A cell the edge cuts may show a glyph whose mark fell outside.
        const bool whole = corner.first >= 0 && corner.second >= 0 && corner.first + cell.width <= width &&
                           corner.second + cell.height <= raster.height();
        if (whole && ink != (cell.glyph && mark)) note(corner.first, corner.second, ink ? " a cell with ink; " : " a cell without; ");
    }
    for (int at = 0; at < width * raster.height(); ++at) {
        if (!inCell[static_cast<std::size_t>(at)] && shown(at % width, at / width) != raster.pixel(at % width, at / width)) {
            note(at % width, at / width, " differs; ");
        }
    }
    return found;
}

}  // namespace tavori::testing
