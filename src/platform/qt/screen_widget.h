// The client area: a backing image at the screen's device pixel ratio that the core draws into
// as it steps; only what changed since the last present is repainted.
#pragma once

#include <QWidget>

#include "qt_canvas.h"

namespace tavori {
class App;
}

namespace tavori::qt {

class ScreenWidget : public QWidget {
    Q_OBJECT
public:
    explicit ScreenWidget(QWidget* parent = nullptr);

    // Mouse input and resizes go to `app` once it is set.
    void setApp(App* app) { app_ = app; }
    QtCanvas& canvas() { return canvas_; }

    // Repaints the region the core has drawn since the last present, if any.
    void present();
    // Repaint the whole client area at every present instead (for comparing the two).
    void setPresentWholeWindow(bool whole) { presentWholeWindow_ = whole; }

signals:
    // The core has taken a mouse input or a paint from this widget (and what it drew is
    // presented): whatever it now waits for may have changed.
    void coreCalled();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // A new backing image at the current size and ratio, black, with the maze redrawn.
    void renewCanvas();
    // Presents what the core drew and says that it was called.
    void afterCoreCall();
    // The logical pixel under a mouse position, by the canvas's own rounding of edges.
    QPoint logicalPixel(QPointF position) const;

    App* app_ = nullptr;
    QtCanvas canvas_;
    bool presentWholeWindow_ = false;
};

}  // namespace tavori::qt
