// The screen's memory: long random runs of the exercises' drawings give the same pictures with
// it and without it, what it passes on is reported where it changed pixels, and a repeated step
// passes nothing on.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>
#include <vector>

#include "gfx/screen_memory.h"
#include "gfx/vertical_cells.h"
#include "support/raster_canvas.h"

namespace tavori {
namespace {

using testing::RasterCanvas;

// A raster whose cells show which character they hold, and which keeps the rectangles that
// its drawings changed, as a front end's canvas keeps the region it must present.
class ScreenRaster : public RasterCanvas {
public:
    ScreenRaster(int width, int height) : RasterCanvas(width, height) { reportChanges(true); }
    void text(int x, int y, std::string_view bytes, int cellHeight, int charWidth, Colour foreground,
              Colour background) override {
        RasterCanvas::text(x, y, bytes, cellHeight, charWidth, foreground, background);
        for (std::size_t at = 0; charWidth > 0 && cellHeight > 0 && at < bytes.size(); ++at) {
            setPixel(x + static_cast<int>(at) * charWidth, y, rgb(static_cast<unsigned char>(bytes[at]), 1, 2));
        }
    }
    void verticalText(int x, int y, std::string_view bytes, int cellSize, Colour foreground,
                      Colour background) override {
        RasterCanvas::verticalText(x, y, bytes, cellSize, foreground, background);
        forEachVerticalCell(bytes, cellSize, [&](const VerticalCell& cell) {
            setPixel(x, y + cell.top, rgb(static_cast<unsigned char>(bytes[cell.position]), 1, 3));
        });
    }
    bool presented(int x, int y) const {
        for (const auto& [left, top, right, bottom] : changes) {
            if (left <= x && x < right && top <= y && y < bottom) return true;
        }
        return false;
    }
    std::vector<std::array<int, 4>> changes;

protected:
    void changed(int left, int top, int right, int bottom) override { changes.push_back({left, top, right, bottom}); }
};

// One of the drawings the exercises make, at the few places they make them, so that the same
// drawing comes back: boxes, frames, rows of text, tile copies from the work canvas; and copies
// from the window itself and from a canvas with no memory; some rows are drawn as columns.
struct Drawing {
    int kind, place, variant;
};

void draw(const Drawing& d, Canvas& window, Canvas& work, const Canvas& unremembered) {
    static const Colour colours[] = {kBlack, kWhite, kGreen, kBlue};
    const Colour colour = colours[d.variant % 4];
    const int x = 7 * d.place - 10;
    const int y = 9 * d.place - 6;
    switch (d.kind) {
        case 0: window.fillRect(x, y, x + 40 + d.variant, y + 25, colour); return;
        case 1: window.line(x, y, x + (d.variant % 3 == 0 ? 30 : 0), y + (d.variant % 3 == 1 ? 0 : 20), colour); return;
        case 2:
        case 3: {
            // Single-byte and double-byte characters, and a lead byte alone at the end.
            const std::string bytes = std::string("a \x82\xa0\x88\x9f" "b\x82").substr(d.variant % 4, d.variant % 7);
            if (d.kind == 2 && d.variant % 5 == 0) {
                window.verticalText(x % 30, y % 20, bytes, 6 + 2 * (d.place % 2), colour, colours[(d.variant + 1) % 4]);
            } else if (d.kind == 2) {
                window.text(x % 30, y, bytes, 12, 3 + d.place % 2, colour, colours[(d.variant + 1) % 4]);
            } else work.text(x % 30, y % 40, bytes, 12, 3 + d.place % 2, colour, colours[(d.variant + 1) % 4]);
            return;
        }
        case 4: window.blit(work, 10 * (d.variant % 4), 10 * (d.place % 3), 20, 20, x, y); return;
        case 5: window.blit(window, 0, 0, 15, 15, x, y); return;
        default: window.blit(unremembered, 0, 0, 30, 30, x, y); return;
    }
}

// Draws the opening steps, then 2,000 random ones, through memories and straight on plain
// canvases, comparing the windows after each step.
void compareSteps(unsigned seed, const std::vector<std::vector<Drawing>>& opening) {
    std::mt19937 random(seed);
    const auto below = [&random](int limit) { return static_cast<int>(random() % static_cast<unsigned>(limit)); };
    constexpr int kWidth = 80;
    constexpr int kHeight = 60;
    ScreenRaster window(kWidth, kHeight);
    ScreenRaster work(60, 40);
    ScreenMemory windowMemory(window);
    ScreenMemory workMemory(work);
    ScreenRaster plainWindow(kWidth, kHeight);
    ScreenRaster plainWork(60, 40);
    RasterCanvas unremembered(30, 30);
    // Tile copies come most often, as in the puzzle.
    const auto randomDrawing = [&] {
        return Drawing{below(30) == 0 ? 5 + below(2) : std::min(below(6), 4), below(12), below(400)};
    };
    const auto cutAnywhere = [&](std::vector<Drawing>& drawings) {
        drawings.resize(static_cast<std::size_t>(below(static_cast<int>(drawings.size()) + 1)));
    };
    std::vector<Drawing> step;
    for (std::size_t stepNumber = 0; stepNumber < opening.size() + 2000; ++stepNumber) {
        // The same step again, a part of it, one drawing changed (and perhaps cut after) or
        // added, or a new one.
        const int change = below(6);
        if (stepNumber < opening.size()) {
            step = opening[stepNumber];
        } else if (change == 2) {
            cutAnywhere(step);
        } else if (change == 3 && !step.empty()) {
            step[static_cast<std::size_t>(below(static_cast<int>(step.size())))] = randomDrawing();
            if (below(2) == 0) cutAnywhere(step);
        } else if (change == 4) {
            step.push_back(randomDrawing());
        } else if (change == 5) {
            step.resize(static_cast<std::size_t>(below(12)));
            std::generate(step.begin(), step.end(), randomDrawing);
        }
        // The platform erases the window or the work canvas behind the program's back, and says
        // so; a canvas with no memory changes unsaid.
        if (const int erase = below(40); erase < 2 && stepNumber >= opening.size()) {
            for (ScreenRaster* erased : erase == 0 ? std::array{&window, &plainWindow} : std::array{&work, &plainWork}) {
                erased->fillRect(0, 0, kWidth, kHeight, kBlack);
            }
            (erase == 0 ? windowMemory : workMemory).forget();
        }
        if (below(10) == 0) unremembered.fillRect(below(30), below(30), 30, 30, rgb(0, 0, static_cast<unsigned>(below(256))));
        std::vector<Colour> shown;
        for (int at = 0; at < kWidth * kHeight; ++at) shown.push_back(window.pixel(at % kWidth, at / kWidth));
        window.changes.clear();
        for (const Drawing& d : step) {
            draw(d, windowMemory, workMemory, unremembered);
            draw(d, plainWindow, plainWork, unremembered);
        }
        workMemory.settle();
        windowMemory.settle();
        for (int at = 0, x = 0, y = 0; at < kWidth * kHeight; ++at, x = at % kWidth, y = at / kWidth) {
            ASSERT_EQ(window.pixel(x, y), plainWindow.pixel(x, y)) << "step " << stepNumber << " at " << x << "," << y;
            ASSERT_TRUE(shown[static_cast<std::size_t>(at)] == window.pixel(x, y) || window.presented(x, y)) << stepNumber;
        }
    }
}

TEST(ScreenMemory, RandomStepsShowWhatTheyShowWithoutMemoryAndPresentEveryChange) {
    // A tile held back while its source is drawn on in the same step is copied before that.
    const std::vector<std::vector<Drawing>> opening = {{{3, 2, 1}, {4, 2, 0}, {0, 10, 0}},
                                                       {{4, 2, 0}, {3, 2, 2}, {0, 10, 1}}};
    for (const unsigned seed : {1u, 2u, 3u, 4u}) {
        SCOPED_TRACE(seed);
        ASSERT_NO_FATAL_FAILURE(compareSteps(seed, opening));
    }
}

TEST(ScreenMemory, PassesOnNothingOfARepeatedStepUntilThePlatformHasChangedTheTarget) {
    RasterCanvas window(200, 50);
    ScreenMemory memory(window);
    const auto step = [&memory](std::string_view row) {
        memory.fillRect(0, 40, 200, 50, kGreen);
        memory.text(10, 0, row, 20, 5, kWhite, kBlack);
        memory.settle();
    };
    for (const std::string_view row : {"ab", "ab", "ac", "ac", "ac"}) step(row);
    ASSERT_EQ(window.textRuns().size(), 2u);
    EXPECT_EQ(window.textRuns()[1].bytes, "ac");
    memory.forget();
    step("ac");
    EXPECT_EQ(window.textRuns().size(), 3u);
}

}  // namespace
}  // namespace tavori
