// A canvas over a plain 32-bit pixel buffer at a device pixel ratio: fills, lines and copies
// with clipping on whole device-pixel blocks, the base of the test raster and of every front
// end's glyph-cell canvas, which draw the glyphs of text cells themselves.
#pragma once

#include <cstdint>
#include <string_view>

#include "common/canvas.h"
#include "gfx/copy_clip.h"

namespace tavori {

// How a pixel stores a colour: as the 0x00BBGGRR value itself, as 0xFFRRGGBB (the form of a Qt
// RGB32 image), or as 0xFFBBGGRR (the bytes R, G, B, 255 of a browser's ImageData).
enum class PixelFormat { ColourRef, Argb32, Rgba };

// How `colour` is stored in a pixel of `format`.
constexpr std::uint32_t encodePixel(PixelFormat format, Colour colour) {
    if (format == PixelFormat::ColourRef) {
        return colour & 0x00FFFFFFu;
    }
    if (format == PixelFormat::Rgba) {
        return 0xFF000000u | (colour & 0x00FFFFFFu);
    }
    return 0xFF000000u | (redOf(colour) << 16) | (greenOf(colour) << 8) | blueOf(colour);
}

// Callers draw in logical pixels. The buffer may hold `ratio` device pixels per logical pixel
// (a high-resolution screen); logical x then starts at device column floor(x * ratio + 0.5), so
// every logical pixel owns a whole block of device pixels, neighbouring blocks tile without gap
// or overlap, and at a whole ratio every block is ratio × ratio.
class PixelCanvas : public Canvas {
public:
    // `pixels` points at `height` rows of `strideInPixels` 32-bit pixels; the buffer is the
    // caller's and must outlive this canvas (or be replaced with attach()).
    PixelCanvas(std::uint32_t* pixels, int width, int height, int strideInPixels,
                PixelFormat format);

    // A buffer of one device pixel per logical pixel.
    void attach(std::uint32_t* pixels, int width, int height, int strideInPixels);
    // A buffer of deviceEdge(width) × deviceEdge(height) pixels for width × height logical
    // pixels; `ratio` below 1 is taken as 1.
    void attachScaled(std::uint32_t* pixels, int width, int height, int strideInPixels, double ratio);

    void fillRect(int left, int top, int right, int bottom, Colour colour) override;
    void line(int x1, int y1, int x2, int y2, Colour colour) override;
    void blit(const Canvas& source, int sourceX, int sourceY, int width, int height,
              int destinationX, int destinationY) override;
    // Only the cells' backgrounds; a canvas that shows glyphs draws them over its own.
    void verticalText(int x, int y, std::string_view bytes, int cellSize, Colour foreground,
                      Colour background) override;

    // Logical size.
    int width() const { return width_; }
    int height() const { return height_; }
    double ratio() const { return ratio_; }
    // The device column (or row) where logical coordinate `logical` begins.
    int deviceEdge(int logical) const;
    // The logical pixel whose block holds device column (or row) `device`; beyond the canvas
    // the same rule carries on.
    int logicalAt(int device) const;

    // The colour at logical (x, y) (its block's first device pixel), or kBlack outside.
    Colour pixel(int x, int y) const;
    void setPixel(int x, int y, Colour colour);

protected:
    // Fills the cells of a text run (the geometry every canvas shares) and returns the run's
    // total width in pixels.
    int fillTextCells(int x, int y, std::string_view bytes, int cellHeight, int charWidth,
                      Colour background);
    // Fills the cells of a column (they tile it from the top, one cell wide) and returns its
    // length in pixels.
    int fillVerticalCells(int x, int y, std::string_view bytes, int cellSize, Colour background);
    std::uint32_t encode(Colour colour) const { return encodePixel(format_, colour); }
    Colour decode(std::uint32_t pixel) const;

    // With change reports on, drawing that leaves every pixel as it was writes nothing, and
    // drawing that changes pixels calls changed() with the logical rectangle it touched. A
    // subclass that writes pixels itself (its text cells) reports them the same way.
    void reportChanges(bool on) { reportChanges_ = on; }
    virtual void changed(int /*left*/, int /*top*/, int /*right*/, int /*bottom*/) {}
    std::uint32_t* deviceRow(int deviceY) const {
        return pixels_ + static_cast<std::size_t>(deviceY) * static_cast<std::size_t>(stride_);
    }
    int deviceWidth() const { return deviceWidth_; }
    int deviceHeight() const { return deviceHeight_; }

private:
    // Fills device pixels [left, right) × [top, bottom); true when any of them changed.
    bool fillDevice(int left, int top, int right, int bottom, std::uint32_t value);
    // Copies a clipped rectangle row by row when both canvases give it the same device size
    // (another canvas of the same format); false, copying nothing, when they do not.
    bool copyBlocks(const PixelCanvas& from, const CopyRect& copy);
    // Writes `count` pixels of a copied row; true when any of them changed.
    bool writeRow(const std::uint32_t* in, std::uint32_t* out, std::size_t count);
    void reportCopied(const CopyRect& copy, bool anyChanged);

    std::uint32_t* pixels_;
    int width_;
    int height_;
    int stride_;
    int deviceWidth_;
    int deviceHeight_;
    double ratio_ = 1.0;
    PixelFormat format_;
    bool reportChanges_ = false;
};

}  // namespace tavori
