// The client area: a backing image the core draws into as it steps, presented on paint.
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

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    App* app_ = nullptr;
    QtCanvas canvas_;
};

}  // namespace tavori::qt
