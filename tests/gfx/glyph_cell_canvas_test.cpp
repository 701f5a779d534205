// The glyph-cell canvas every front end draws with: the canvas rules at ratios 1 and 2, what
// the renderer is asked for and when, cells cut by the picture's edges, the drawn rectangles,
// and the glyph cache's limits.
#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <vector>

#include "gfx/glyph_cell_canvas.h"
#include "support/canvas_contract.h"

namespace tavori {
namespace {

// Ink in the upper left quarter of the cell, moved by the shift; none for a space (single or
// double byte), so the contract's blank cells stay blank. It logs every request.
class QuarterRenderer : public GlyphRenderer {
public:
    explicit QuarterRenderer(std::vector<GlyphRequest>* log = nullptr) : log_(log) {}
    PixelFormat format() const override { return PixelFormat::Rgba; }
    void render(const GlyphRequest& request, std::uint32_t* out) override {
        if (log_ != nullptr) log_->push_back(request);
        for (int y = 0; y < request.height; ++y) {
            for (int x = 0; x < request.width; ++x) {
                const int inkX = x - request.shift;
                const int inkY = y + request.shift;
                const bool ink = request.code != 0x20 && request.code != 0x8140 && inkX >= 0 &&
                                 inkX < request.width / 2 && inkY >= 0 && inkY < request.height / 2;
                out[y * request.width + x] = encodePixel(format(), ink ? request.foreground : request.background);
            }
        }
    }

private:
    std::vector<GlyphRequest>* log_;
};

template <int RatioTenths>
struct GlyphCellTraits {
    using Surface = GlyphCellCanvas;
    static std::unique_ptr<GlyphCellCanvas> make(int width, int height) {
        return std::make_unique<GlyphCellCanvas>(width, height, RatioTenths / 10.0, std::make_unique<QuarterRenderer>());
    }
    static Canvas& canvas(GlyphCellCanvas& surface) { return surface; }
    static Colour pixel(const GlyphCellCanvas& surface, int x, int y) { return surface.pixel(x, y); }
};
INSTANTIATE_TYPED_TEST_SUITE_P(GlyphCell, CanvasContract, GlyphCellTraits<10>);
INSTANTIATE_TYPED_TEST_SUITE_P(GlyphCellAtTwo, CanvasContract, GlyphCellTraits<20>);

constexpr Colour kRed = rgb(255, 0, 0);

TEST(GlyphCellCanvas, AsksTheRendererOnceForEachCellAtItsDeviceSizeAndForm) {
    std::vector<GlyphRequest> log;
    GlyphCellCanvas canvas(200, 200, 1.25, std::make_unique<QuarterRenderer>(&log));
    // 亜 A 亜 in cells of 5 × 10: at 1.25 the device edges fall at 0, 13, 19 and 31, so the two
    // 亜 cells differ in width and each is rendered at its own.
    canvas.text(0, 0, "\x88\x9F" "A" "\x88\x9F", 10, 5, kWhite, kBlack);
    canvas.text(0, 0, "\x88\x9F" "A" "\x88\x9F", 10, 5, kWhite, kBlack);
    ASSERT_EQ(log.size(), 3u);  // the second row came from the cache
    EXPECT_EQ(std::tuple(log[0].code, log[0].width, log[0].height), std::tuple(0x889F, 13, 13));
    EXPECT_EQ(std::tuple(log[1].code, log[1].width, log[1].form), std::tuple(0x41, 6, VerticalForm::Upright));
    EXPECT_EQ(std::tuple(log[2].code, log[2].width), std::tuple(0x889F, 12));
    EXPECT_EQ(canvas.glyphCache().hits(), 3u);
    // A column's small kana and comma are asked for in their forms, moved by an eighth and by half
    // of the cell's device width (20): 3 (2.5 rounded away from zero) and 10 pixels.
    log.clear();
    canvas.verticalText(100, 0, "\x82\x9F\x81\x41", 16, kWhite, kBlack);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(std::tuple(log[0].form, log[0].shift, log[0].width), std::tuple(VerticalForm::SmallKana, 3, 20));
    EXPECT_EQ(std::tuple(log[1].form, log[1].shift), std::tuple(VerticalForm::Corner, 10));
    // The kana's ink landed moved: its first three device columns are background.
    EXPECT_EQ(canvas.pixel(100, 0), kBlack);
    EXPECT_EQ(canvas.pixel(103, 0), kWhite);
}

TEST(GlyphCellCanvas, CellsCutByThePicturesEdgesCopyOnlyWhatLiesInside) {
    GlyphCellCanvas canvas(30, 20, 1.0, std::make_unique<QuarterRenderer>());
    canvas.fillRect(0, 0, 30, 20, kRed);
    // Cells of 10 × 16 from (-3, -4) and from (25, 12): the first starts off the picture, the
    // second's cells run past its right and bottom edges.
    canvas.text(-3, -4, "AB", 16, 10, kWhite, kBlack);
    canvas.text(25, 12, "CD", 16, 10, kWhite, kBlack);
    EXPECT_EQ(canvas.pixel(1, 3), kWhite);    // A's ink, [−3, 2) × [−4, 4)
    EXPECT_EQ(canvas.pixel(2, 3), kBlack);
    EXPECT_EQ(canvas.pixel(1, 4), kBlack);
    EXPECT_EQ(canvas.pixel(7, 0), kWhite);    // B's ink from its own left
    EXPECT_EQ(canvas.pixel(16, 11), kBlack);
    EXPECT_EQ(canvas.pixel(17, 11), kRed);
    EXPECT_EQ(canvas.pixel(16, 12), kRed);
    EXPECT_EQ(canvas.pixel(29, 19), kWhite);  // C's ink reaches the corner
    EXPECT_EQ(canvas.pixel(24, 19), kRed);
    // A column above the picture and one off its side change nothing; a huge cell is only its
    // background and is never rendered.
    std::vector<GlyphRequest> log;
    GlyphCellCanvas logged(30, 20, 1.0, std::make_unique<QuarterRenderer>(&log));
    logged.takeDrawnRectangles();
    logged.verticalText(0, -100, "\x88\x9F\x88\x9F", 16, kWhite, kBlack);
    logged.verticalText(30, 0, "\x88\x9F", 16, kWhite, kBlack);
    EXPECT_FALSE(logged.drawnSincePresent());
    logged.text(0, 0, "A", 4097, 10, kWhite, kBlue);
    logged.text(10, 0, "A", 4096, 10, kWhite, kBlue);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].height, 4096);
    EXPECT_EQ(logged.pixel(0, 0), kBlue);
    EXPECT_EQ(logged.pixel(10, 0), kWhite);
}

TEST(GlyphCellCanvas, DrawnRectanglesAreWhatChangedAndPastThirtyTwoTheirBox) {
    GlyphCellCanvas canvas(100, 50, 2.0, std::make_unique<QuarterRenderer>());
    // A new picture is new to the screen whole.
    EXPECT_EQ(canvas.takeDrawnRectangles(), (std::vector<DrawnRect>{{0, 0, 100, 50}}));
    canvas.text(90, 40, "\x88\x9F", 20, 10, kWhite, kBlack);  // clipped to the picture
    canvas.fillRect(0, 0, 5, 5, kBlack);                        // black on black: nothing
    EXPECT_EQ(canvas.takeDrawnRectangles(), (std::vector<DrawnRect>{{90, 40, 100, 50}}));
    EXPECT_FALSE(canvas.drawnSincePresent());
    for (int x = 0; x < 32; ++x) canvas.fillRect(x, x, x + 1, x + 1, kRed);
    EXPECT_EQ(canvas.takeDrawnRectangles().size(), 32u);
    for (int x = 0; x < 33; ++x) canvas.fillRect(x + 1, x, x + 2, x + 1, kGreen);
    EXPECT_EQ(canvas.takeDrawnRectangles(), (std::vector<DrawnRect>{{1, 0, 34, 33}}));
    // A rescale keeps each logical pixel's colour at the new ratio.
    canvas.rescale(1.25);
    EXPECT_EQ(canvas.deviceWidth(), 125);
    EXPECT_EQ(canvas.pixel(5, 5), kRed);
    EXPECT_EQ(canvas.pixel(6, 5), kGreen);
}

TEST(GlyphCache, KeepsTheRecentlyUsedWithinItsLimits) {
    const auto key = [](int character) { return GlyphKey{static_cast<std::uint16_t>(character), 4, 4, 0, 0, 0}; };
    const auto cell = [] { return GlyphCell{4, 4, std::vector<std::uint32_t>(16)}; };
    // Eight entries, then ten cells' worth of bytes: the newest and the one used at every step stay.
    for (const auto& [entries, bytes, most] : {std::tuple{8u, 1u << 20, 8u}, std::tuple{100u, 640u, 10u}}) {
        GlyphCache cache(GlyphLimits{entries, bytes});
        for (int character = 0; character < 40; ++character) {
            EXPECT_EQ(cache.insert(key(character), cell()).width, 4);
            ASSERT_NE(cache.find(key(0)), nullptr);
            ASSERT_LE(cache.size(), most);
        }
        EXPECT_NE(cache.find(key(39)), nullptr);
        EXPECT_EQ(cache.find(key(25)), nullptr);
    }
    // No entries keeps nothing, yet hands the cell back for its one use.
    GlyphCache none(GlyphLimits{0, 0});
    EXPECT_EQ(none.insert(key(1), cell()).pixels.size(), 16u);
    EXPECT_EQ(none.size(), 0u);
}

}  // namespace
}  // namespace tavori
