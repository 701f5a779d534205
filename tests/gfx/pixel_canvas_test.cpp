// The pixel canvas: the canvas rules on the raster canvas, both pixel formats, and copies clipped
// at extreme coordinates.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <utility>
#include <vector>

#include "gfx/copy_clip.h"
#include "gfx/pixel_canvas.h"
#include "support/canvas_contract.h"
#include "support/raster_canvas.h"

namespace tavori {
namespace {

using testing::RasterCanvas;

struct RasterTraits {
    using Surface = RasterCanvas;
    static std::unique_ptr<RasterCanvas> make(int width, int height) { return std::make_unique<RasterCanvas>(width, height); }
    static Canvas& canvas(RasterCanvas& surface) { return surface; }
    static Colour pixel(const RasterCanvas& surface, int x, int y) { return surface.pixel(x, y); }
};
INSTANTIATE_TYPED_TEST_SUITE_P(Raster, CanvasContract, RasterTraits);

// A pixel canvas without text, to look at the buffer's raw values.
struct BareCanvas : PixelCanvas {
    using PixelCanvas::PixelCanvas;
    void text(int, int, std::string_view, int, int, Colour, Colour) override {}
};

TEST(PixelFormat, EachFormatStoresItsOwnByteOrderAndReadsBack) {
    EXPECT_EQ(rgb(0x12, 0x34, 0x56), 0x00563412u);
    for (const auto& [format, stored] : {std::pair{PixelFormat::Argb32, 0xFF123456u},
                                         std::pair{PixelFormat::Rgba, 0xFF563412u},
                                         std::pair{PixelFormat::ColourRef, 0x00563412u}}) {
        std::vector<std::uint32_t> pixels(4, 0);
        BareCanvas canvas(pixels.data(), 2, 2, 2, format);
        canvas.fillRect(0, 0, 1, 1, rgb(0x12, 0x34, 0x56));
        EXPECT_EQ(pixels[0], stored);
        EXPECT_EQ(canvas.pixel(0, 0), rgb(0x12, 0x34, 0x56));
    }
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
