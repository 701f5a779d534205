// A canvas over a plain 32-bit pixel buffer: fills, lines and copies with clipping, shared by
// the test raster and the Qt front end; text cells are left to the subclass.
#pragma once

#include <cstdint>
#include <string_view>

#include "common/canvas.h"

namespace tavori {

// How a pixel stores a colour: as the 0x00BBGGRR value itself, or as 0xFFRRGGBB (the form of
// a Qt RGB32 image).
enum class PixelFormat { ColourRef, Argb32 };

class PixelCanvas : public Canvas {
public:
    // `pixels` points at `height` rows of `strideInPixels` 32-bit pixels; the buffer is the
    // caller's and must outlive this canvas (or be replaced with attach()).
    PixelCanvas(std::uint32_t* pixels, int width, int height, int strideInPixels,
                PixelFormat format);

    void attach(std::uint32_t* pixels, int width, int height, int strideInPixels);

    void fillRect(int left, int top, int right, int bottom, Colour colour) override;
    void line(int x1, int y1, int x2, int y2, Colour colour) override;
    void blit(const Canvas& source, int sourceX, int sourceY, int width, int height,
              int destinationX, int destinationY) override;

    int width() const { return width_; }
    int height() const { return height_; }
    // The colour at (x, y), or nothing (kBlack) outside the canvas.
    Colour pixel(int x, int y) const;
    void setPixel(int x, int y, Colour colour);

protected:
    // Fills the cells of a text run (the geometry every canvas shares) and returns the run's
    // total width in pixels.
    int fillTextCells(int x, int y, std::string_view bytes, int cellHeight, int charWidth,
                      Colour background);
    std::uint32_t encode(Colour colour) const;
    Colour decode(std::uint32_t pixel) const;

private:
    std::uint32_t* pixels_;
    int width_;
    int height_;
    int stride_;
    PixelFormat format_;
};

}  // namespace tavori
