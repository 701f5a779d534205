// The pixel rules every canvas keeps, written once and run on each canvas through its traits:
// `Surface` (a canvas whose pixels can be read), `make(width, height)` giving a black one as a
// std::unique_ptr, `canvas(surface)` to draw on and `pixel(surface, x, y)` as a Colour.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <iterator>
#include <memory>
#include <vector>

#include "common/canvas.h"
#include "gfx/primitives.h"

namespace tavori {

template <typename Traits>
class CanvasContract : public ::testing::Test {
protected:
    static constexpr Colour kRed = rgb(255, 0, 0);

    // A new black canvas; `at` and `count` name it by the order it was made in.
    Canvas& make(int width, int height) {
        surfaces_.push_back(Traits::make(width, height));
        return Traits::canvas(*surfaces_.back());
    }
    Colour at(int x, int y, std::size_t canvas = 0) const { return Traits::pixel(*surfaces_.at(canvas), x, y); }
    int count(int left, int top, int right, int bottom, Colour colour, std::size_t canvas = 0) const {
        int found = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) found += at(x, y, canvas) == colour ? 1 : 0;
        }
        return found;
    }

private:
    std::vector<std::unique_ptr<typename Traits::Surface>> surfaces_;
};

TYPED_TEST_SUITE_P(CanvasContract);

TYPED_TEST_P(CanvasContract, FillsCoverLeftAndTopButNotRightAndBottom) {
    Canvas& canvas = this->make(20, 20);
    canvas.fillRect(2, 3, 6, 8, this->kRed);
    EXPECT_EQ(this->at(2, 3), this->kRed);
    EXPECT_EQ(this->at(5, 7), this->kRed);
    EXPECT_EQ(this->at(6, 7), kBlack);
    EXPECT_EQ(this->at(5, 8), kBlack);
    EXPECT_EQ(this->at(1, 3), kBlack);
    EXPECT_EQ(this->count(0, 0, 20, 20, this->kRed), 4 * 5);
    // Empty, inverted and off-canvas rectangles paint nothing; one partly off is clipped.
    canvas.fillRect(10, 10, 10, 15, kWhite);
    canvas.fillRect(15, 15, 12, 12, kWhite);
    canvas.fillRect(20, 20, 30, 30, kWhite);
    EXPECT_EQ(this->count(0, 0, 20, 20, kWhite), 0);
    canvas.fillRect(-5, -5, 3, 2, kGreen);
    EXPECT_EQ(this->count(0, 0, 20, 20, kGreen), 3 * 2);
}

TYPED_TEST_P(CanvasContract, LinesLeaveTheirEndPointUnpainted) {
    Canvas& canvas = this->make(20, 20);
    canvas.line(2, 5, 10, 5, kGreen);
    EXPECT_EQ(this->count(0, 5, 20, 6, kGreen), 8);
    EXPECT_EQ(this->at(2, 5), kGreen);
    EXPECT_EQ(this->at(9, 5), kGreen);
    EXPECT_EQ(this->at(10, 5), kBlack);
    // Drawn backwards, the start is painted and the (left) end is not.
    canvas.line(7, 15, 3, 15, this->kRed);
    EXPECT_EQ(this->count(0, 15, 20, 16, this->kRed), 4);
    EXPECT_EQ(this->at(7, 15), this->kRed);
    EXPECT_EQ(this->at(3, 15), kBlack);
    canvas.line(12, 18, 12, 8, kWhite);  // upwards: (12, 8) is the end
    EXPECT_EQ(this->count(12, 0, 13, 20, kWhite), 10);
    EXPECT_EQ(this->at(12, 8), kBlack);
    canvas.line(16, 1, 16, 6, kBlue);
    EXPECT_EQ(this->count(16, 0, 17, 20, kBlue), 5);
    EXPECT_EQ(this->at(16, 6), kBlack);
    canvas.line(1, 7, 5, 11, this->kRed);
    for (int step = 0; step < 4; ++step) EXPECT_EQ(this->at(1 + step, 7 + step), this->kRed) << step;
    EXPECT_EQ(this->at(5, 11), kBlack);
    // Level and upright lines past the edges keep their on-canvas points.
    canvas.line(-5, 3, 25, 3, kBlue);
    canvas.line(19, 30, 19, -3, kBlue);
    EXPECT_EQ(this->count(0, 3, 20, 4, kBlue) + this->count(19, 0, 20, 20, kBlue), 2 * 20);
    // A line from a point to itself paints nothing.
    canvas.line(18, 18, 18, 18, this->kRed);
    EXPECT_EQ(this->at(18, 18), kBlack);
}

TYPED_TEST_P(CanvasContract, FrameLeavesTheBottomRightCornerUnpainted) {
    drawFrame(this->make(30, 30), 5, 6, 15, 16, kGreen);
    // Four edges of 10 pixels each; the top and left edges share the corner (5, 6).
    EXPECT_EQ(this->count(0, 0, 30, 30, kGreen), 39);
    EXPECT_EQ(this->at(5, 6), kGreen);
    EXPECT_EQ(this->at(15, 6), kGreen);
    EXPECT_EQ(this->at(5, 16), kGreen);
    EXPECT_EQ(this->at(15, 16), kBlack);
    EXPECT_EQ(this->at(14, 16), kGreen);
    EXPECT_EQ(this->at(15, 15), kGreen);
    EXPECT_EQ(this->count(6, 7, 15, 16, kGreen), 0);  // the inside stays as it was
}

TYPED_TEST_P(CanvasContract, TextFillsOneCellPerByteAndTwoPerDoubleByteCharacter) {
    Canvas& canvas = this->make(120, 50);
    canvas.fillRect(0, 0, 120, 50, this->kRed);
    // "A", 亜 (two bytes, two cells), "B": four cells of 20 × 32 from (7, 9).
    canvas.text(7, 9, "A\x88\x9F" "B", 32, 20, kWhite, kBlue);
    // Every cell is filled opaque, and nothing outside them changes.
    EXPECT_EQ(this->count(7, 9, 87, 41, this->kRed), 0);
    EXPECT_EQ(this->count(0, 0, 120, 50, this->kRed), 120 * 50 - 80 * 32);
    // Each character leaves ink in its own cells. The glyph shapes are the platform's and
    // smoothed edges may blend colours, so ink is whatever is not the background.
    constexpr int cellArea = 20 * 32;
    EXPECT_LT(this->count(7, 9, 27, 41, kBlue), cellArea);
    EXPECT_LT(this->count(27, 9, 67, 41, kBlue), 2 * cellArea);
    EXPECT_LT(this->count(67, 9, 87, 41, kBlue), cellArea);
}

TYPED_TEST_P(CanvasContract, SpacesOnlyBlankAndCellsOfNoWidthDrawNothing) {
    Canvas& canvas = this->make(120, 40);
    canvas.fillRect(0, 0, 120, 40, this->kRed);
    canvas.text(0, 0, "ABC", 32, 0, kWhite, kBlue);
    canvas.text(0, 0, "ABC", 32, -3, kWhite, kBlue);
    canvas.text(0, 0, "", 32, 8, kWhite, kBlue);
    EXPECT_EQ(this->count(0, 0, 120, 40, this->kRed), 120 * 40);
    canvas.text(0, 0, " ", 32, 99, kWhite, kBlack);
    EXPECT_EQ(this->count(0, 0, 99, 32, kBlack), 99 * 32);
    EXPECT_EQ(this->count(0, 0, 120, 40, this->kRed), 120 * 40 - 99 * 32);
}

TYPED_TEST_P(CanvasContract, ASingleSpaceInAWideBoxBlanksAllButItsLastColumn) {
    Canvas& canvas = this->make(700, 100);
    canvas.fillRect(0, 0, 700, 100, this->kRed);
    drawTextBox(canvas, " ", 50, 30, 600, 32, kWhite, kBlack);
    // One opaque cell 599 wide: the box's 600 columns less the last, all 32 rows.
    EXPECT_EQ(this->count(50, 30, 649, 62, kBlack), 599 * 32);
    EXPECT_EQ(this->count(0, 0, 700, 100, this->kRed), 700 * 100 - 599 * 32);
}

TYPED_TEST_P(CanvasContract, BlitCopiesWhatLiesOnBothCanvases) {
    // Every source pixel its own colour, so a copy shows where each pixel went.
    Canvas& source = this->make(10, 10);
    const auto sourceColour = [](int x, int y) {
        return rgb(static_cast<std::uint32_t>(10 + 20 * x), static_cast<std::uint32_t>(10 + 20 * y), 200);
    };
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) source.fillRect(x, y, x + 1, y + 1, sourceColour(x, y));
    }
    struct Copy {
        int sourceX, sourceY, width, height, destinationX, destinationY;
        int left, top, right, bottom;  // what lands on the 20 × 20 target
    };
    const Copy copies[] = {
        {2, 2, 3, 2, 10, 11, 10, 11, 13, 13},    // inside both
        {6, 6, 10, 10, 1, 2, 1, 2, 5, 6},        // past the source
        {0, 0, 10, 10, -4, -3, 0, 0, 6, 7},      // top-left off the target
        {5, 5, 10, 10, 15, 18, 15, 18, 20, 20},  // past the source and the target
        {-3, 0, 5, 5, 0, 0, 3, 0, 5, 5},         // starting left of the source
        {0, 0, 10, 10, -8, -8, 0, 0, 2, 2},      // only the source's far corner
    };
    for (std::size_t index = 0; index < std::size(copies); ++index) {
        const Copy& copy = copies[index];
        const std::size_t target = index + 1;
        this->make(20, 20).blit(source, copy.sourceX, copy.sourceY, copy.width, copy.height, copy.destinationX,
                                copy.destinationY);
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 20; ++x) {
                const bool copied = x >= copy.left && x < copy.right && y >= copy.top && y < copy.bottom;
                const Colour expected = copied ? sourceColour(x - copy.destinationX + copy.sourceX,
                                                              y - copy.destinationY + copy.sourceY)
                                               : kBlack;
                ASSERT_EQ(this->at(x, y, target), expected) << "copy " << index << " at " << x << ", " << y;
            }
        }
    }
}

TYPED_TEST_P(CanvasContract, OverlappingCopyOnTheSameCanvas) {
    Canvas& canvas = this->make(10, 1);
    for (int x = 0; x < 5; ++x) canvas.fillRect(x, 0, x + 1, 1, rgb(static_cast<std::uint32_t>(x + 1), 0, 0));
    canvas.blit(canvas, 0, 0, 5, 1, 2, 0);
    EXPECT_EQ(this->at(1, 0), rgb(2, 0, 0));
    for (int x = 0; x < 5; ++x) EXPECT_EQ(this->at(x + 2, 0), rgb(static_cast<std::uint32_t>(x + 1), 0, 0)) << x;
}

REGISTER_TYPED_TEST_SUITE_P(CanvasContract, FillsCoverLeftAndTopButNotRightAndBottom,
                            LinesLeaveTheirEndPointUnpainted, FrameLeavesTheBottomRightCornerUnpainted,
                            TextFillsOneCellPerByteAndTwoPerDoubleByteCharacter,
                            SpacesOnlyBlankAndCellsOfNoWidthDrawNothing,
                            ASingleSpaceInAWideBoxBlanksAllButItsLastColumn, BlitCopiesWhatLiesOnBothCanvases,
                            OverlappingCopyOnTheSameCanvas);

}  // namespace tavori
