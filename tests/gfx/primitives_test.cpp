// The primitives' text geometry and clearing on the raster canvas.
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

TEST(DrawTextBox, DoubleByteCharactersTakeTwoCells) {
    RasterCanvas canvas(300, 40);
    canvas.fillRect(0, 0, 300, 40, kRed);
    // "a" + 亜: 3 bytes in 120 px → 39 px a cell, three cells = 117 px of background.
    drawTextBox(canvas, "a\x88\x9F", 0, 0, 120, 20, kWhite, kBlue);
    EXPECT_EQ(canvas.textRuns().at(0).charWidth, 39);
    EXPECT_EQ(canvas.countPixels(0, 0, 300, 40, kRed), 300 * 40 - 117 * 20);
}

TEST(ClearScreen, UsesTheStoredClientSize) {
    RasterCanvas canvas(50, 40);
    canvas.fillRect(0, 0, 50, 40, kRed);
    clearScreen(canvas, 30, 20);
    EXPECT_EQ(canvas.countPixels(0, 0, 50, 40, kBlack), 30 * 20);
    EXPECT_EQ(canvas.pixel(30, 0), kRed);
}

}  // namespace
}  // namespace tavori
