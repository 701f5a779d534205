// Brushes, pens and ExtTextOutW with an advance per cell (a column's cells one glyph at a time),
// on a device context taken for each call; copies clipped to the source before BitBlt.
#include "gdi_canvas.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "common/sjis.h"
#include "gfx/copy_clip.h"
#include "gfx/vertical_cells.h"
#include "text_conversion.h"

namespace tavori::win32 {

namespace {

// The core's colours are 0x00BBGGRR already; the top byte is cleared so that no value can
// reach GDI as a palette index.
COLORREF toColorRef(Colour colour) { return static_cast<COLORREF>(colour & 0x00FFFFFFu); }

// The face the program draws every text in; where it is missing, the font mapper picks the
// nearest fixed-pitch Shift-JIS face.
constexpr wchar_t kFontFace[] = L"ＭＳゴシック";

// The program's font for cells `cellHeight` high and a single byte `charWidth` wide, its
// baseline turned by `escapement` tenths of a degree counter-clockwise.
Font cellFont(int cellHeight, int charWidth, int escapement) {
    return Font(CreateFontW(cellHeight, charWidth, escapement, escapement, FW_BOLD, FALSE, FALSE, FALSE,
                            SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                            FIXED_PITCH | FF_MODERN, kFontFace));
}

// A baseline turned 270° counter-clockwise runs down the screen with the glyphs' tops to the
// right: every glyph turned a quarter clockwise. The plain face is turned, not the "@" face: the
// "@" face stands full-width glyphs upright and swaps in the font's own vertical forms, but only
// for what its vertical table lists, and it places them by its own vertical metrics; with the
// gothic that stands in under Wine it centres 「 in its cell instead of against the next
// character, puts 、 at the middle right, pushes kana and kanji past the cell's right edge and
// loses ￣. Turning the row's glyph is the form the core names, for every face.
constexpr int kQuarterClockwise = 2700;

int clampToInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX));
}

// One glyph per character and the width of its cells: one cell for a single byte, two for a
// lead byte with its trail.
struct CellRun {
    std::wstring glyphs;
    std::vector<INT> advances;
    std::int64_t width = 0;
};

CellRun layOutCells(std::string_view bytes, int charWidth) {
    CellRun run;
    for (std::size_t index = 0; index < bytes.size();) {
        const std::size_t length = characterWidthAt(bytes, index);
        const int advance = static_cast<int>(length) * charWidth;
        run.glyphs.push_back(cp932CharacterToWide(bytes.substr(index, length)));
        run.advances.push_back(advance);
        run.width += advance;
        index += length;
    }
    return run;
}

}  // namespace

void GdiCanvas::fillRect(int left, int top, int right, int bottom, Colour colour) {
    if (left >= right || top >= bottom) {
        return;
    }
    withDc([&](HDC dc) {
        const Brush brush(CreateSolidBrush(toColorRef(colour)));
        if (!brush) {
            return;
        }
        const RECT area{left, top, right, bottom};
        FillRect(dc, &area, brush.get());
    });
}

void GdiCanvas::line(int x1, int y1, int x2, int y2, Colour colour) {
    withDc([&](HDC dc) {
        const Pen pen(CreatePen(PS_SOLID, 1, toColorRef(colour)));
        if (!pen) {
            return;
        }
        const SelectedObject selection(dc, pen.get());
        MoveToEx(dc, x1, y1, nullptr);
        LineTo(dc, x2, y2);  // GDI leaves the end point itself unpainted
    });
}

void GdiCanvas::text(int x, int y, std::string_view bytes, int cellHeight, int charWidth, Colour foreground,
                     Colour background) {
    // Cells of no width or height cover nothing (a text longer than its box).
    if (bytes.empty() || charWidth <= 0 || cellHeight <= 0) {
        return;
    }
    const CellRun run = layOutCells(bytes, charWidth);
    const RECT cells{x, y, clampToInt(x + run.width), clampToInt(std::int64_t{y} + cellHeight)};
    withDc([&](HDC dc) {
        const Font font = cellFont(cellHeight, charWidth, 0);
        const SelectedObject selection(dc, font.get());
        const COLORREF previousText = SetTextColor(dc, toColorRef(foreground));
        const COLORREF previousBackground = SetBkColor(dc, toColorRef(background));
        // Wide glyphs show as Japanese whatever the system's code page; the advances keep the
        // cells where the core put them, and the opaque rectangle fills every cell first.
        ExtTextOutW(dc, x, y, ETO_OPAQUE | ETO_CLIPPED, &cells, run.glyphs.data(),
                    static_cast<UINT>(run.glyphs.size()), run.advances.data());
        SetBkColor(dc, previousBackground);
        SetTextColor(dc, previousText);
    });
}

void GdiCanvas::verticalText(int x, int y, std::string_view bytes, int cellSize, Colour foreground,
                             Colour background) {
    if (bytes.empty() || cellSize < 2) {
        return;
    }
    withDc([&](HDC dc) {
        // Both made for a row's cell of the column's width, so an upright glyph fills its square
        // as in a row, and a turned one fills the cell its row cell turns into.
        const Font upright = cellFont(cellSize, cellSize / 2, 0);
        const Font turned = cellFont(cellSize, cellSize / 2, kQuarterClockwise);
        const COLORREF previousText = SetTextColor(dc, toColorRef(foreground));
        const COLORREF previousBackground = SetBkColor(dc, toColorRef(background));
        forEachVerticalCell(bytes, cellSize, [&](const VerticalCell& cell) {
            const RECT box{x, clampToInt(std::int64_t{y} + cell.top), clampToInt(std::int64_t{x} + cellSize),
                           clampToInt(std::int64_t{y} + cell.top + cell.height)};
            const wchar_t glyph = cp932CharacterToWide(bytes.substr(cell.position, cell.length));
            INT advance = static_cast<INT>(cell.length) * (cellSize / 2);
            const bool isTurned = cell.form == VerticalForm::Turned;
            // A turned glyph's cell lies left of and below its origin, so the origin is the cell's
            // top right; a moved one starts right of and above the cell's corner, and the cell's
            // clip cuts off what would leave it.
            const int shift = verticalShiftEighths(cell.form) * cellSize / 8;
            const int originX = isTurned ? box.right : box.left + shift;
            const int originY = isTurned ? box.top : box.top - shift;
            const SelectedObject selection(dc, (isTurned ? turned : upright).get());
            ExtTextOutW(dc, originX, originY, ETO_OPAQUE | ETO_CLIPPED, &box, &glyph, 1, &advance);
        });
        SetBkColor(dc, previousBackground);
        SetTextColor(dc, previousText);
    });
}

void GdiCanvas::blit(const Canvas& source, int sourceX, int sourceY, int width, int height, int destinationX,
                     int destinationY) {
    const auto* from = dynamic_cast<const GdiCanvas*>(&source);
    if (from == nullptr) {
        return;
    }
    // Clip to the source here, moving both corners together; GDI clips the destination.
    const SIZE available = from->surfaceSize();
    const auto clipped = clipCopy({sourceX, sourceY, width, height, destinationX, destinationY},
                                  static_cast<int>(available.cx), static_cast<int>(available.cy), INT_MAX, INT_MAX);
    if (!clipped) {
        return;
    }
    const CopyRect& copy = *clipped;
    withDc([&](HDC target) {
        if (from == this) {
            // A bitmap can be selected into one device context only: copy within this one.
            BitBlt(target, copy.destinationX, copy.destinationY, copy.width, copy.height, target, copy.sourceX,
                   copy.sourceY, SRCCOPY);
            return;
        }
        from->withDc([&](HDC origin) {
            BitBlt(target, copy.destinationX, copy.destinationY, copy.width, copy.height, origin, copy.sourceX,
                   copy.sourceY, SRCCOPY);
        });
    });
}

void WindowCanvas::withDc(const std::function<void(HDC)>& draw) const {
    const WindowDc dc(window_);
    if (dc.get() != nullptr) {
        draw(dc.get());
    }
}

SIZE WindowCanvas::area() const {
    RECT client{};
    if (window_ == nullptr || !GetClientRect(window_, &client)) {
        return SIZE{0, 0};
    }
    return SIZE{client.right - client.left, std::max<LONG>(0, client.bottom - client.top - stripHeight_)};
}

BitmapCanvas::BitmapCanvas(Bitmap bitmap, int width, int height) { reset(std::move(bitmap), width, height); }

void BitmapCanvas::reset(Bitmap bitmap, int width, int height) {
    bitmap_ = std::move(bitmap);
    width_ = bitmap_ ? width : 0;
    height_ = bitmap_ ? height : 0;
}

void BitmapCanvas::withDc(const std::function<void(HDC)>& draw) const {
    if (!bitmap_) {
        return;
    }
    // Compatible with the screen, as the window's own device context is.
    const MemoryDc dc(nullptr);
    if (dc.get() == nullptr) {
        return;
    }
    const SelectedObject selection(dc.get(), bitmap_.get());
    draw(dc.get());
}

}  // namespace tavori::win32
