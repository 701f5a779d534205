// The client area: shows the backing image the core draws into, and turns the mouse and new
// sizes or resolutions into signals in the core's logical pixels. It never calls the core.
#pragma once

#include <QWidget>

#include "qt_canvas.h"

namespace tavori::qt {

class ScreenWidget : public QWidget {
    Q_OBJECT
public:
    // `glyphLimits` for the backing image; `presentsWholeWindow` repaints the whole client area
    // at every present instead of only what changed (the earlier design, for comparisons).
    explicit ScreenWidget(QWidget* parent = nullptr, GlyphLimits glyphLimits = {}, bool presentsWholeWindow = false);

    QtCanvas& canvas() { return canvas_; }

    // Repaints the region drawn on the canvas since the last present, if any.
    void present();

signals:
    // Left button press, a move while it is held, and its release, at a logical pixel.
    void pressed(QPoint point);
    void moved(QPoint point);
    void released(QPoint point);
    // The backing image is new (a new size, or a screen of another ratio) and black.
    void renewed();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void renewCanvas();
    // The logical pixel under a mouse position, by the canvas's own rounding of edges.
    QPoint logicalPixel(QPointF position) const;

    QtCanvas canvas_;
    const bool presentsWholeWindow_;
};

}  // namespace tavori::qt
