// The core's Canvas over GDI: the window's client area, or a bitmap in a memory device context.
#pragma once

#include <windows.h>

#include <functional>

#include "common/canvas.h"
#include "gdi_handles.h"

namespace tavori::win32 {

// Draws every call through a device context that exists only for that call, so no drawing
// object outlives the call that created it and every selection is undone before it returns.
class GdiCanvas : public Canvas {
public:
    void fillRect(int left, int top, int right, int bottom, Colour colour) override;
    void line(int x1, int y1, int x2, int y2, Colour colour) override;
    void text(int x, int y, std::string_view bytes, int cellHeight, int charWidth, Colour foreground,
              Colour background) override;
    // Each cell's glyph drawn alone, clipped to its cell: upright, moved or turned with the font's
    // escapement, as its form says.
    void verticalText(int x, int y, std::string_view bytes, int cellSize, Colour foreground,
                      Colour background) override;
    void blit(const Canvas& source, int sourceX, int sourceY, int width, int height, int destinationX,
              int destinationY) override;

protected:
    // Runs `draw` on a device context for this canvas; does nothing when there is none (the
    // window or the bitmap is gone).
    virtual void withDc(const std::function<void(HDC)>& draw) const = 0;
    // The drawable size, used to clip a copy taken from this canvas.
    virtual SIZE surfaceSize() const = 0;
};

// The main window's client area above the status strip, through GetDC for the span of each call.
// The strip is a child window, which the main window's WS_CLIPCHILDREN keeps out of every drawing.
class WindowCanvas final : public GdiCanvas {
public:
    void setWindow(HWND window) { window_ = window; }
    // The strip's height: the rows at the bottom of the client area that are not the canvas's.
    void setStripHeight(int height) { stripHeight_ = height; }
    // The client area less the strip (nothing without a window): what the core lays out in.
    SIZE area() const;

protected:
    void withDc(const std::function<void(HDC)>& draw) const override;
    SIZE surfaceSize() const override { return area(); }

private:
    HWND window_ = nullptr;
    int stripHeight_ = 0;
};

// A bitmap it owns (the 500 × 400 work bitmap, or a DIB section in the tests), selected into a
// memory device context for the span of each call.
class BitmapCanvas final : public GdiCanvas {
public:
    BitmapCanvas() = default;
    BitmapCanvas(Bitmap bitmap, int width, int height);

    // Takes a new bitmap, or deletes the current one when given none.
    void reset(Bitmap bitmap = {}, int width = 0, int height = 0);
    HBITMAP bitmap() const { return bitmap_.get(); }

protected:
    void withDc(const std::function<void(HDC)>& draw) const override;
    SIZE surfaceSize() const override { return SIZE{width_, height_}; }

private:
    Bitmap bitmap_;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace tavori::win32
