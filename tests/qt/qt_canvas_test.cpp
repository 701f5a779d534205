// The Qt canvas: the canvas rules, device-pixel blocks at high ratios, the drawn region, the
// glyphs cached and fresh alike, the forms of a column's glyphs and the font choice.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <tuple>

#include "font_choice.h"
#include "gfx/primitives.h"
#include "gfx/screen_memory.h"
#include "qt_canvas.h"
#include "support/canvas_contract.h"

namespace tavori::qt {
namespace {

constexpr Colour kRed = rgb(255, 0, 0);

struct QtTraits {
    using Surface = QtCanvas;
    static std::unique_ptr<QtCanvas> make(int width, int height) {
        return std::make_unique<QtCanvas>(QSize(width, height), chooseTextFont());
    }
    static Canvas& canvas(QtCanvas& surface) { return surface; }
    // Read from the image Qt is given, so the colours are checked in Qt's own byte order too.
    static Colour pixel(const QtCanvas& surface, int x, int y) {
        const QColor colour = surface.image().pixelColor(x, y);
        return rgb(static_cast<std::uint32_t>(colour.red()), static_cast<std::uint32_t>(colour.green()),
                   static_cast<std::uint32_t>(colour.blue()));
    }
};
INSTANTIATE_TYPED_TEST_SUITE_P(Qt, CanvasContract, QtTraits);

// The device pixels of `colour` in the canvas's image, as a bounding box and a count.
std::pair<QRect, int> devicePixelsOf(const QtCanvas& canvas, Colour colour) {
    const QColor wanted(static_cast<int>(redOf(colour)), static_cast<int>(greenOf(colour)), static_cast<int>(blueOf(colour)));
    QRect box;
    int count = 0;
    for (int y = 0; y < canvas.image().height(); ++y) {
        for (int x = 0; x < canvas.image().width(); ++x) {
            if (canvas.image().pixelColor(x, y) == wanted) {
                box |= QRect(x, y, 1, 1);
                ++count;
            }
        }
    }
    return {box, count};
}

TEST(QtCanvasHighDpi, FillsAndFramesCoverWholeBlocksOnTheScaledEdges) {
    // At ratio 2 every edge lands on the doubled logical coordinate.
    QtCanvas doubled(QSize(40, 30), chooseTextFont(), 2.0);
    ASSERT_EQ(doubled.image().size(), QSize(80, 60));
    fillBox(doubled, 1, 2, 4, 5, kRed);
    EXPECT_EQ(devicePixelsOf(doubled, kRed), std::make_pair(QRect(2, 4, 6, 6), 36));
    // 29 logical pixels of frame, each a 2 x 2 block; the corner (right, bottom) stays
    // unpainted, a hole at device (40, 30).
    drawFrame(doubled, 10, 10, 20, 15, kGreen);
    EXPECT_EQ(devicePixelsOf(doubled, kGreen), std::make_pair(QRect(20, 20, 22, 12), 4 * 29));
    EXPECT_EQ(doubled.image().pixelColor(40, 30), QColor(Qt::black));
    // At fractional ratios neighbouring rectangles tile without gap or overlap, and every
    // device pixel maps back to the logical pixel that owns it.
    for (const double ratio : {1.25, 1.5, 1.75}) {
        QtCanvas canvas(QSize(37, 11), chooseTextFont(), ratio);
        for (int x = 0; x < 37; ++x) fillBox(canvas, x, 0, x + 1, 11, x % 2 == 0 ? kRed : kBlue);
        EXPECT_EQ(devicePixelsOf(canvas, kRed).second + devicePixelsOf(canvas, kBlue).second,
                  canvas.image().width() * canvas.image().height()) << ratio;
        EXPECT_EQ(canvas.image().width(), static_cast<int>(std::floor(37 * ratio + 0.5))) << ratio;
        for (int device = -5; device < canvas.image().width() + 5; ++device) {
            const int logical = canvas.logicalAt(device);
            EXPECT_LE(canvas.deviceEdge(logical), device);
            EXPECT_GT(canvas.deviceEdge(logical + 1), device);
        }
    }
}

TEST(QtCanvasHighDpi, GlyphsHoldDetailFinerThanTheirBlocks) {
    QtCanvas canvas(QSize(100, 40), chooseTextFont(), 2.0);
    canvas.text(0, 0, "\x88\x9F", 32, 30, kWhite, kBlack);  // 亜 over two 30 px cells
    // Some 2 x 2 block of the glyph is not one colour: it was drawn at device resolution.
    int mixedBlocks = 0;
    for (int y = 0; y < 64; y += 2) {
        for (int x = 0; x < 120; x += 2) {
            const QRgb first = canvas.image().pixel(x, y);
            mixedBlocks += (canvas.image().pixel(x + 1, y) != first || canvas.image().pixel(x, y + 1) != first ||
                            canvas.image().pixel(x + 1, y + 1) != first) ? 1 : 0;
        }
    }
    EXPECT_GT(mixedBlocks, 20);
}

TEST(QtCanvas, DrawnRegionHoldsExactlyWhatChangedBehindTheScreensMemory) {
    QtCanvas canvas(QSize(400, 200), chooseTextFont());
    QtCanvas work(QSize(50, 50), chooseTextFont());
    // Drawn as the program draws, through the memory, each step settled before its present.
    ScreenMemory screen(canvas);
    ScreenMemory workMemory(work);
    const auto presented = [&] {
        workMemory.settle();
        screen.settle();
        return canvas.takeDrawnRegion();
    };
    EXPECT_TRUE(presented().isEmpty());
    fillBox(screen, 0, 0, 400, 200, kRed);
    EXPECT_EQ(presented(), QRegion(0, 0, 400, 200));
    // 20 bytes in a 300 px box: cells of 300 / 20 - 1 = 14 px, 280 px in all.
    const std::string row = "\x93\xC7\x93\xC7 abc \x88\x9F\x88\x9F\x93\xC7xyz  ";
    ASSERT_EQ(row.size(), 20u);
    drawTextBox(screen, row, 50, 60, 300, 32, kWhite, kBlack);
    EXPECT_EQ(presented(), QRegion(50, 60, 280, 32));
    // A row drawn again with one byte changed is drawn whole, and again unchanged not at all.
    std::string changedRow = row;
    changedRow.replace(6, 1, "q");
    drawTextBox(screen, changedRow, 50, 60, 300, 32, kWhite, kBlack);
    EXPECT_EQ(presented(), QRegion(50, 60, 280, 32));
    drawTextBox(screen, changedRow, 50, 60, 300, 32, kWhite, kBlack);
    EXPECT_TRUE(presented().isEmpty());
    // A red fill over red and the same frame twice change nothing.
    fillBox(screen, 0, 0, 40, 40, kRed);
    drawFrame(screen, 10, 100, 30, 120, kGreen);
    EXPECT_EQ(presented(), QRegion(10, 100, 20, 1) + QRegion(10, 120, 20, 1) + QRegion(10, 100, 1, 20) +
                               QRegion(30, 100, 1, 20));
    drawFrame(screen, 10, 100, 30, 120, kGreen);
    EXPECT_TRUE(presented().isEmpty());
    // Changed and put back in one step, as overlapping tiles are: the same step again shows
    // nothing new.
    for (const bool shown : {true, false}) {
        fillBox(screen, 0, 0, 40, 40, kGreen);
        fillBox(screen, 0, 0, 40, 40, kBlack);
        EXPECT_EQ(presented(), shown ? QRegion(0, 0, 40, 40) : QRegion());
    }
    // A tile copied again changes nothing until its source (round 2) or its place (round 3) is
    // drawn on.
    fillBox(workMemory, 0, 0, 50, 50, kBlue);
    for (int round = 0; round < 4; ++round) {
        if (round == 2) fillBox(workMemory, 0, 0, 5, 5, kGreen);
        if (round == 3) fillBox(screen, 310, 160, 320, 170, kRed);
        screen.blit(workMemory, 0, 0, 20, 20, 300, 150);
        EXPECT_EQ(presented().isEmpty(), round == 1) << round;
    }
    EXPECT_EQ(canvas.pixel(300, 150), kGreen);
    EXPECT_EQ(canvas.pixel(315, 165), kBlue);
}

TEST(QtCanvas, CachedGlyphsMatchFreshlyRenderedOnes) {
    const std::string page = "\x93\xC7\x88\x9F a\x82\xA0\x93\xC7";
    for (const double ratio : {1.0, 1.5, 2.0}) {
        QtCanvas cached(QSize(300, 60), chooseTextFont(), ratio);
        QtCanvas fresh(QSize(300, 60), chooseTextFont(), ratio, GlyphLimits{0, 0});
        // The same characters in a column, where the forms are part of the key.
        const auto draw = [&page](QtCanvas& canvas) {
            canvas.text(3, 5, page, 32, 23, kWhite, kBlue);
            canvas.verticalText(250, 0, "\x81\x75\x82\x9F\x93\xC7\x81\x42" "a", 12, kWhite, kBlue);
        };
        draw(cached);
        fillBox(cached, 0, 0, 300, 60, kRed);
        const std::size_t rendered = cached.glyphCache().misses();
        draw(cached);
        fillBox(fresh, 0, 0, 300, 60, kRed);
        draw(fresh);
        EXPECT_EQ(cached.glyphCache().misses(), rendered) << ratio;  // the second page only copied
        EXPECT_EQ(fresh.glyphCache().size(), 0u);
        EXPECT_EQ(cached.image(), fresh.image()) << ratio;
    }
}

// The bounding box of the ink (whatever is not black) in a logical cell, in device pixels
// from the cell's corner.
QRect inkIn(const QtCanvas& canvas, int x, int y, int width, int height) {
    const int left = canvas.deviceEdge(x);
    const int top = canvas.deviceEdge(y);
    QRect box;
    for (int row = top; row < canvas.deviceEdge(y + height); ++row) {
        for (int column = left; column < canvas.deviceEdge(x + width); ++column) {
            if (canvas.image().pixel(column, row) != qRgb(0, 0, 0)) box |= QRect(column - left, row - top, 1, 1);
        }
    }
    return box;
}

TEST(QtCanvasVertical, BracketsTurnAndSmallKanaAndCommasMoveUpAndRightWithinTheirCells) {
    for (const double ratio : {1.0, 2.0}) {
        SCOPED_TRACE(ratio);
        QtCanvas canvas(QSize(320, 400), chooseTextFont(), ratio);
        fillBox(canvas, 0, 0, 320, 400, kRed);
        // In a row, cells of 64: 「, ぁ, 、 and "A" (half as wide); in a column from (240, 10):
        // the same four, "A" in half a cell's height.
        canvas.text(0, 0, "\x81\x75\x82\x9F\x81\x41" "A", 64, 32, kWhite, kBlack);
        canvas.verticalText(240, 10, "\x81\x75\x82\x9F\x81\x41" "A", 64, kWhite, kBlack);
        const int s = canvas.deviceEdge(64) - canvas.deviceEdge(0);
        // The turned bracket is the row's turned a quarter clockwise: its box transposed, the
        // row's left edge now its top and the row's bottom its left.
        const QRect rowBracket = inkIn(canvas, 0, 0, 64, 64);
        const QRect turned = inkIn(canvas, 240, 10, 64, 64);
        ASSERT_FALSE(rowBracket.isEmpty());
        EXPECT_NEAR(turned.left(), s - 1 - rowBracket.bottom(), 1);
        EXPECT_NEAR(turned.top(), rowBracket.left(), 1);
        EXPECT_NEAR(turned.width(), rowBracket.height(), 1);
        EXPECT_NEAR(turned.height(), rowBracket.width(), 1);
        const QRect rowA = inkIn(canvas, 192, 0, 32, 64);
        const QRect turnedA = inkIn(canvas, 240, 202, 64, 32);
        EXPECT_NEAR(turnedA.width(), rowA.height(), 1);
        EXPECT_NEAR(turnedA.height(), rowA.width(), 1);
        // The small kana sits higher and further right, by an eighth of the cell.
        const QRect rowKana = inkIn(canvas, 64, 0, 64, 64);
        const QRect kana = inkIn(canvas, 240, 74, 64, 64);
        EXPECT_NEAR(kana.left() - rowKana.left(), s / 8, 1);
        EXPECT_NEAR(rowKana.top() - kana.top(), s / 8, 1);
        EXPECT_EQ(kana.size(), rowKana.size());
        // The comma leaves the row's lower left for the column's upper right.
        const QRect rowComma = inkIn(canvas, 128, 0, 64, 64);
        const QRect comma = inkIn(canvas, 240, 138, 64, 64);
        EXPECT_LT(rowComma.right(), s / 2);
        EXPECT_GE(rowComma.top(), s / 2);
        EXPECT_GE(comma.left(), s / 2);
        EXPECT_LT(comma.bottom(), s / 2);
        // Every cell is opaque and nothing outside the column changed.
        EXPECT_EQ(devicePixelsOf(canvas, kRed).second,
                  canvas.image().width() * canvas.image().height() - canvas.deviceEdge(224) * canvas.deviceEdge(64) -
                      (canvas.deviceEdge(304) - canvas.deviceEdge(240)) * (canvas.deviceEdge(234) - canvas.deviceEdge(10)));
    }
}

TEST(FontChoice, PrefersMsGothicThenIpaGothicThenAFixedPitchJapaneseFont) {
    EXPECT_EQ(chooseTextFamily({"Noto Sans CJK JP", "IPAGothic", "ＭＳゴシック"}, {}), QStringLiteral("ＭＳゴシック"));
    EXPECT_EQ(chooseTextFamily({"Noto Sans CJK JP", "IPAGothic"}, {}), QStringLiteral("IPAGothic"));
    EXPECT_EQ(chooseTextFamily({"Some Sans", "Some Mono"}, {"Some Mono"}), QStringLiteral("Some Mono"));
    EXPECT_EQ(chooseTextFamily({"Some Sans"}, {}), QStringLiteral("Some Sans"));
    EXPECT_TRUE(chooseTextFamily({}, {}).isEmpty());
}

}  // namespace
}  // namespace tavori::qt
