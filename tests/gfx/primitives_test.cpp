// The primitives' exact pixels and text geometry on the raster canvas.
#include <gtest/gtest.h>

#include "gfx/primitives.h"
#include "support/raster_canvas.h"

namespace tavori {
namespace {

using testing::RasterCanvas;

constexpr Colour kRed = rgb(255, 0, 0);

TEST(DrawTextBox, CharacterWidthIsBoxWidthOverByteLengthLessOne) {
    RasterCanvas canvas(800, 100);
    // Ten double-byte characters: 20 bytes in 600 px → 600 ÷ 20 − 1 = 29.
    std::string text;
    for (int i = 0; i < 10; ++i) text += "\x88\x9F";  // 亜
    drawTextBox(canvas, text, 10, 20, 600, 32, kWhite, kBlack);
    // 7 bytes in 600 px → 600 ÷ 7 = 85 (remainder dropped) − 1 = 84.
    drawTextBox(canvas, "abcdefg", 10, 60, 600, 32, kWhite, kBlack);
    ASSERT_EQ(canvas.textRuns().size(), 2u);
    EXPECT_EQ(canvas.textRuns()[0].charWidth, 29);
    EXPECT_EQ(canvas.textRuns()[0].cellHeight, 32);
    EXPECT_EQ(canvas.textRuns()[0].x, 10);
    EXPECT_EQ(canvas.textRuns()[0].y, 20);
    EXPECT_EQ(canvas.textRuns()[0].bytes, text);
    EXPECT_EQ(canvas.textRuns()[1].charWidth, 84);
}

TEST(DrawTextBox, EmptyTextDrawsNothingAndLeavesTheBox) {
    RasterCanvas canvas(100, 50);
    canvas.fillRect(0, 0, 100, 50, kRed);
    drawTextBox(canvas, "", 0, 0, 100, 50, kWhite, kBlack);
    drawTextBox(canvas, std::string_view("\0abc", 4), 0, 0, 100, 50, kWhite, kBlack);
    EXPECT_TRUE(canvas.textRuns().empty());
    EXPECT_EQ(canvas.countPixels(0, 0, 100, 50, kRed), 100 * 50);
}

TEST(DrawTextBox, TextEndsAtItsFirstNul) {
    RasterCanvas canvas(200, 50);
    drawTextBox(canvas, std::string_view("ab\0cd", 5), 0, 0, 100, 20, kWhite, kBlack);
    ASSERT_EQ(canvas.textRuns().size(), 1u);
    EXPECT_EQ(canvas.textRuns()[0].bytes, "ab");
    EXPECT_EQ(canvas.textRuns()[0].charWidth, 49);
}

TEST(DrawTextBox, ASingleSpaceBlanksTheWholeBox) {
    RasterCanvas canvas(700, 100);
    canvas.fillRect(0, 0, 700, 100, kRed);
    drawTextBox(canvas, " ", 50, 30, 600, 32, kWhite, kBlack);
    EXPECT_EQ(canvas.textRuns().at(0).charWidth, 599);
    // The one opaque cell covers 599 of the box's 600 columns, all 32 rows.
    EXPECT_EQ(canvas.countPixels(50, 30, 649, 62, kBlack), 599 * 32);
    EXPECT_EQ(canvas.pixel(49, 30), kRed);
    EXPECT_EQ(canvas.pixel(50, 29), kRed);
    EXPECT_EQ(canvas.pixel(50, 62), kRed);
}

TEST(DrawTextBox, DoubleByteCharactersTakeTwoCells) {
    RasterCanvas canvas(300, 40);
    canvas.fillRect(0, 0, 300, 40, kRed);
    // "a" + 亜: 3 bytes in 120 px → 39 px a cell, three cells = 117 px of background.
    drawTextBox(canvas, "a\x88\x9F", 0, 0, 120, 20, kWhite, kBlue);
    EXPECT_EQ(canvas.textRuns().at(0).charWidth, 39);
    EXPECT_EQ(canvas.countPixels(0, 0, 300, 40, kRed), 300 * 40 - 117 * 20);
}

TEST(Fill, RightAndBottomEdgesAreExcluded) {
    RasterCanvas canvas(20, 20);
    fillBox(canvas, 2, 3, 5, 7, kGreen);
    EXPECT_EQ(canvas.countPixels(0, 0, 20, 20, kGreen), 3 * 4);
    EXPECT_EQ(canvas.pixel(2, 3), kGreen);
    EXPECT_EQ(canvas.pixel(4, 6), kGreen);
    EXPECT_EQ(canvas.pixel(5, 6), kBlack);
    EXPECT_EQ(canvas.pixel(4, 7), kBlack);
}

TEST(Fill, OutsideAndInvertedRectanglesAreClippedOrEmpty) {
    RasterCanvas canvas(10, 10);
    fillBox(canvas, -5, -5, 3, 2, kGreen);
    EXPECT_EQ(canvas.countPixels(0, 0, 10, 10, kGreen), 3 * 2);
    fillBox(canvas, 8, 8, 4, 4, kRed);
    fillBox(canvas, 20, 20, 30, 30, kRed);
    EXPECT_EQ(canvas.countPixels(0, 0, 10, 10, kRed), 0);
}

TEST(ClearScreen, UsesTheStoredClientSize) {
    RasterCanvas canvas(50, 40);
    canvas.fillRect(0, 0, 50, 40, kRed);
    clearScreen(canvas, 30, 20);
    EXPECT_EQ(canvas.countPixels(0, 0, 50, 40, kBlack), 30 * 20);
    EXPECT_EQ(canvas.pixel(30, 0), kRed);
}

TEST(Line, TheEndPointIsNotPainted) {
    RasterCanvas canvas(20, 20);
    drawLine(canvas, 2, 5, 10, 5, kGreen);
    EXPECT_EQ(canvas.countPixels(0, 0, 20, 20, kGreen), 8);
    EXPECT_EQ(canvas.pixel(2, 5), kGreen);
    EXPECT_EQ(canvas.pixel(9, 5), kGreen);
    EXPECT_EQ(canvas.pixel(10, 5), kBlack);
    // Drawn backwards, the start is painted and the (left) end is not.
    drawLine(canvas, 7, 15, 3, 15, kRed);
    EXPECT_EQ(canvas.pixel(7, 15), kRed);
    EXPECT_EQ(canvas.pixel(3, 15), kBlack);
    EXPECT_EQ(canvas.countPixels(0, 0, 20, 20, kRed), 4);
    // A line from a point to itself paints nothing.
    drawLine(canvas, 1, 1, 1, 1, kRed);
    EXPECT_EQ(canvas.pixel(1, 1), kBlack);
}

TEST(Line, VerticalAndDiagonal) {
    RasterCanvas canvas(20, 20);
    drawLine(canvas, 4, 2, 4, 12, kGreen);
    EXPECT_EQ(canvas.countPixels(4, 0, 5, 20, kGreen), 10);
    EXPECT_EQ(canvas.pixel(4, 12), kBlack);
    drawLine(canvas, 10, 10, 15, 15, kRed);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(canvas.pixel(10 + i, 10 + i), kRed);
    EXPECT_EQ(canvas.pixel(15, 15), kBlack);
}

TEST(Frame, TheBottomRightCornerStaysUnpainted) {
    RasterCanvas canvas(30, 30);
    drawFrame(canvas, 5, 6, 15, 16, kGreen);
    // Four edges of 10 pixels each; the top and left edges share the corner (5, 6).
    EXPECT_EQ(canvas.countPixels(0, 0, 30, 30, kGreen), 39);
    EXPECT_EQ(canvas.pixel(5, 6), kGreen);
    EXPECT_EQ(canvas.pixel(15, 6), kGreen);
    EXPECT_EQ(canvas.pixel(5, 16), kGreen);
    EXPECT_EQ(canvas.pixel(15, 16), kBlack);
    EXPECT_EQ(canvas.pixel(14, 16), kGreen);
    EXPECT_EQ(canvas.pixel(15, 15), kGreen);
    EXPECT_EQ(canvas.pixel(10, 11), kBlack);  // inside stays as it was
}

}  // namespace
}  // namespace tavori
