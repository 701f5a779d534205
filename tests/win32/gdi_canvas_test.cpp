// The GDI canvas on a 32-bit DIB section: the canvas rules, a column's forms, a canvas without a
// bitmap, and phrase rows and flashes where the raster canvas puts them.
#include "gdi_canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>

#include "common/cp932_encoder.h"
#include "shell/app.h"
#include "shell/menu.h"
#include "support/canvas_contract.h"
#include "support/fake_platform.h"
#include "support/raster_comparison.h"

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

// The bounding box of the ink (whatever is not black) in a cell, from the cell's corner.
RECT inkIn(const DibSurface& surface, int left, int top, int width, int height) {
    RECT box{width, height, 0, 0};
    for (int y = top; y < top + height; ++y) {
        for (int x = left; x < left + width; ++x) {
            if (surface.pixel(x, y) != kBlack) {
                box = RECT{std::min<LONG>(box.left, x - left), std::min<LONG>(box.top, y - top),
                           std::max<LONG>(box.right, x - left + 1), std::max<LONG>(box.bottom, y - top + 1)};
            }
        }
    }
    return box;
}

TEST(GdiCanvas, BracketsTurnAndSmallKanaAndCommasMoveUpAndRightWithinTheirCells) {
    DibSurface surface(320, 400);
    surface.canvas.fillRect(0, 0, 320, 400, kRed);
    // In a row, cells of 64: 「, ぁ, 、 and "A" (half as wide); in a column from (240, 10):
    // the same four, "A" in half a cell's height.
    surface.canvas.text(0, 0, "\x81\x75\x82\x9F\x81\x41" "A", 64, 32, kWhite, kBlack);
    surface.canvas.verticalText(240, 10, "\x81\x75\x82\x9F\x81\x41" "A", 64, kWhite, kBlack);
    // The turned bracket is the row's turned a quarter clockwise: its box transposed, the row's
    // left edge now its top and the row's bottom its left (the font's hinting may move an edge
    // by a pixel or two when it turns).
    const RECT rowBracket = inkIn(surface, 0, 0, 64, 64);
    const RECT turned = inkIn(surface, 240, 10, 64, 64);
    ASSERT_LT(rowBracket.left, rowBracket.right);
    EXPECT_NEAR(turned.left, 64 - rowBracket.bottom, 2);
    EXPECT_NEAR(turned.top, rowBracket.left, 2);
    EXPECT_NEAR(turned.right - turned.left, rowBracket.bottom - rowBracket.top, 2);
    EXPECT_NEAR(turned.bottom - turned.top, rowBracket.right - rowBracket.left, 2);
    const RECT rowA = inkIn(surface, 192, 0, 32, 64);
    const RECT turnedA = inkIn(surface, 240, 202, 64, 32);
    EXPECT_NEAR(turnedA.right - turnedA.left, rowA.bottom - rowA.top, 2);
    EXPECT_NEAR(turnedA.bottom - turnedA.top, rowA.right - rowA.left, 2);
    // The small kana sits higher and further right, by an eighth of the cell.
    const RECT rowKana = inkIn(surface, 64, 0, 64, 64);
    const RECT kana = inkIn(surface, 240, 74, 64, 64);
    EXPECT_EQ(kana.left - rowKana.left, 8);
    EXPECT_EQ(rowKana.top - kana.top, 8);
    // The comma leaves the row's lower left for the column's upper right.
    const RECT rowComma = inkIn(surface, 128, 0, 64, 64);
    const RECT comma = inkIn(surface, 240, 138, 64, 64);
    EXPECT_LE(rowComma.right, 32);
    EXPECT_GE(rowComma.top, 32);
    EXPECT_GE(comma.left, 32);
    EXPECT_LE(comma.bottom, 32);
    // Every cell is opaque and nothing outside the column changed.
    EXPECT_EQ(surface.count(0, 0, 320, 400, kRed), 320 * 400 - 224 * 64 - 64 * 224);
}

TEST(GdiCanvas, ABitmapCanvasWithoutABitmapIgnoresDrawing) {
    BitmapCanvas empty;
    empty.fillRect(0, 0, 10, 10, kRed);
    empty.line(0, 0, 5, 5, kRed);
    empty.text(0, 0, "A", 16, 8, kWhite, kBlack);
    empty.verticalText(0, 0, "A", 16, kWhite, kBlack);
    DibSurface target(10, 10);
    target.canvas.blit(empty, 0, 0, 10, 10, 0, 0);
    EXPECT_EQ(target.count(0, 0, 10, 10, kBlack), 100);
}

// The test platform with the window a DIB section that GDI draws on.
struct GdiWindowPlatform final : tavori::testing::FakePlatform {
    Canvas& windowCanvas() override { return surface.canvas; }
    DibSurface surface{1000, 600};
};

// A page of phrase rows, a flash of two phrases and the flash in a column, drawn by GDI and by
// the raster canvas for the same commands.
TEST(GdiCanvas, PhraseRowsAndFlashesDrawWhatTheRasterCanvasDraws) {
    using namespace CommandId;
    GdiWindowPlatform gdi;
    tavori::testing::FakePlatform raster;
    const std::string text = utf8ToCp932(
        "「速く読むには、目を文節ごとに動かす。」と先生は言った。行に入らない言葉は次の行へ送り、"
        "句読点や閉じ括弧を行の頭に置かない。ページをめくるたびに、読んだ文字の数が数えられる。");
    gdi.addFile(gdi.besideExecutable("w.txt"), text);
    raster.addFile(raster.besideExecutable("w.txt"), text);
    App shown(gdi, AppConfig{1, ""});
    App drawn(raster, AppConfig{1, ""});
    shown.startUp();
    drawn.startUp();
    for (const auto& scene : {std::vector{lines(5), PhraseRows, PauseOrResume, NextPage},
                              std::vector{PhraseFlashFirst + 1, NextPage}, std::vector{Vertical, NextPage}}) {
        for (const int id : scene) {
            raster.window().clearTextRuns();  // the runs left are the last command's
            shown.command(id);
            drawn.command(id);
        }
        const auto pixel = [&gdi](int x, int y) { return gdi.surface.pixel(x, y); };
        EXPECT_EQ(tavori::testing::differenceFromRaster(raster.window(), pixel), "") << scene[0];
    }
}

}  // namespace
}  // namespace tavori::win32
