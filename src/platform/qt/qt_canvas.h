// A canvas over a QImage: fills, lines and copies on the pixels, text glyphs drawn with Qt
// into the core's cell geometry.
#pragma once

#include <QFont>
#include <QImage>

#include "gfx/pixel_canvas.h"

namespace tavori::qt {

class QtCanvas : public PixelCanvas {
public:
    QtCanvas(QSize size, QFont font);

    // A new size; the picture starts black.
    void resize(QSize size);
    const QImage& image() const { return image_; }

    void text(int x, int y, std::string_view bytes, int cellHeight, int charWidth,
              Colour foreground, Colour background) override;

private:
    void attachImage();

    QImage image_;
    QFont font_;
};

}  // namespace tavori::qt
