// A canvas over a QImage: fills, lines and copies on the pixels, text glyphs drawn with Qt
// into the core's cell geometry.
#include "qt_canvas.h"

#include <QFontMetricsF>
#include <QPainter>

#include "common/sjis.h"
#include "cp932_iconv.h"

namespace tavori::qt {

namespace {

QColor toQColor(Colour colour) {
    return QColor(static_cast<int>(redOf(colour)), static_cast<int>(greenOf(colour)),
                  static_cast<int>(blueOf(colour)));
}

}  // namespace

QtCanvas::QtCanvas(QSize size, QFont font)
    : PixelCanvas(nullptr, 0, 0, 0, PixelFormat::Argb32), font_(std::move(font)) {
    resize(size);
}

void QtCanvas::resize(QSize size) {
    image_ = QImage(size.expandedTo(QSize(0, 0)), QImage::Format_RGB32);
    image_.fill(Qt::black);
    attachImage();
}

void QtCanvas::attachImage() {
    // bits() detaches the image, so the pointer stays ours until the next resize.
    attach(reinterpret_cast<std::uint32_t*>(image_.bits()), image_.width(), image_.height(),
           image_.isNull() ? 0 : static_cast<int>(image_.bytesPerLine() / 4));
}

void QtCanvas::text(int x, int y, std::string_view bytes, int cellHeight, int charWidth,
                    Colour foreground, Colour background) {
    fillTextCells(x, y, bytes, cellHeight, charWidth, background);
    if (charWidth <= 0 || cellHeight <= 0 || image_.isNull()) {
        return;
    }
    // The font's whole line (ascent + descent) fills the cell height, as a font created with
    // that cell height does; each glyph is then stretched to its one or two cells.
    QFont font = font_;
    font.setPixelSize(100);
    const QFontMetricsF reference(font);
    const double scale = cellHeight / (reference.ascent() + reference.descent());
    font.setPixelSize(std::max(1, static_cast<int>(100 * scale)));
    const QFontMetricsF metrics(font);

    QPainter painter(&image_);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setClipRect(QRect(x, y, image_.width(), cellHeight));
    painter.setFont(font);
    painter.setPen(toQColor(foreground));
    int cellX = x;
    for (std::size_t index = 0; index < bytes.size();) {
        const std::size_t length = characterWidthAt(bytes, index);
        const int cells = static_cast<int>(length);
        const QString glyph = QString::fromStdString(cp932ToUtf8WithIconv(bytes.substr(index, length)));
        const double advance = metrics.horizontalAdvance(glyph);
        if (!glyph.trimmed().isEmpty() && glyph != QStringLiteral(u"\u3000") && advance > 0) {
            const double width = cells * charWidth;
            painter.save();
            painter.setClipRect(QRect(cellX, y, cells * charWidth, cellHeight));
            painter.translate(cellX, y);
            painter.scale(width / advance, 1.0);
            painter.drawText(QPointF(0, metrics.ascent()), glyph);
            painter.restore();
        }
        cellX += cells * charWidth;
        index += length;
    }
}

}  // namespace tavori::qt
