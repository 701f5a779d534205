// The Qt canvas: pixels in the core's colours, text cells of the core's geometry with glyphs
// drawn only inside them, and the font choice.
#include <gtest/gtest.h>

#include "font_choice.h"
#include "qt_canvas.h"

namespace tavori::qt {
namespace {

constexpr Colour kRed = rgb(255, 0, 0);

int countNot(const QtCanvas& canvas, QRect area, Colour colour) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += canvas.pixel(x, y) != colour ? 1 : 0;
        }
    }
    return count;
}

TEST(QtCanvas, FillsAndLinesUseTheCoreColours) {
    QtCanvas canvas(QSize(40, 30), chooseTextFont());
    canvas.fillRect(1, 2, 4, 5, kRed);
    EXPECT_EQ(canvas.image().pixelColor(1, 2), QColor(255, 0, 0));
    EXPECT_EQ(canvas.image().pixelColor(4, 2), QColor(0, 0, 0));
    canvas.line(0, 10, 5, 10, kBlue);
    EXPECT_EQ(canvas.image().pixelColor(4, 10), QColor(0, 0, 255));
    EXPECT_EQ(canvas.image().pixelColor(5, 10), QColor(0, 0, 0));
}

TEST(QtCanvas, TextFillsItsCellsAndDrawsGlyphsOnlyInside) {
    QtCanvas canvas(QSize(200, 60), chooseTextFont());
    canvas.fillRect(0, 0, 200, 60, kRed);
    // "a" and 亜 (0x88 0x9F): three cells of 30 px, 32 px high, at (10, 10).
    canvas.text(10, 10, "a\x88\x9F", 32, 30, kWhite, kBlack);
    const QRect cells(10, 10, 90, 32);
    // Outside the cells nothing changed.
    EXPECT_EQ(countNot(canvas, QRect(0, 0, 200, 10), kRed), 0);
    EXPECT_EQ(countNot(canvas, QRect(0, 42, 200, 18), kRed), 0);
    EXPECT_EQ(countNot(canvas, QRect(100, 0, 100, 60), kRed), 0);
    EXPECT_EQ(countNot(canvas, QRect(0, 0, 10, 60), kRed), 0);
    // Inside, every pixel is background or glyph, and both glyphs left ink in their cells.
    int red = 0;
    for (int y = cells.top(); y <= cells.bottom(); ++y) {
        for (int x = cells.left(); x <= cells.right(); ++x) {
            red += canvas.pixel(x, y) == kRed ? 1 : 0;
        }
    }
    EXPECT_EQ(red, 0);
    EXPECT_GT(countNot(canvas, QRect(10, 10, 30, 32), kBlack), 10);
    EXPECT_GT(countNot(canvas, QRect(40, 10, 60, 32), kBlack), 30);
}

TEST(QtCanvas, SpacesOnlyBlankAndNonPositiveWidthsDrawNothing) {
    QtCanvas canvas(QSize(100, 40), chooseTextFont());
    canvas.fillRect(0, 0, 100, 40, kRed);
    canvas.text(0, 0, " ", 32, 99, kWhite, kBlack);
    EXPECT_EQ(countNot(canvas, QRect(0, 0, 99, 32), kBlack), 0);
    canvas.fillRect(0, 0, 100, 40, kRed);
    canvas.text(0, 0, "abc", 32, 0, kWhite, kBlack);
    canvas.text(0, 0, "abc", 32, -1, kWhite, kBlack);
    EXPECT_EQ(countNot(canvas, QRect(0, 0, 100, 40), kRed), 0);
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
