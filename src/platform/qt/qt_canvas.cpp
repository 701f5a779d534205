// The canvas buffer wrapped in a QImage without a copy, rescaled with Qt's smooth scaling, and
// its drawn rectangles joined into a region.
#include "qt_canvas.h"

#include <cstring>
#include <memory>
#include <utility>

#include "qt_glyph_renderer.h"

namespace tavori::qt {

QtCanvas::QtCanvas(QSize size, QFont font, double ratio, GlyphLimits glyphLimits)
    : GlyphCellCanvas(size.width(), size.height(), ratio, std::make_unique<QtGlyphRenderer>(std::move(font)),
                      glyphLimits) {
    // The base's own resize ran before this canvas was whole, so the image is made here.
    bufferReplaced();
    takeDrawnRectangles();
}

void QtCanvas::resize(QSize size, double ratio) {
    GlyphCellCanvas::resize(size.width(), size.height(), ratio);
    // The widget repaints all of a new picture itself.
    takeDrawnRectangles();
}

void QtCanvas::rescale(double ratio) {
    const QImage old = image_.copy();
    resize(QSize(width(), height()), ratio);
    if (old.isNull() || image_.isNull()) {
        return;
    }
    const QImage scaled = old.scaled(image_.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                              .convertToFormat(QImage::Format_RGB32);
    const auto rowBytes = static_cast<std::size_t>(deviceWidth()) * sizeof(std::uint32_t);
    for (int row = 0; row < deviceHeight(); ++row) {
        std::memcpy(devicePixels() + static_cast<std::size_t>(row) * static_cast<std::size_t>(deviceWidth()),
                    scaled.constScanLine(row), rowBytes);
    }
}

void QtCanvas::bufferReplaced() {
    // The image reads the canvas's pixels in place (RGB32 is the canvas's Argb32); Qt paints an
    // image of the widget's own ratio one device pixel to one.
    image_ = deviceWidth() > 0 && deviceHeight() > 0
                 ? QImage(reinterpret_cast<const uchar*>(devicePixels()), deviceWidth(), deviceHeight(),
                          static_cast<qsizetype>(deviceWidth()) * 4, QImage::Format_RGB32)
                 : QImage();
    image_.setDevicePixelRatio(ratio());
}

QRegion QtCanvas::takeDrawnRegion() {
    QRegion region;
    for (const DrawnRect& rect : takeDrawnRectangles()) {
        region += QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    }
    return region;
}

}  // namespace tavori::qt
