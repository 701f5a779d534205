// Painting the line left-aligned and cut at the widget's edge, one Japanese line high.
#include "status_line.h"

#include <QPainter>

#include <algorithm>

namespace tavori::qt {

StatusLine::StatusLine(QWidget* parent) : QWidget(parent) {
    // Its width is the status bar's, whatever the text: a long line is cut, not widened for.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

void StatusLine::setText(const QString& text) {
    if (text != text_) {
        text_ = text;
        update();
    }
}

QSize StatusLine::sizeHint() const {
    // As high as a line of Japanese, taller than the interface's own font where that font has
    // no Japanese and another face stands in.
    const QFontMetrics metrics = fontMetrics();
    return QSize(0, std::max(metrics.height(), metrics.boundingRect(QStringLiteral("速読")).height()) + 2);
}

void StatusLine::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect().adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text_);
}

}  // namespace tavori::qt
