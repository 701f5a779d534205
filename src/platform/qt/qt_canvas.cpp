// Rendering a glyph to fill its cells (the font's whole line stretched to the cell height and
// width), copying cached cells into the picture, and keeping the drawn region small.
#include "qt_canvas.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "common/sjis.h"
#include "cp932_iconv.h"

namespace tavori::qt {

namespace {

QColor toQColor(Colour colour) {
    return QColor(static_cast<int>(redOf(colour)), static_cast<int>(greenOf(colour)),
                  static_cast<int>(blueOf(colour)));
}

// A cell wider or taller than any window is only its background: its glyph could not be
// seen whole anyway, and rendering it would cost memory without bound.
constexpr int kLargestCell = 8192;
// A drawn region of more rectangles than this is presented as its bounding box: a maze
// draws hundreds of wall lines, and joining them one by one costs more than presenting.
constexpr int kMostDrawnRectangles = 64;

std::uint16_t characterCode(std::string_view bytes, std::size_t position, std::size_t width) {
    const auto first = static_cast<unsigned char>(bytes[position]);
    return width == 2 ? static_cast<std::uint16_t>(first << 8 | static_cast<unsigned char>(bytes[position + 1]))
                      : first;
}

}  // namespace

QtCanvas::QtCanvas(QSize size, QFont font, double ratio, GlyphLimits glyphLimits)
    : PixelCanvas(nullptr, 0, 0, 0, PixelFormat::Argb32), font_(std::move(font)),
      glyphs_(glyphLimits.entries, glyphLimits.bytes) {
    reportChanges(true);
    QFont reference = font_;
    reference.setPixelSize(100);
    const QFontMetricsF metrics(reference);
    lineHeightAt100_ = std::max(1.0, metrics.ascent() + metrics.descent());
    resize(size, ratio);
}

void QtCanvas::resize(QSize size, double ratio) {
    size = size.expandedTo(QSize(0, 0));
    if (ratio != this->ratio()) {
        glyphs_.clear();
    }
    // The device size follows from the ratio's rounding of the logical edges.
    attachScaled(nullptr, size.width(), size.height(), 0, ratio);
    image_ = QImage(deviceWidth(), deviceHeight(), QImage::Format_RGB32);
    image_.fill(Qt::black);
    attachImage(this->ratio());
    drawn_ = QRegion();
}

void QtCanvas::rescale(double ratio) {
    const QImage old = image_;
    resize(QSize(width(), height()), ratio);
    if (!old.isNull() && !image_.isNull()) {
        image_ = old.scaled(image_.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                     .convertToFormat(QImage::Format_RGB32);
        attachImage(this->ratio());
    }
}

void QtCanvas::attachImage(double ratio) {
    // Qt paints an image of the widget's own ratio one device pixel to one.
    image_.setDevicePixelRatio(ratio);
    // bits() detaches the image, so the pointer stays ours until the next resize.
    attachScaled(reinterpret_cast<std::uint32_t*>(image_.bits()), width(), height(),
                 image_.isNull() ? 0 : static_cast<int>(image_.bytesPerLine() / 4), ratio);
}

void QtCanvas::changed(int left, int top, int right, int bottom) {
    const QRect rect = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)) & QRect(0, 0, width(), height());
    if (rect.isEmpty()) {
        return;
    }
    drawn_ += rect;
    if (drawn_.rectCount() > kMostDrawnRectangles) {
        drawn_ = QRegion(drawn_.boundingRect());
    }
}

QImage QtCanvas::renderCell(const QString& glyph, int deviceWidth, int deviceHeight, Colour foreground,
                            Colour background) const {
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
    painter.scale(deviceWidth / advance, 1.0);
    painter.drawText(QPointF(0, metrics.ascent()), glyph);
    return cell;
}

void QtCanvas::copyCell(const GlyphCell& cell, int left, int top) {
    const int fromX = std::max(0, -left);
    const int fromY = std::max(0, -top);
    const int columns = std::min(cell.width, deviceWidth() - left) - fromX;
    const int rows = std::min(cell.height, deviceHeight() - top) - fromY;
    if (columns <= 0) {
        return;
    }
    for (int row = 0; row < rows; ++row) {
        const std::uint32_t* in = cell.pixels + static_cast<std::size_t>(fromY + row) * cell.stride + fromX;
        std::memcpy(deviceRow(top + fromY + row) + left + fromX, in, static_cast<std::size_t>(columns) * sizeof(std::uint32_t));
    }
}

void QtCanvas::text(int x, int y, std::string_view bytes, int cellHeight, int charWidth,
                    Colour foreground, Colour background) {
    // Cells of no width or height cover nothing; cells below or above the picture show nothing.
    if (charWidth <= 0 || cellHeight <= 0 || image_.isNull() || y >= height() ||
        static_cast<std::int64_t>(y) + cellHeight <= 0) {
        return;
    }
    if (charWidth > kLargestCell || cellHeight > kLargestCell) {
        fillTextCells(x, y, bytes, cellHeight, charWidth, background);
        return;
    }
    // The run is converted once, at its first glyph that is not kept; every CP932 character
    // (or undecodable one) becomes one code point, so the two walks stay in step.
    QList<uint> codePoints;
    bool converted = false;
    const auto glyphAt = [&](std::size_t index, std::size_t position, std::size_t width) {
        if (!converted) {
            codePoints = QString::fromStdString(cp932ToUtf8WithIconv(bytes)).toUcs4();
            converted = true;
            std::size_t characters = 0;
            for (std::size_t at = 0; at < bytes.size(); at += characterWidthAt(bytes, at)) {
                ++characters;
            }
            if (static_cast<std::size_t>(codePoints.size()) != characters) {
                codePoints.clear();
            }
        }
        if (!codePoints.isEmpty()) {
            const auto codePoint = static_cast<char32_t>(codePoints[static_cast<qsizetype>(index)]);
            return QString::fromUcs4(&codePoint, 1);
        }
        return QString::fromStdString(cp932ToUtf8WithIconv(bytes.substr(position, width)));
    };

    const int top = deviceEdge(y);
    const int deviceHeightOfCells = deviceEdge(y + cellHeight) - top;
    const int ratioThousandths = static_cast<int>(std::lround(ratio() * 1000));
    std::int64_t cellX = x;
    std::size_t index = 0;
    std::size_t position = 0;
    for (; position < bytes.size() && cellX < width(); ++index) {
        const std::size_t characterWidth = characterWidthAt(bytes, position);
        const std::int64_t cellRight = cellX + static_cast<std::int64_t>(characterWidth) * charWidth;
        if (cellRight > 0) {
            const int left = deviceEdge(static_cast<int>(cellX));
            const int deviceWidthOfCell = deviceEdge(static_cast<int>(cellRight)) - left;
            const GlyphKey key{characterCode(bytes, position, characterWidth), deviceWidthOfCell, deviceHeightOfCells,
                               foreground, background, ratioThousandths};
            const GlyphCell* cell = glyphs_.find(key);
            if (cell == nullptr) {
                cell = &glyphs_.insert(key, renderCell(glyphAt(index, position, characterWidth), deviceWidthOfCell,
                                                       deviceHeightOfCells, foreground, background));
            }
            copyCell(*cell, left, top);
        }
        cellX = cellRight;
        position += characterWidth;
    }
    // The cells were written straight from the cache, so their span is reported here.
    changed(x, y, static_cast<int>(std::min<std::int64_t>(cellX, width())), y + cellHeight);
}

}  // namespace tavori::qt
