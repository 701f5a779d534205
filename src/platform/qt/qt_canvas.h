// The core's glyph-cell canvas with Qt's glyphs, its buffer seen as a QImage at the screen's
// device pixel ratio, and the region drawn since the last present as a QRegion.
#pragma once

#include <QFont>
#include <QImage>
#include <QRegion>

#include "gfx/glyph_cell_canvas.h"

namespace tavori::qt {

using tavori::GlyphLimits;

class QtCanvas : public GlyphCellCanvas {
public:
    // `size` in logical pixels; `ratio` device pixels per logical pixel.
    QtCanvas(QSize size, QFont font, double ratio = 1.0, GlyphLimits glyphLimits = {});

    // A new size and ratio; the picture starts black, and Qt repaints it whole.
    void resize(QSize size, double ratio);
    void resize(QSize size) { resize(size, ratio()); }
    // A new ratio keeping the picture, smoothly scaled to the new resolution.
    void rescale(double ratio);
    // The device pixels (the canvas's own buffer, not a copy), with the ratio set so that Qt
    // paints them one to one.
    const QImage& image() const { return image_; }

    // The logical region whose pixels changed since the last call, and a fresh start.
    QRegion takeDrawnRegion();

protected:
    void bufferReplaced() override;

private:
    QImage image_;
};

}  // namespace tavori::qt
