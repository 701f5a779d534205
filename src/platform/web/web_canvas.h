// A canvas over a pixel buffer in the module's memory at the screen's device pixel ratio, in the
// byte order of a browser's ImageData: fills, lines and copies on whole device-pixel blocks,
// glyphs rendered by the page in the bundled font and kept, and the rectangles drawn since the
// last present.
#pragma once

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "gfx/pixel_canvas.h"

namespace tavori::web {

class WebCanvas : public PixelCanvas {
public:
    // `width` × `height` logical pixels at `ratio` device pixels each; the picture starts black.
    WebCanvas(int width, int height, double ratio);

    // A new size and ratio; the picture starts black.
    void resize(int width, int height, double ratio);
    // A new ratio keeping the picture, one colour per logical pixel.
    void rescale(double ratio);

    void text(int x, int y, std::string_view bytes, int cellHeight, int charWidth,
              Colour foreground, Colour background) override;
    void verticalText(int x, int y, std::string_view bytes, int cellSize, Colour foreground,
                      Colour background) override;

    // Puts what was drawn since the last present on the page's <canvas>.
    void present();
    bool drawnSincePresent() const { return !drawn_.empty(); }
    std::size_t glyphsKept() const { return glyphs_.size(); }

protected:
    void changed(int left, int top, int right, int bottom) override;

private:
    struct GlyphKey {
        std::uint16_t code;
        std::uint8_t form;
        int width;
        int height;
        Colour foreground;
        Colour background;
        bool operator==(const GlyphKey&) const = default;
    };
    struct GlyphKeyHash {
        std::size_t operator()(const GlyphKey& key) const;
    };
    struct Rect {
        int left, top, right, bottom;
    };
    // The glyph's device pixels, rendered at its first use.
    const std::vector<std::uint32_t>& glyph(const GlyphKey& key, int shift);
    // Copies a width × height cell to device (left, top), clipped to the picture.
    void copyCell(const std::vector<std::uint32_t>& cell, int width, int height, int left, int top);

    std::vector<std::uint32_t> pixels_;
    std::unordered_map<GlyphKey, std::vector<std::uint32_t>, GlyphKeyHash> glyphs_;
    std::size_t glyphBytes_ = 0;
    std::vector<Rect> drawn_;  // logical
};

}  // namespace tavori::web
