// The GDI canvas on a 32-bit DIB section: the canvas rules, and a canvas without a bitmap.
#include "gdi_canvas.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "support/canvas_contract.h"

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

struct GdiTraits {
    using Surface = DibSurface;
    static std::unique_ptr<DibSurface> make(int width, int height) {
        auto surface = std::make_unique<DibSurface>(width, height);
        EXPECT_NE(surface->canvas.bitmap(), nullptr);
        return surface;
    }
    static Canvas& canvas(DibSurface& surface) { return surface.canvas; }
    static Colour pixel(const DibSurface& surface, int x, int y) { return surface.pixel(x, y); }
};
INSTANTIATE_TYPED_TEST_SUITE_P(Gdi, CanvasContract, GdiTraits);

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
