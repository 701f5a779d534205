// Painting the backing image one changed rectangle at a time, and mapping mouse positions to
// the logical pixels whose device blocks hold them.
#include "screen_widget.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "font_choice.h"

namespace tavori::qt {

ScreenWidget::ScreenWidget(QWidget* parent, GlyphLimits glyphLimits, bool presentsWholeWindow)
    : QWidget(parent), canvas_(QSize(0, 0), chooseTextFont(), 1.0, glyphLimits),
      presentsWholeWindow_(presentsWholeWindow) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
}

void ScreenWidget::present() {
    const QRegion drawn = canvas_.takeDrawnRegion();
    if (presentsWholeWindow_) {
        update();
        return;
    }
    if (drawn.isEmpty()) {
        return;
    }
    if (canvas_.ratio() == std::floor(canvas_.ratio())) {
        update(drawn);
        return;
    }
    // At a fractional ratio Qt rounds a logical rectangle's device edges its own way; one
    // logical pixel more on every side covers the blocks whichever way it rounds.
    QRegion widened;
    for (const QRect& rect : drawn) {
        widened += rect.adjusted(-1, -1, 1, 1);
    }
    update(widened);
}

bool ScreenWidget::event(QEvent* event) {
    // Moved to a screen of another ratio: the picture starts again at the new resolution.
    if (event->type() == QEvent::ScreenChangeInternal && std::max(1.0, devicePixelRatio()) != canvas_.ratio()) {
        renewCanvas();
    }
    return QWidget::event(event);
}

void ScreenWidget::paintEvent(QPaintEvent* event) {
    // The image's ratio is the widget's, so its pixels land one to one on the screen's. Each
    // rectangle is drawn under its own rectangular clip: under a clip of many rectangles Qt
    // blends span by span and hands large areas to its worker threads.
    QPainter painter(this);
    for (const QRect& rect : event->region()) {
        painter.setClipRect(rect);
        painter.drawImage(QPointF(0, 0), canvas_.image());
    }
}

void ScreenWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    renewCanvas();
}

void ScreenWidget::renewCanvas() {
    // A new client area starts black, as an erased window does.
    canvas_.resize(size(), devicePixelRatio());
    canvas_.takeDrawnRegion();
    update();
    emit renewed();
}

QPoint ScreenWidget::logicalPixel(QPointF position) const {
    // Qt gives the device position divided by the ratio; back in device pixels, the canvas
    // names the logical pixel whose block holds it. At ratio 1 this is Qt's own rounding.
    const auto device = [this](double logical) {
        return static_cast<int>(std::clamp(std::round(logical * canvas_.ratio()), -1e9, 1e9));
    };
    return QPoint(canvas_.logicalAt(device(position.x())), canvas_.logicalAt(device(position.y())));
}

void ScreenWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit pressed(logicalPixel(event->position()));
    }
}

void ScreenWidget::mouseMoveEvent(QMouseEvent* event) {
    // Moves arrive only while a button is held: the widget has the mouse from the press to the
    // release, so a release outside the window still arrives.
    emit moved(logicalPixel(event->position()));
}

void ScreenWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit released(logicalPixel(event->position()));
    }
}

}  // namespace tavori::qt
