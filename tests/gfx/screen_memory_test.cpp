// The screen's memory: long random runs of the exercises' drawings give the same pictures with
// it and without it, and what it passes on is reported where it changed pixels.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "gfx/screen_memory.h"
#include "support/canvas_contract.h"
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

struct MemoryTraits {
    struct Surface {
        Surface(int width, int height) : raster(width, height), memory(raster) {}
        RasterCanvas raster;
        ScreenMemory memory;
    };
    static std::unique_ptr<Surface> make(int width, int height) { return std::make_unique<Surface>(width, height); }
    static Canvas& canvas(Surface& surface) { return surface.memory; }
    static Colour pixel(const Surface& surface, int x, int y) { return surface.raster.pixel(x, y); }
};
INSTANTIATE_TYPED_TEST_SUITE_P(ScreenMemory, CanvasContract, MemoryTraits);

// One of the drawings the exercises make, at the few places they make them, so that the same
// drawing comes back: boxes, frames, rows of text, tile copies from the work canvas.
struct Drawing {
    int kind;
    int place;
    int variant;
};

void draw(const Drawing& d, Canvas& window, Canvas& work) {
    static const Colour colours[] = {kBlack, kWhite, kGreen, kBlue};
    const Colour colour = colours[d.variant % 4];
    const int x = 7 * d.place - 10;
    const int y = 9 * d.place - 6;
    switch (d.kind) {
        case 0: window.fillRect(x, y, x + 40 + d.variant, y + 25, colour); return;
        case 1: window.line(x, y, x + (d.variant % 3 == 0 ? 30 : 0), y + (d.variant % 3 == 1 ? 0 : 20), colour); return;
        case 2:
        case 3: {
            // Single-byte, double-byte and lone lead bytes, in runs that share cells.
            static const char* pieces[] = {"a", " ", "\x82\xa0", "\x82\xa2", "\x88\x9f", "b"};
            std::string bytes;
            for (int i = 0, v = d.variant; i < v % 7; ++i, v /= 3) bytes += pieces[(v + i) % 6];
            if (d.variant % 5 == 0) bytes += '\x82';
            (d.kind == 2 ? window : work).text(x % 30, y, bytes, 12, 3 + d.place % 2, colour, colours[(d.variant + 1) % 4]);
            return;
        }
        case 4: window.blit(work, 10 * (d.variant % 4), 10 * (d.place % 3), 20, 20, x, y); return;
        default: window.blit(window, 0, 0, 15, 15, x, y); return;  // a copy over itself
    }
}

TEST(ScreenMemory, RandomStepsShowWhatTheyShowWithoutMemoryAndPresentEveryChange) {
    std::mt19937 random(20261207);
    const auto below = [&random](int limit) { return static_cast<int>(random() % static_cast<unsigned>(limit)); };
    ScreenRaster window(120, 90);
    ScreenRaster work(60, 40);
    ScreenMemory windowMemory(window);
    ScreenMemory workMemory(work);
    ScreenRaster plainWindow(120, 90);
    ScreenRaster plainWork(60, 40);
    const auto randomDrawing = [&] { return Drawing{below(8) == 0 ? 5 : below(5), below(12), below(400)}; };
    std::vector<Drawing> step;
    for (int stepNumber = 0; stepNumber < 3000; ++stepNumber) {
        // The same step again, a part of it, one drawing changed or added, or a new one.
        switch (below(6)) {
            case 0: case 1: break;
            case 2: step.resize(static_cast<std::size_t>(below(static_cast<int>(step.size()) + 1))); break;
            case 3: if (!step.empty()) step[static_cast<std::size_t>(below(static_cast<int>(step.size())))] = randomDrawing(); break;
            case 4: step.push_back(randomDrawing()); break;
            default: step.assign(static_cast<std::size_t>(below(8)), Drawing{}); for (Drawing& d : step) d = randomDrawing();
        }
        if (below(40) == 0) {
            // The platform erases the window behind the program's back, and says so.
            window.fillRect(0, 0, 120, 90, kBlack);
            plainWindow.fillRect(0, 0, 120, 90, kBlack);
            windowMemory.forget();
        }
        std::vector<Colour> shown;
        for (int at = 0; at < 120 * 90; ++at) shown.push_back(window.pixel(at % 120, at / 120));
        window.changes.clear();
        for (const Drawing& d : step) {
            draw(d, windowMemory, workMemory);
            draw(d, plainWindow, plainWork);
        }
        workMemory.settle();
        windowMemory.settle();
        for (int y = 0; y < 90; ++y) {
            for (int x = 0; x < 120; ++x) {
                ASSERT_EQ(window.pixel(x, y), plainWindow.pixel(x, y)) << "step " << stepNumber << " at " << x << "," << y;
                ASSERT_TRUE(shown[static_cast<std::size_t>(y * 120 + x)] == window.pixel(x, y) || window.presented(x, y))
                    << stepNumber;
            }
        }
    }
}

TEST(ScreenMemory, PassesOnNothingOfARepeatedStepAndOnlyTheChangedCharactersOfARun) {
    RasterCanvas window(200, 50);
    ScreenMemory memory(window);
    const auto step = [&memory](std::string_view row) {
        memory.fillRect(0, 40, 200, 50, kGreen);
        memory.text(10, 0, row, 20, 5, kWhite, kBlack);
        memory.settle();
    };
    step("\x82\xa0" "ab  ");
    step("\x82\xa0" "ab  ");
    ASSERT_EQ(window.textRuns().size(), 1u);
    step("\x82\xa0" "cb  ");
    // The second byte of a double-byte character shown before is not the single byte drawn now.
    step("c\xa0" "cb  ");
    ASSERT_EQ(window.textRuns().size(), 3u);
    EXPECT_EQ(window.textRuns()[1].x, 20);
    EXPECT_EQ(window.textRuns()[1].bytes, "c");
    EXPECT_EQ(window.textRuns()[2].x, 10);
    EXPECT_EQ(window.textRuns()[2].bytes, "c\xa0");
    // Once the platform has changed the window, everything is drawn again.
    memory.forget();
    step("c\xa0" "cb  ");
    EXPECT_EQ(window.textRuns().back().bytes, "c\xa0" "cb  ");
}

}  // namespace
}  // namespace tavori
