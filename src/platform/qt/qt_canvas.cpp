// A canvas over a QImage at the screen's device pixel ratio: fills, lines and copies on whole
// device-pixel blocks, text glyphs rendered at device resolution into the core's cell geometry
// and kept in a cache (a run drawn again copies only the characters that differ from what shows
// there), and the region drawn since the last present.
#include "qt_canvas.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <atomic>
#include <climits>
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

// A few pages of every size the exercises use; a reading page of 16 rows holds at most 512
// distinct characters.
constexpr std::size_t kGlyphEntries = 4096;
constexpr std::size_t kGlyphBytes = 24u << 20;
// A cell wider or taller than any window is only its background: its glyph could not be
// seen whole anyway, and rendering it would cost memory without bound.
constexpr int kLargestCell = 8192;
// A drawn region of more rectangles than this is presented as its bounding box: a maze
// draws hundreds of wall lines, and joining them one by one costs more than presenting.
constexpr int kMostDrawnRectangles = 64;
// More text runs or copies than any screen shows at once (a reading page has 16 rows, a
// puzzle 15 tiles).
constexpr std::size_t kMostShownRuns = 64;

// Keeps `item` with the latest of its kind, the oldest giving way past the bound.
template <typename Item>
void keepAmongLatest(std::vector<Item>& items, Item item) {
    if (items.size() >= kMostShownRuns) {
        items.erase(items.begin());
    }
    items.push_back(std::move(item));
}

std::uint64_t nextCanvasIdentity() {
    static std::atomic<std::uint64_t> identities{0};
    return ++identities;
}

// The part of [start, start + length) within [0, limit).
std::pair<int, int> spanWithin(int start, int length, int limit) {
    const auto clamped = [limit](std::int64_t value) { return static_cast<int>(std::clamp<std::int64_t>(value, 0, limit)); };
    return {clamped(start), clamped(std::int64_t{start} + std::max(length, 0))};
}

std::uint16_t characterCode(std::string_view bytes, std::size_t position, std::size_t width) {
    const auto first = static_cast<unsigned char>(bytes[position]);
    return width == 2 ? static_cast<std::uint16_t>(first << 8 | static_cast<unsigned char>(bytes[position + 1]))
                      : first;
}

}  // namespace

QtCanvas::QtCanvas(QSize size, QFont font, double ratio)
    : PixelCanvas(nullptr, 0, 0, 0, PixelFormat::Argb32), font_(std::move(font)),
      glyphs_(kGlyphEntries, kGlyphBytes), identity_(nextCanvasIdentity()) {
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
    overdrawn_ = false;
    forgetShown();
    // A renewed picture is presented whole.
    presented_ = image_.copy();
    stale_ = QRegion();
}

void QtCanvas::rescale(double ratio) {
    const QImage old = image_;
    resize(QSize(width(), height()), ratio);
    if (!old.isNull() && !image_.isNull()) {
        image_ = old.scaled(image_.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                     .convertToFormat(QImage::Format_RGB32);
        attachImage(this->ratio());
        forgetShown();
        // Not yet presented: the screen's pixels are not known anywhere.
        stale_ = QRegion(0, 0, width(), height());
    }
}

void QtCanvas::attachImage(double ratio) {
    // Qt paints an image of the widget's own ratio one device pixel to one.
    image_.setDevicePixelRatio(ratio);
    // bits() detaches the image, so the pointer stays ours until the next resize.
    attachScaled(reinterpret_cast<std::uint32_t*>(image_.bits()), width(), height(),
                 image_.isNull() ? 0 : static_cast<int>(image_.bytesPerLine() / 4), ratio);
}

void QtCanvas::setGlyphCacheLimits(std::size_t entries, std::size_t bytes) {
    glyphs_.setLimits(entries, bytes);
    if (!remembersShown()) {
        forgetShown();
    }
}

void QtCanvas::forgetShown() {
    shownRuns_.clear();
    shownCopies_.clear();
    ++drawings_;
}

QRegion QtCanvas::takeDrawnRegion() {
    const QRegion drawn = std::exchange(drawn_, QRegion());
    // A step that drew no pixel twice changed what it reported against what the screen shows:
    // it is presented as it is, and the copy of the screen is not kept up to date there.
    if (!std::exchange(overdrawn_, false)) {
        stale_ += drawn;
        if (stale_.rectCount() > kMostDrawnRectangles) {
            stale_ = QRegion(stale_.boundingRect());
        }
        return drawn;
    }
    // A step that drew over its own drawing (overlapping puzzle tiles are drawn over each
    // other in turn) may have put pixels back: only what differs from the last present is
    // shown, once the copy there is known.
    QRegion shown;
    for (const QRect& rect : drawn) {
        if (stale_.intersects(rect)) {
            copyToPresented(rect);
            stale_ -= rect;
            shown += rect;
        } else if (refreshPresented(rect)) {
            shown += rect;
        }
    }
    return shown;
}

bool QtCanvas::refreshPresented(const QRect& rect) {
    bool differs = false;
    forEachPresentedRow(rect, [&differs](const uchar* now, uchar* shown, std::size_t rowBytes) {
        if (std::memcmp(now, shown, rowBytes) != 0) {
            std::memcpy(shown, now, rowBytes);
            differs = true;
        }
    });
    return differs;
}

void QtCanvas::copyToPresented(const QRect& rect) {
    forEachPresentedRow(rect, [](const uchar* now, uchar* shown, std::size_t rowBytes) {
        std::memcpy(shown, now, rowBytes);
    });
}

template <typename RowAction>
void QtCanvas::forEachPresentedRow(const QRect& rect, RowAction action) {
    const int left = deviceEdge(rect.left());
    const auto rowBytes = static_cast<std::size_t>(deviceEdge(rect.right() + 1) - left) * sizeof(std::uint32_t);
    const auto offset = static_cast<std::size_t>(left) * sizeof(std::uint32_t);
    for (int y = deviceEdge(rect.top()); y < deviceEdge(rect.bottom() + 1); ++y) {
        action(image_.constScanLine(y) + offset, presented_.scanLine(y) + offset, rowBytes);
    }
}

void QtCanvas::changed(int left, int top, int right, int bottom) {
    const QRect rect = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)) & QRect(0, 0, width(), height());
    if (rect.isEmpty()) {
        return;
    }
    // A run or copy drawn over, even in part, no longer shows whole.
    std::erase_if(shownRuns_, [&rect](const ShownRun& run) { return run.area.intersects(rect); });
    std::erase_if(shownCopies_, [&rect](const ShownCopy& copy) { return copy.area.intersects(rect); });
    ++drawings_;
    overdrawn_ = overdrawn_ || drawn_.intersects(rect);
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

    // What this place already shows in these cells: a character equal to the one shown in its
    // cell needs no copy, and a run drawn again unchanged copies nothing.
    ShownRun run{x, y, cellHeight, charWidth, foreground, background, {}, {}};
    const std::string shown = takeShownRun(run);
    std::size_t shownPosition = 0;
    const auto alreadyShown = [&](std::size_t position, std::size_t width) {
        while (shownPosition < position && shownPosition < shown.size()) {
            shownPosition += characterWidthAt(shown, shownPosition);
        }
        return shownPosition == position && position < shown.size() &&
               std::string_view(shown).substr(position, characterWidthAt(shown, position)) ==
                   bytes.substr(position, width);
    };

    const int top = deviceEdge(y);
    const int deviceHeightOfCells = deviceEdge(y + cellHeight) - top;
    const int ratioThousandths = static_cast<int>(std::lround(ratio() * 1000));
    std::int64_t cellX = x;
    int changedLeft = INT_MAX;
    int changedRight = INT_MIN;
    std::size_t index = 0;
    std::size_t position = 0;
    for (; position < bytes.size() && cellX < width(); ++index) {
        const std::size_t characterWidth = characterWidthAt(bytes, position);
        const std::int64_t cellRight = cellX + static_cast<std::int64_t>(characterWidth) * charWidth;
        if (cellRight > 0 && !alreadyShown(position, characterWidth)) {
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
            changedLeft = std::min(changedLeft, static_cast<int>(cellX));
            changedRight = std::max(changedRight, static_cast<int>(std::min<std::int64_t>(cellRight, width())));
        }
        cellX = cellRight;
        position += characterWidth;
    }
    if (changedLeft < changedRight) {
        changed(changedLeft, y, changedRight, y + cellHeight);
    }
    // Kept only with the glyph cache: rendering every glyph afresh is the design that
    // remembers nothing.
    if (remembersShown()) {
        run.bytes.assign(bytes.substr(0, position));
        run.area = QRect(QPoint(x, y), QPoint(static_cast<int>(std::min<std::int64_t>(cellX, width())) - 1,
                                              y + cellHeight - 1)) & QRect(0, 0, width(), height());
        if (!run.area.isEmpty()) {
            keepAmongLatest(shownRuns_, std::move(run));
        }
    }
}

void QtCanvas::blit(const Canvas& source, int sourceX, int sourceY, int width, int height, int destinationX,
                    int destinationY) {
    const auto* from = dynamic_cast<const QtCanvas*>(&source);
    if (from == nullptr || from == this || !remembersShown()) {
        PixelCanvas::blit(source, sourceX, sourceY, width, height, destinationX, destinationY);
        return;
    }
    // The same copy again from a canvas not drawn on since, onto pixels nothing has drawn over
    // since, would change nothing: a puzzle copies its fifteen tiles at every step.
    ShownCopy copy{from->identity_, from->drawings_, {sourceX, sourceY, width, height, destinationX, destinationY}, {}};
    const auto sameCopy = [&copy](const ShownCopy& shown) {
        return shown.source == copy.source && shown.sourceDrawings == copy.sourceDrawings &&
               shown.geometry == copy.geometry;
    };
    if (std::any_of(shownCopies_.begin(), shownCopies_.end(), sameCopy)) {
        return;
    }
    PixelCanvas::blit(source, sourceX, sourceY, width, height, destinationX, destinationY);
    const auto [left, right] = spanWithin(destinationX, width, this->width());
    const auto [top, bottom] = spanWithin(destinationY, height, this->height());
    if (left < right && top < bottom) {
        copy.area = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
        keepAmongLatest(shownCopies_, copy);
    }
}

std::string QtCanvas::takeShownRun(const ShownRun& place) {
    const auto found = std::find_if(shownRuns_.begin(), shownRuns_.end(), [&place](const ShownRun& run) {
        return run.x == place.x && run.y == place.y && run.cellHeight == place.cellHeight &&
               run.charWidth == place.charWidth && run.foreground == place.foreground &&
               run.background == place.background;
    });
    if (found == shownRuns_.end()) {
        return {};
    }
    std::string bytes = std::move(found->bytes);
    shownRuns_.erase(found);
    return bytes;
}

}  // namespace tavori::qt
