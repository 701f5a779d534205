// Copies between pixel canvases: clipping on every side, overlapping copies, both formats.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "gfx/copy_clip.h"
#include "gfx/pixel_canvas.h"
#include "support/raster_canvas.h"

namespace tavori {
namespace {

using testing::RasterCanvas;

constexpr Colour kRed = rgb(255, 0, 0);

// A pixel canvas without text, to look at the buffer's raw values.
struct BareCanvas : PixelCanvas {
    using PixelCanvas::PixelCanvas;
    void text(int, int, std::string_view, int, int, Colour, Colour) override {}
};

TEST(Blit, CopiesAPlainRectangle) {
    RasterCanvas source(10, 10);
    source.fillRect(2, 2, 5, 4, kRed);
    RasterCanvas target(20, 20);
    target.blit(source, 2, 2, 3, 2, 10, 11);
    EXPECT_EQ(target.countPixels(10, 11, 13, 13, kRed), 6);
    EXPECT_EQ(target.countPixels(0, 0, 20, 20, kRed), 6);
}

TEST(Blit, ClipsAtEveryEdgeOfBothCanvases) {
    RasterCanvas source(10, 10);
    source.fillRect(0, 0, 10, 10, kRed);
    RasterCanvas target(20, 20);
    target.blit(source, 0, 0, 10, 10, -4, -3);  // top-left off the target
    EXPECT_EQ(target.countPixels(0, 0, 20, 20, kRed), 6 * 7);
    RasterCanvas second(20, 20);
    second.blit(source, 5, 5, 10, 10, 15, 18);  // past the source and the target
    EXPECT_EQ(second.countPixels(0, 0, 20, 20, kRed), 5 * 2);
    RasterCanvas third(20, 20);
    third.blit(source, -3, 0, 5, 5, 0, 0);  // starts left of the source
    EXPECT_EQ(third.countPixels(0, 0, 20, 20, kRed), 2 * 5);
    EXPECT_EQ(third.pixel(3, 0), kRed);
    EXPECT_EQ(third.pixel(2, 0), kBlack);
}

TEST(Blit, OverlappingCopyOnTheSameCanvas) {
    RasterCanvas canvas(10, 1);
    for (int x = 0; x < 5; ++x) canvas.setPixel(x, 0, rgb(static_cast<std::uint32_t>(x + 1), 0, 0));
    canvas.blit(canvas, 0, 0, 5, 1, 2, 0);
    for (int x = 0; x < 5; ++x) EXPECT_EQ(canvas.pixel(x + 2, 0), rgb(static_cast<std::uint32_t>(x + 1), 0, 0));
}

TEST(PixelFormat, Argb32StoresRedInTheThirdByte) {
    std::vector<std::uint32_t> pixels(4, 0);
    BareCanvas canvas(pixels.data(), 2, 2, 2, PixelFormat::Argb32);
    canvas.fillRect(0, 0, 1, 1, rgb(0x12, 0x34, 0x56));
    EXPECT_EQ(pixels[0], 0xFF123456u);
    EXPECT_EQ(canvas.pixel(0, 0), rgb(0x12, 0x34, 0x56));
    EXPECT_EQ(rgb(0x12, 0x34, 0x56), 0x00563412u);
}

}  // namespace
}  // namespace tavori

namespace tavori {
namespace {

TEST(ClipCopy, ExtremeCoordinatesClipWithoutOverflow) {
    EXPECT_FALSE(clipCopy({INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0, 0}, 500, 400, 1000, 600));
    EXPECT_FALSE(clipCopy({0, 0, 100, 100, INT_MAX, 0}, 500, 400, 1000, 600));
    const auto copy = clipCopy({0, 0, INT_MAX, INT_MAX, -10, -20}, 500, 400, 1000, 600);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->sourceX, 10);
    EXPECT_EQ(copy->sourceY, 20);
    EXPECT_EQ(copy->destinationX, 0);
    EXPECT_EQ(copy->destinationY, 0);
    EXPECT_EQ(copy->width, 490);
    EXPECT_EQ(copy->height, 380);
}

}  // namespace
}  // namespace tavori
