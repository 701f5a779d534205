// Drawing on the Qt canvas: a reading page of 16 rows of 33 bytes in 1,000 × 32 boxes, with
// its glyphs kept in the cache (two pages in turn, so every row changes) and rendered afresh,
// at device pixel ratios 1 and 2, and the same pages in 16 columns; and one drag redraw at
// 1920 × 1080 (a black fill of the client area and fifteen 100 × 100 tile copies).
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <array>
#include <string>
#include <vector>

#include "font_choice.h"
#include "gfx/primitives.h"
#include "gfx/vertical_cells.h"
#include "qt_canvas.h"
#include "reading/vertical_page.h"

namespace {

using tavori::qt::QtCanvas;

// Two pages of sixteen full rows: sixteen full-width characters and the trailing space, each
// row its own characters (from the kanji rows of code page 932).
std::array<std::array<std::string, 16>, 2> readingPages() {
    std::array<std::array<std::string, 16>, 2> pages;
    for (int page = 0; page < 2; ++page) {
        for (int row = 0; row < 16; ++row) {
            std::string& text = pages[static_cast<std::size_t>(page)][static_cast<std::size_t>(row)];
            for (int column = 0; column < 16; ++column) {
                text += static_cast<char>(0x88 + page * 8 + row / 4);
                text += static_cast<char>(0x9F + (row % 4) * 16 + column);
            }
            text += ' ';
        }
    }
    return pages;
}

// args: device pixel ratio, glyph cache on (1) or off (0), processor caches kept (0) or
// flushed between pages (1), as they are after the 100 ms an idle program sleeps between pages.
void readingPage(benchmark::State& state) {
    QtCanvas canvas(QSize(1200, 700), tavori::qt::chooseTextFont(), static_cast<double>(state.range(0)),
                    state.range(1) != 0 ? tavori::GlyphLimits{} : tavori::GlyphLimits{0, 0});
    const auto pages = readingPages();
    std::vector<char> elsewhere(state.range(2) != 0 ? 64u << 20 : 0);
    std::size_t page = 0;
    for (auto _ : state) {
        if (!elsewhere.empty()) {
            state.PauseTiming();
            for (std::size_t at = 0; at < elsewhere.size(); at += 64) {
                elsewhere[at] = static_cast<char>(elsewhere[at] + 1);
            }
            benchmark::ClobberMemory();
            state.ResumeTiming();
        }
        for (int row = 0; row < 16; ++row) {
            tavori::drawTextBox(canvas, pages[page][static_cast<std::size_t>(row)], 100, 30 + 40 * row, 1000, 32,
                                tavori::kWhite, tavori::kBlack);
        }
        page ^= 1u;
        benchmark::ClobberMemory();
    }
    state.SetLabel(std::string(state.range(1) != 0 ? "glyphs kept" : "glyphs rendered afresh") +
                   (state.range(2) != 0 ? ", cold processor caches" : ""));
}
BENCHMARK(readingPage)->ArgNames({"ratio", "cache", "cold"})->Args({1, 1, 0})->Args({1, 1, 1})->Args({1, 0, 0})
    ->Args({2, 1, 0})->Args({2, 0, 0})
    ->Unit(benchmark::kMicrosecond);

// The same two pages in sixteen columns, at the geometry the core gives a 1200 × 700 area
// (cells of 38 px, 48 px apart), each column's box below its cells blacked as the core does.
// args: device pixel ratio, glyph cache on (1) or off (0).
void readingPageInColumns(benchmark::State& state) {
    QtCanvas canvas(QSize(1200, 700), tavori::qt::chooseTextFont(), static_cast<double>(state.range(0)),
                    state.range(1) != 0 ? tavori::GlyphLimits{} : tavori::GlyphLimits{0, 0});
    tavori::ReadingState reading;
    reading.linesPerScreen = 16;
    const tavori::VerticalPageLayout layout = tavori::verticalPageLayout(reading, 1200, 700);
    auto pages = readingPages();
    for (auto& page : pages) {
        for (std::string& column : page) column.pop_back();  // a column draws no trailing space
    }
    std::size_t page = 0;
    for (auto _ : state) {
        for (int column = 0; column < 16; ++column) {
            const std::string& text = pages[page][static_cast<std::size_t>(column)];
            const int x = layout.firstColumnX - column * layout.spacing;
            canvas.verticalText(x, layout.top, text, layout.cellSize, tavori::kWhite, tavori::kBlack);
            const int covered = tavori::verticalColumnLength(text, layout.cellSize);
            tavori::fillBox(canvas, x, layout.top + covered, x + layout.cellSize, layout.top + layout.columnLength,
                            tavori::kBlack);
        }
        page ^= 1u;
        benchmark::ClobberMemory();
    }
    state.SetLabel(state.range(1) != 0 ? "glyphs kept" : "glyphs rendered afresh");
}
BENCHMARK(readingPageInColumns)->ArgNames({"ratio", "cache"})->Args({1, 1})->Args({1, 0})->Args({2, 1})->Args({2, 0})
    ->Unit(benchmark::kMicrosecond);

void dragRedraw(benchmark::State& state) {
    QtCanvas window(QSize(1920, 1080), tavori::qt::chooseTextFont());
    QtCanvas work(QSize(500, 400), tavori::qt::chooseTextFont());
    for (auto _ : state) {
        tavori::fillBox(window, 0, 0, 1920, 1080, tavori::kBlack);
        for (int row = 0; row < 3; ++row) {
            for (int column = 0; column < 5; ++column) {
                window.blit(work, column * 100, row * 100, 100, 100, 200 + column * 230, 150 + row * 260);
            }
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(dragRedraw)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
