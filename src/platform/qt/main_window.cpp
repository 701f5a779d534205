// Building the menu bar from the core's table, placing the window on the screen, and the one
// step after every call into the core.
#include "main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QMenuBar>
#include <QScreen>

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

// The program ends with 1 after its loop, as it always has on Windows.
constexpr int kExitCodeAfterQuit = 1;

}  // namespace

MainWindow::MainWindow(AppConfig config, WindowOptions options)
    : options_(options),
      screen_(new ScreenWidget(this, options.glyphLimits, options.presentsWholeWindow)),
      ticker_([this] {
          app_->tick();
          afterCoreCall();
      }) {
    registerResources();
    setWindowIcon(programIcon());
    setCentralWidget(screen_);
    platform_ = std::make_unique<QtPlatform>(*this, *screen_);
    app_ = std::make_unique<App>(*platform_, std::move(config));
    buildMenuBar();
    enableMenuBarKeys(*this);
    connectScreen();
}

MainWindow::~MainWindow() = default;

void MainWindow::connectScreen() {
    // Input and renewals reach the core only once it has started up.
    connect(screen_, &ScreenWidget::pressed, this, [this](QPoint point) {
        if (started_) afterCoreCall(app_->mouseDown(point.x(), point.y()));
    });
    connect(screen_, &ScreenWidget::moved, this, [this](QPoint point) {
        if (!started_) return;
        app_->mouseMove(point.x(), point.y());
        afterCoreCall();
    });
    connect(screen_, &ScreenWidget::released, this, [this](QPoint point) {
        if (started_) afterCoreCall(app_->mouseUp(point.x(), point.y()));
    });
    connect(screen_, &ScreenWidget::renewed, this, [this] {
        if (!started_) return;
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
        for (const MenuItem& item : popup.items) {
            QAction* action = menu->addAction(fromUtf8(item.label));
            action->setData(item.id);
            const int id = item.id;
            connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
        }
    }
}

void MainWindow::startUp() {
    // The window covers the primary screen's available area, frame included, without being
    // maximised.
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    move(available.topLeft());
    resize(available.size());
    show();
    setWindowTitle(QStringLiteral("タボリで速読補助"));
    const QSize frame = frameGeometry().size() - geometry().size();
    resize(available.size() - frame);
    // The window holds the keyboard focus, so leaving the menu bar with Escape gives it back here.
    setFocus();
    started_ = true;
    platform_->matchWorkBitmapToScreen();
    app_->startUp();
    ticker_.start();
    afterCoreCall();
}

void MainWindow::runCommand(int id) { afterCoreCall(app_->command(id)); }

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
    ticker_.setAsleep(options_.tickSleepsWhileWaiting && app_->waitsForInput());
}

void MainWindow::closeEvent(QCloseEvent* event) {
    ticker_.stop();
    app_->destroy();
    event->accept();
}

int runEventLoop() {
    QApplication::exec();
    return kExitCodeAfterQuit;
}

}  // namespace tavori::qt
