// Building the menu bar from the core's table, placing the window on the screen, translating
// Qt's keys, and the one step after every call into the core.
#include "main_window.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>

#include <optional>

#include "common/program_window.h"
#include "menu_keys.h"
#include "shell/menu.h"

// The icon lives in this static library's resources, which must be registered by name.
static void registerResources() { Q_INIT_RESOURCE(tavori); }

namespace tavori::qt {

namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The program's icon at the sizes title bars, task bars and switchers use. Not 256 px: X11 carries
// every size in one window property, and a 256 px image alone makes that property larger than
// the largest request, so the window would get no icon at all.
QIcon programIcon() {
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128}) {
        icon.addFile(QStringLiteral(":/tavori/tavori-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

// The key goes after a tab, where the menu shows it in its column of keys. It is only shown: a
// QAction shortcut would take the key from the window, and inside an open menu the arrows too.
QString itemText(const MenuItem& item) {
    QString text = fromUtf8(item.label);
    if (!item.shortcut.empty()) text += u'\t' + fromUtf8(item.shortcut);
    return text;
}

// The key of a key press, if it is one the exercises know. The keypad's keys count as the main
// ones.
std::optional<Key> keyOf(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Space: return Key::Space;
        case Qt::Key_Return:
        case Qt::Key_Enter: return Key::Return;
        case Qt::Key_Left: return Key::Left;
        case Qt::Key_Right: return Key::Right;
        case Qt::Key_Up: return Key::Up;
        case Qt::Key_Down: return Key::Down;
        case Qt::Key_PageUp: return Key::PageUp;
        case Qt::Key_PageDown: return Key::PageDown;
        case Qt::Key_Home: return Key::Home;
        case Qt::Key_1: return Key::One;
        case Qt::Key_2: return Key::Two;
        case Qt::Key_3: return Key::Three;
        case Qt::Key_Escape: return Key::Escape;
        default: return std::nullopt;
    }
}

std::optional<Key> exerciseKey(const QKeyEvent& event) {
    const Qt::KeyboardModifiers held = event.modifiers();
    return exerciseKey(keyOf(event), Modifiers{.control = held.testFlag(Qt::ControlModifier),
                                               .alt = held.testFlag(Qt::AltModifier),
                                               .meta = held.testFlag(Qt::MetaModifier)});
}

// The program ends with 1 after its loop, as it always has on Windows.
constexpr int kExitCodeAfterQuit = 1;

}  // namespace

MainWindow::MainWindow(AppConfig config, WindowOptions options)
    : screen_(new ScreenWidget(this, options.glyphLimits, options.presentsWholeWindow)) {
    registerResources();
    setWindowIcon(programIcon());
    setCentralWidget(screen_);
    buildStatusBar();
    platform_ = std::make_unique<QtPlatform>(*this, *screen_);
    app_ = std::make_unique<App>(*platform_, std::move(config));
    tickDriver_ = std::make_unique<TickDriver>(*app_, options.tickSleep);
    ticker_ = std::make_unique<GridTicker>(*tickDriver_, [this] { afterCoreCall(); });
    buildMenuBar();
    enableMenuBarKeys(*this);
    connectScreen();
}

MainWindow::~MainWindow() = default;

void MainWindow::connectScreen() {
    // Input and renewals reach the core only once it has started up.
    connect(screen_, &ScreenWidget::pressed, this, [this](QPoint point) {
        if (!started_) return;
        beforeCoreCall();
        afterCoreCall(app_->mouseDown(point.x(), point.y()));
    });
    connect(screen_, &ScreenWidget::moved, this, [this](QPoint point) {
        if (!started_) return;
        beforeCoreCall();
        app_->mouseMove(point.x(), point.y());
        afterCoreCall();
    });
    connect(screen_, &ScreenWidget::released, this, [this](QPoint point) {
        if (!started_) return;
        beforeCoreCall();
        afterCoreCall(app_->mouseUp(point.x(), point.y()));
    });
    connect(screen_, &ScreenWidget::renewed, this, [this] {
        if (!started_) return;
        beforeCoreCall();
        // The puzzle's picture is copied to the window block for block, so it keeps the
        // window's resolution.
        platform_->matchWorkBitmapToScreen();
        app_->paint();
        afterCoreCall();
    });
}

void MainWindow::buildMenuBar() {
    for (const Popup& popup : menuBarTable()) {
        QMenu* menu = menuBar()->addMenu(fromUtf8(popup.label));
        QActionGroup* group = nullptr;
        CommandAction groupAction = CommandAction::None;
        for (const MenuItem& item : popup.items) {
            if (item.afterSeparator) menu->addSeparator();
            QAction* action = menu->addAction(itemText(item));
            action->setData(item.id);
            const ItemMark mark = itemMark(item.meaning.action);
            action->setCheckable(mark != ItemMark::None);
            if (mark == ItemMark::Radio) {
                if (group == nullptr || groupAction != radioGroupOf(item.meaning.action)) {
                    group = new QActionGroup(menu);
                    groupAction = radioGroupOf(item.meaning.action);
                }
                group->addAction(action);
            }
            const int id = item.id;
            connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
        }
        connect(menu, &QMenu::aboutToShow, this, [this, menu] { showCommandStates(*menu); });
    }
}

void MainWindow::showCommandStates(QMenu& menu) {
    for (QAction* action : menu.actions()) {
        if (action->isSeparator()) continue;
        const int id = action->data().toInt();
        action->setEnabled(app_->commandAvailable(id));
        if (action->isCheckable()) action->setChecked(app_->commandChecked(id));
    }
}

void MainWindow::buildStatusBar() {
    // Always shown, so the exercise area keeps its size when the first text appears: the label
    // is as high as a line of Japanese from the start (taller than the interface's font where
    // that font has no Japanese and another stands in), and a line longer than the window is cut
    // at its edge instead of asking for the width it would need. The core's text is shown as it
    // is, never read as markup.
    statusText_ = new StatusLine;
    statusBar()->addWidget(statusText_, 1);
}

void MainWindow::startUp() {
    // The window covers the primary screen's available area, frame included, without being
    // maximised.
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    move(available.topLeft());
    resize(available.size());
    show();
    setWindowTitle(fromUtf8(kWindowTitle));
    const QSize frame = frameGeometry().size() - geometry().size();
    resize(available.size() - frame);
    // The window holds the keyboard focus, so leaving the menu bar with Escape gives it back here.
    setFocus();
    started_ = true;
    platform_->matchWorkBitmapToScreen();
    app_->startUp();
    ticker_->start();
    afterCoreCall();
}

void MainWindow::runCommand(int id) {
    beforeCoreCall();
    ++commandsUnderWay_;
    const Outcome outcome = app_->command(id);
    --commandsUnderWay_;
    afterCoreCall(outcome);
    if (closeWhenIdle_ && commandsUnderWay_ == 0) close();
}

void MainWindow::closeWhenIdle() {
    if (commandsUnderWay_ == 0) {
        close();
        return;
    }
    // The command waits in the dialog; closed, it ends as a cancel does, and the window after it.
    closeWhenIdle_ = true;
    if (QWidget* dialog = QApplication::activeModalWidget()) dialog->close();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    // An open pop-up gets the keys itself and passes none on to the window. A highlighted menu
    // bar passes on those it does not use, which are still the menus' and not the exercise's.
    const std::optional<Key> key = exerciseKey(*event);
    if (!started_ || !key || menuBar()->hasFocus()) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    event->accept();
    if (event->isAutoRepeat() && !repeatsWhenHeld(*key)) return;
    beforeCoreCall();
    afterCoreCall(app_->key(*key));
}

void MainWindow::beforeCoreCall() { ticker_->beforeCall(); }

void MainWindow::afterCoreCall(Outcome outcome) {
    switch (outcome) {
        case Outcome::CloseWindow:
            close();  // closeEvent runs the core's destroy sequence
            return;
        case Outcome::CaptureMouse:
            screen_->grabMouse();
            break;
        case Outcome::ReleaseMouse:
            if (QWidget::mouseGrabber() == screen_) {
                screen_->releaseMouse();
            }
            break;
        case Outcome::None:
            break;
    }
    screen_->present();
    std::string status = app_->statusLine();
    if (status != statusShown_) {
        statusText_->setText(QString::fromStdString(status));
        statusShown_ = std::move(status);
    }
    ticker_->afterCall();
}

const QString& MainWindow::statusLine() const { return statusText_->text(); }

void MainWindow::closeEvent(QCloseEvent* event) {
    // Steps slept through count in the session recorded.
    beforeCoreCall();
    ticker_->stop();
    app_->destroy();
    event->accept();
}

int runEventLoop() {
    QApplication::exec();
    return kExitCodeAfterQuit;
}

}  // namespace tavori::qt
