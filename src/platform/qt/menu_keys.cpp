// A proxy style turns on Qt's own Alt handling for the bar, and F10 sends the bar the Alt press
// and release it watches for.
#include "menu_keys.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QProxyStyle>
#include <QShortcut>

namespace tavori::qt {

namespace {

// Qt's menu bar already knows the Windows keyboard handling, but only follows it where the style
// asks for it; the styles of Linux desktops mostly do not. This style asks, for the bar alone,
// and otherwise draws as the application's style does.
class AltKeyNavigationStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_MenuBar_AltKeyNavigation) {
            return 1;
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// F10 does what a lone Alt does: the bar watches its window for an Alt press (seen as a shortcut
// override) followed by an Alt release, so F10 hands it exactly that pair. The press carries no
// modifier, as the window system reports it (the state before the key): a key event for Alt
// reports Alt among its modifiers by flipping that state.
void toggleMenuBarFocus(QMainWindow& window) {
    QKeyEvent altPressed(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &altPressed);
    QKeyEvent altReleased(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &altReleased);
}

}  // namespace

void enableMenuBarKeys(QMainWindow& window) {
    QMenuBar* bar = window.menuBar();
    // The bar keeps its style through a guarded pointer, so the style may go with the bar.
    auto* style = new AltKeyNavigationStyle;
    style->setParent(bar);
    bar->setStyle(style);
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), &window);
    f10->setContext(Qt::WindowShortcut);
    QObject::connect(f10, &QShortcut::activated, &window, [&window] { toggleMenuBarFocus(window); });
}

}  // namespace tavori::qt
