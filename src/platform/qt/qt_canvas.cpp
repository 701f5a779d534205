// Rendering a glyph to fill its cells (the font's whole line stretched to the cell height and
// width), in a column's forms too, copying cached cells into the picture, and keeping the drawn
// region small.
#include "qt_canvas.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTransform>

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

// A row's cells share the cache with a column's upright ones: they are rendered alike.
constexpr auto kRowForm = static_cast<std::uint8_t>(VerticalForm::Upright);

// The glyphs of a run or a column as strings, converted once, at the first glyph that is not
// kept; every CP932 character (or undecodable one) becomes one code point, so the two walks
// stay in step.
class RunGlyphs {
public:
    explicit RunGlyphs(std::string_view bytes) : bytes_(bytes) {}

    // The character at byte `position` (`width` bytes), the `index`th of the run.
    QString at(std::size_t index, std::size_t position, std::size_t width) {
        if (!converted_) {
            codePoints_ = QString::fromStdString(cp932ToUtf8WithIconv(bytes_)).toUcs4();
            converted_ = true;
            std::size_t characters = 0;
            for (std::size_t at = 0; at < bytes_.size(); at += characterWidthAt(bytes_, at)) {
                ++characters;
            }
            if (static_cast<std::size_t>(codePoints_.size()) != characters) {
                codePoints_.clear();
            }
        }
        if (!codePoints_.isEmpty()) {
            const auto codePoint = static_cast<char32_t>(codePoints_[static_cast<qsizetype>(index)]);
            return QString::fromUcs4(&codePoint, 1);
        }
        return QString::fromStdString(cp932ToUtf8WithIconv(bytes_.substr(position, width)));
    }

private:
    std::string_view bytes_;
    QList<uint> codePoints_;
    bool converted_ = false;
};

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
                            Colour background, VerticalForm form) const {
    if (form == VerticalForm::Turned) {
        // As the glyph stands in a row cell of the turned size, turned a quarter clockwise: a
        // turn of a whole quarter moves pixels without resampling them, so the glyph is as
        // sharp as in a row. (Qt's own vertical text, QTextOption and the like, sets no column:
        // a QPainter draws every glyph upright along a row.)
        return renderCell(glyph, deviceHeight, deviceWidth, foreground, background)
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
    if (const int eighths = verticalShiftEighths(form); eighths > 0) {
        // Right and up by whole device pixels, so the glyph keeps its sharpness; what would leave
        // the cell is cut off with the cell's image.
        const auto by = static_cast<double>(std::lround(eighths * deviceWidth / 8.0));
        painter.translate(by, -by);
    }
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
    RunGlyphs glyphs(bytes);
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
                               foreground, background, ratioThousandths, kRowForm};
            const GlyphCell* cell = glyphs_.find(key);
            if (cell == nullptr) {
                cell = &glyphs_.insert(key, renderCell(glyphs.at(index, position, characterWidth), deviceWidthOfCell,
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

void QtCanvas::verticalText(int x, int y, std::string_view bytes, int cellSize, Colour foreground,
                            Colour background) {
    // Cells too small to halve cover nothing; a column left or right of the picture shows nothing.
    if (cellSize < 2 || image_.isNull() || x >= width() || static_cast<std::int64_t>(x) + cellSize <= 0) {
        return;
    }
    if (cellSize > kLargestCell) {
        fillVerticalCells(x, y, bytes, cellSize, background);
        return;
    }
    RunGlyphs glyphs(bytes);
    const int left = deviceEdge(x);
    const int deviceWidthOfCells = deviceEdge(x + cellSize) - left;
    const int ratioThousandths = static_cast<int>(std::lround(ratio() * 1000));
    std::size_t index = 0;
    const int length = forEachVerticalCell(bytes, cellSize, [&](const VerticalCell& cell) {
        const std::int64_t cellTop = std::int64_t{y} + cell.top;
        if (cellTop < height() && cellTop + cell.height > 0) {
            const int top = deviceEdge(static_cast<int>(cellTop));
            const int deviceHeightOfCell = deviceEdge(static_cast<int>(cellTop + cell.height)) - top;
            const GlyphKey key{cell.code, deviceWidthOfCells, deviceHeightOfCell, foreground, background,
                               ratioThousandths, static_cast<std::uint8_t>(cell.form)};
            const GlyphCell* rendered = glyphs_.find(key);
            if (rendered == nullptr) {
                rendered = &glyphs_.insert(key, renderCell(glyphs.at(index, cell.position, cell.length), deviceWidthOfCells,
                                                           deviceHeightOfCell, foreground, background, cell.form));
            }
            copyCell(*rendered, left, top);
        }
        ++index;
    });
    changed(x, y, x + cellSize, static_cast<int>(std::min<std::int64_t>(std::int64_t{y} + length, height())));
}

}  // namespace tavori::qt
