// The client area: a backing image the core draws into as it steps, presented on paint.
#include "screen_widget.h"

#include <QMouseEvent>
#include <QPainter>

#include "font_choice.h"
#include "shell/app.h"

namespace tavori::qt {

ScreenWidget::ScreenWidget(QWidget* parent) : QWidget(parent), canvas_(QSize(0, 0), chooseTextFont()) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
}

void ScreenWidget::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.drawImage(0, 0, canvas_.image());
    // The core draws straight into the image; keep the screen in step with it.
}

void ScreenWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // A new client area starts black, as an erased window does; only the maze redraws itself.
    canvas_.resize(size());
    if (app_ != nullptr) {
        app_->paint();
    }
    update();
}

void ScreenWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && app_ != nullptr) {
        const QPoint point = event->position().toPoint();
        app_->mouseDown(point.x(), point.y());
        update();
    }
}

void ScreenWidget::mouseMoveEvent(QMouseEvent* event) {
    // Moves arrive only while a button is held: the widget keeps the mouse grabbed from the
    // press to the release, so a release outside the window still reaches the core.
    if (app_ != nullptr) {
        const QPoint point = event->position().toPoint();
        app_->mouseMove(point.x(), point.y());
        update();
    }
}

void ScreenWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && app_ != nullptr) {
        const QPoint point = event->position().toPoint();
        app_->mouseUp(point.x(), point.y());
        update();
    }
}

}  // namespace tavori::qt
