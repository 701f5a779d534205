// The one main window: menu bar from the core's table, the client area, and the grid tick.
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

MainWindow::MainWindow(AppConfig config, GridTicker::Clock clock)
    : screen_(new ScreenWidget(this)),
      ticker_(
          [this] {
              app_->tick();
              afterCoreCall();
          },
          std::move(clock)) {
    registerResources();
    setWindowIcon(programIcon());
    setCentralWidget(screen_);
    platform_ = std::make_unique<QtPlatform>(*this, *screen_);
    app_ = std::make_unique<App>(*platform_, std::move(config));
    buildMenuBar();
    enableMenuBarKeys(*this);
    connect(screen_, &ScreenWidget::coreCalled, this, &MainWindow::followCore);
}

MainWindow::~MainWindow() {
    // The client area outlives the core's last use of it.
    screen_->setApp(nullptr);
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
    screen_->setApp(app_.get());
    app_->startUp();
    ticker_.start();
    followCore();
}

void MainWindow::runCommand(int id) {
    if (app_->command(id) == Outcome::CloseWindow) {
        close();  // closeEvent runs the core's destroy sequence
        return;
    }
    afterCoreCall();
}

void MainWindow::afterCoreCall() {
    screen_->present();
    followCore();
}

void MainWindow::followCore() { ticker_.setAsleep(tickMaySleep_ && app_->waitsForInput()); }

void MainWindow::setTickMaySleep(bool maySleep) {
    tickMaySleep_ = maySleep;
    followCore();
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
