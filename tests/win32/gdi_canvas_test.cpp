// The GDI canvas on a 32-bit DIB section: exact fills, lines, frames, text cells and copies.
#include "gdi_canvas.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "gfx/primitives.h"

namespace tavori::win32 {
namespace {

constexpr Colour kRed = rgb(255, 0, 0);

// A top-down 32-bit DIB section owned by a BitmapCanvas, with its pixels readable.
class DibSurface {
public:
    DibSurface(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // top row first
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        Bitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<const std::uint32_t*>(bits);
        canvas.reset(std::move(bitmap), width, height);
    }

    // The pixel as a 0x00BBGGRR colour (a DIB stores 0x00RRGGBB).
    Colour pixel(int x, int y) const {
        GdiFlush();
        const std::uint32_t value = bits_[y * width_ + x];
        return rgb((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
    }

    int count(int left, int top, int right, int bottom, Colour colour) const {
        int found = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                found += pixel(x, y) == colour ? 1 : 0;
            }
        }
        return found;
    }

    BitmapCanvas canvas;

private:
    int width_;
    int height_;
    const std::uint32_t* bits_ = nullptr;
};

TEST(GdiCanvas, FillsIncludeLeftAndTopButNotRightAndBottom) {
    DibSurface surface(20, 20);
    ASSERT_NE(surface.canvas.bitmap(), nullptr);
    surface.canvas.fillRect(2, 3, 6, 8, kRed);
    EXPECT_EQ(surface.pixel(2, 3), kRed);
    EXPECT_EQ(surface.pixel(5, 7), kRed);
    EXPECT_EQ(surface.pixel(6, 7), kBlack);
    EXPECT_EQ(surface.pixel(5, 8), kBlack);
    EXPECT_EQ(surface.pixel(1, 3), kBlack);
    EXPECT_EQ(surface.count(0, 0, 20, 20, kRed), 4 * 5);

    // Empty and inverted rectangles paint nothing.
    surface.canvas.fillRect(10, 10, 10, 15, kWhite);
    surface.canvas.fillRect(15, 15, 12, 12, kWhite);
    EXPECT_EQ(surface.count(0, 0, 20, 20, kWhite), 0);
}

TEST(GdiCanvas, LinesLeaveTheirEndPointUnpainted) {
    DibSurface surface(12, 12);
    surface.canvas.line(1, 1, 5, 1, kGreen);
    EXPECT_EQ(surface.count(0, 1, 12, 2, kGreen), 4);
    EXPECT_EQ(surface.pixel(1, 1), kGreen);
    EXPECT_EQ(surface.pixel(5, 1), kBlack);

    surface.canvas.line(9, 10, 9, 3, kWhite);  // upwards: (9, 3) is the end
    EXPECT_EQ(surface.count(9, 0, 10, 12, kWhite), 7);
    EXPECT_EQ(surface.pixel(9, 3), kBlack);

    surface.canvas.line(0, 4, 4, 8, kRed);
    for (int step = 0; step < 4; ++step) {
        EXPECT_EQ(surface.pixel(step, 4 + step), kRed) << step;
    }
    EXPECT_EQ(surface.pixel(4, 8), kBlack);
}

TEST(GdiCanvas, FrameLeavesTheBottomRightCornerUnpainted) {
    DibSurface surface(12, 10);
    drawFrame(surface.canvas, 2, 2, 8, 6, kGreen);
    EXPECT_EQ(surface.pixel(8, 6), kBlack);
    EXPECT_EQ(surface.pixel(2, 2), kGreen);
    EXPECT_EQ(surface.pixel(8, 2), kGreen);
    EXPECT_EQ(surface.pixel(2, 6), kGreen);
    EXPECT_EQ(surface.pixel(7, 6), kGreen);
    EXPECT_EQ(surface.pixel(8, 5), kGreen);
    // The outline of a 7 × 5 block less its one corner; the inside stays black.
    EXPECT_EQ(surface.count(0, 0, 12, 10, kGreen), 19);
    EXPECT_EQ(surface.count(3, 3, 8, 6, kGreen), 0);
}

TEST(GdiCanvas, TextFillsOneCellPerByteAndTwoPerDoubleByteCharacter) {
    DibSurface surface(64, 24);
    surface.canvas.fillRect(0, 0, 64, 24, kRed);
    // "A", "あ" (two bytes, two cells), "B": four cells of 8 × 16 from (3, 2).
    surface.canvas.text(3, 2, "A\x82\xA0" "B", 16, 8, kWhite, kBlue);

    const int runRight = 3 + 4 * 8;
    EXPECT_EQ(surface.count(3, 2, runRight, 18, kRed), 0) << "every cell is filled opaque";
    EXPECT_EQ(surface.pixel(runRight, 2), kRed);
    EXPECT_EQ(surface.pixel(2, 2), kRed);
    EXPECT_EQ(surface.pixel(3, 18), kRed);
    EXPECT_EQ(surface.pixel(runRight - 1, 17), kBlue) << "the run ends at the last cell's edge";
    // The glyphs sit in their cells: "A" in the first, "B" in the fourth, after the two of "あ".
    // (Smoothed edges may blend the colours, so a glyph is whatever is not background.)
    const int cellArea = 8 * 16;
    EXPECT_LT(surface.count(3, 2, 11, 18, kBlue), cellArea);
    EXPECT_LT(surface.count(27, 2, 35, 18, kBlue), cellArea);
}

TEST(GdiCanvas, TextOfNoCellWidthOrEmptyTextDrawsNothing) {
    DibSurface surface(40, 20);
    surface.canvas.text(0, 0, "ABC", 16, 0, kWhite, kBlue);
    surface.canvas.text(0, 0, "ABC", 16, -3, kWhite, kBlue);
    surface.canvas.text(0, 0, "", 16, 8, kWhite, kBlue);
    EXPECT_EQ(surface.count(0, 0, 40, 20, kBlack), 40 * 20);
}

TEST(GdiCanvas, ASingleSpaceInAWideBoxBlanksTheBox) {
    DibSurface surface(620, 40);
    surface.canvas.fillRect(0, 0, 620, 40, kWhite);
    drawTextBox(surface.canvas, " ", 10, 4, 600, 32, kWhite, kBlack);
    // One cell 599 wide: the box less its last column.
    EXPECT_EQ(surface.count(10, 4, 609, 36, kBlack), 599 * 32);
    EXPECT_EQ(surface.pixel(609, 4), kWhite);
}

TEST(GdiCanvas, BlitCopiesAndClipsToTheSource) {
    DibSurface source(10, 10);
    DibSurface target(20, 20);
    source.canvas.fillRect(0, 0, 10, 10, kGreen);
    source.canvas.fillRect(8, 8, 10, 10, kRed);

    target.canvas.blit(source.canvas, 6, 6, 10, 10, 1, 2);  // only 4 × 4 of the source exist
    EXPECT_EQ(target.count(0, 0, 20, 20, kGreen) + target.count(0, 0, 20, 20, kRed), 16);
    EXPECT_EQ(target.pixel(1, 2), kGreen);
    EXPECT_EQ(target.pixel(3, 4), kRed);
    EXPECT_EQ(target.pixel(5, 2), kBlack);

    target.canvas.blit(source.canvas, 0, 0, 10, 10, -8, -8);  // the source's red corner at (0, 0)
    EXPECT_EQ(target.pixel(0, 0), kRed);
    EXPECT_EQ(target.pixel(1, 1), kRed);
}

TEST(GdiCanvas, ABitmapCanvasWithoutABitmapIgnoresDrawing) {
    BitmapCanvas empty;
    empty.fillRect(0, 0, 10, 10, kRed);
    empty.line(0, 0, 5, 5, kRed);
    empty.text(0, 0, "A", 16, 8, kWhite, kBlack);
    DibSurface target(10, 10);
    target.canvas.blit(empty, 0, 0, 10, 10, 0, 0);
    EXPECT_EQ(target.count(0, 0, 10, 10, kBlack), 100);
}

}  // namespace
}  // namespace tavori::win32
