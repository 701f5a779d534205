// A canvas over a QImage at the screen's device pixel ratio: fills, lines and copies on whole
// device-pixel blocks, text glyphs (in rows and in columns) rendered at device resolution into
// the core's cell geometry and kept in a cache, and the region drawn since the last present.
#pragma once

#include <QFont>
#include <QImage>
#include <QRegion>

#include <cstdint>
#include <string>

#include "glyph_cache.h"
#include "gfx/pixel_canvas.h"
#include "gfx/vertical_cells.h"

namespace tavori::qt {

// How many rendered cells the canvas keeps: a few pages of every size the exercises use (a
// reading page of 16 rows holds at most 512 distinct characters). No entries renders every
// glyph afresh.
struct GlyphLimits {
    std::size_t entries = 4096;
    std::size_t bytes = 24u << 20;
};

class QtCanvas : public PixelCanvas {
public:
    // `size` in logical pixels; `ratio` device pixels per logical pixel.
    QtCanvas(QSize size, QFont font, double ratio = 1.0, GlyphLimits glyphLimits = {});

    // A new size and ratio; the picture starts black.
    void resize(QSize size, double ratio);
    void resize(QSize size) { resize(size, ratio()); }
    // A new ratio keeping the picture, scaled to the new resolution.
    void rescale(double ratio);
    // The device pixels, with the ratio set so that Qt paints them one to one.
    const QImage& image() const { return image_; }

    void text(int x, int y, std::string_view bytes, int cellHeight, int charWidth,
              Colour foreground, Colour background) override;
    // Each cell's glyph in its form: turned ones rendered as in a row cell of the turned size and
    // the image turned a quarter clockwise, corner marks and small kana moved within the cell.
    void verticalText(int x, int y, std::string_view bytes, int cellSize, Colour foreground,
                      Colour background) override;

    // The logical region whose pixels changed since the last call, and a fresh start.
    QRegion takeDrawnRegion() { return std::exchange(drawn_, QRegion()); }
    const GlyphCache& glyphCache() const { return glyphs_; }

protected:
    void changed(int left, int top, int right, int bottom) override;

private:
    void attachImage(double ratio);
    QImage renderCell(const QString& glyph, int deviceWidth, int deviceHeight, Colour foreground,
                      Colour background, VerticalForm form = VerticalForm::Upright) const;
    // Copies the visible part of `cell` to device (left, top).
    void copyCell(const GlyphCell& cell, int left, int top);

    QImage image_;
    QFont font_;
    double lineHeightAt100_;  // the font's ascent + descent at a pixel size of 100
    GlyphCache glyphs_;
    QRegion drawn_;
};

}  // namespace tavori::qt
