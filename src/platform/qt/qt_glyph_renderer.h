// Glyphs in a Qt font for the core's glyph-cell canvas: each character stretched to fill its
// cell, in a column's forms too, as RGB32 pixels.
#pragma once

#include <QFont>
#include <QImage>

#include "gfx/glyph_cell_canvas.h"

namespace tavori::qt {

class QtGlyphRenderer : public GlyphRenderer {
public:
    explicit QtGlyphRenderer(QFont font);

    // The form of a Qt RGB32 image, the one Qt paints on the screen without converting.
    PixelFormat format() const override { return PixelFormat::Argb32; }
    void render(const GlyphRequest& request, std::uint32_t* out) override;

private:
    // The glyph in a deviceWidth × deviceHeight cell, moved `shift` pixels right and up (or,
    // turned, as in a row cell of the turned size and then turned a quarter clockwise).
    QImage renderCell(const QString& glyph, int deviceWidth, int deviceHeight, Colour foreground,
                      Colour background, VerticalForm form, int shift) const;

    QFont font_;
    double lineHeightAt100_;  // the font's ascent + descent at a pixel size of 100
};

}  // namespace tavori::qt
