// Rendering a glyph to fill its cells (the font's whole line stretched to the cell height and
// width), turned or moved for a column, with QPainter.
#include "qt_glyph_renderer.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

#include "cp932_iconv.h"

namespace tavori::qt {

namespace {

QColor toQColor(Colour colour) {
    return QColor(static_cast<int>(redOf(colour)), static_cast<int>(greenOf(colour)),
                  static_cast<int>(blueOf(colour)));
}

// The character with this Shift-JIS code; a code that is no CP932 character becomes U+FFFD.
QString glyphOf(std::uint16_t code) {
    std::string bytes;
    if (code > 0xFF) bytes.push_back(static_cast<char>(code >> 8));
    bytes.push_back(static_cast<char>(code & 0xFF));
    return QString::fromStdString(cp932ToUtf8WithIconv(bytes));
}

}  // namespace

QtGlyphRenderer::QtGlyphRenderer(QFont font) : font_(std::move(font)) {
    QFont reference = font_;
    reference.setPixelSize(100);
    const QFontMetricsF metrics(reference);
    lineHeightAt100_ = std::max(1.0, metrics.ascent() + metrics.descent());
}

void QtGlyphRenderer::render(const GlyphRequest& request, std::uint32_t* out) {
    const QImage cell = renderCell(glyphOf(request.code), request.width, request.height, request.foreground,
                                   request.background, request.form, request.shift)
                            .convertToFormat(QImage::Format_RGB32);
    const auto rowBytes = static_cast<std::size_t>(request.width) * sizeof(std::uint32_t);
    for (int row = 0; row < request.height; ++row) {
        std::memcpy(out + static_cast<std::size_t>(row) * static_cast<std::size_t>(request.width),
                    cell.constScanLine(row), rowBytes);
    }
}

QImage QtGlyphRenderer::renderCell(const QString& glyph, int deviceWidth, int deviceHeight, Colour foreground,
                                   Colour background, VerticalForm form, int shift) const {
    if (form == VerticalForm::Turned) {
        // As the glyph stands in a row cell of the turned size, turned a quarter clockwise: a
        // turn of a whole quarter moves pixels without resampling them, so the glyph is as
        // sharp as in a row. (Qt's own vertical text, QTextOption and the like, sets no column:
        // a QPainter draws every glyph upright along a row.)
        return renderCell(glyph, deviceHeight, deviceWidth, foreground, background, VerticalForm::Upright, 0)
            .transformed(QTransform().rotate(90));
    }
    QImage cell(deviceWidth, deviceHeight, QImage::Format_RGB32);
    cell.fill(toQColor(background));
    // The font's whole line (ascent + descent) fills the cell height, as a font created with
    // that cell height does; the glyph is then stretched to its one or two cells.
    QFont font = font_;
    font.setPixelSize(std::max(1, static_cast<int>(100 * (deviceHeight / lineHeightAt100_))));
    const QFontMetricsF metrics(font);
    const double advance = metrics.horizontalAdvance(glyph);
    if (glyph.trimmed().isEmpty() || glyph == QStringLiteral(u"\u3000") || advance <= 0) {
        return cell;
    }
    QPainter painter(&cell);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font);
    painter.setPen(toQColor(foreground));
    if (shift > 0) {
        // Right and up by whole device pixels; what would leave the cell is cut off with the
        // cell's image.
        painter.translate(shift, -shift);
    }
    painter.scale(deviceWidth / advance, 1.0);
    painter.drawText(QPointF(0, metrics.ascent()), glyph);
    return cell;
}

}  // namespace tavori::qt
