// The status line's widget: one line of text painted in its own rectangle, so that a new text
// repaints only the line and never asks the window to lay itself out again.
#pragma once

#include <QString>
#include <QWidget>

namespace tavori::qt {

class StatusLine : public QWidget {
public:
    explicit StatusLine(QWidget* parent = nullptr);

    // Repaints the line when the text differs from the one shown.
    void setText(const QString& text);
    const QString& text() const { return text_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
};

}  // namespace tavori::qt
