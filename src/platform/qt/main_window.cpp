// The one main window: menu bar from the core's table, the client area, and the grid tick.
#include "main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QMenuBar>
#include <QScreen>

#include "shell/menu.h"

// The icon lives in this static library's resources, which must be registered by name.
static void registerResources() { Q_INIT_RESOURCE(tavori); }

namespace tavori::qt {

namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The program ends with 1 after its loop, as it always has on Windows.
constexpr int kExitCodeAfterQuit = 1;

}  // namespace

MainWindow::MainWindow(AppConfig config)
    : screen_(new ScreenWidget(this)), ticker_([this] {
          app_->tick();
          screen_->present();
      }) {
    registerResources();
    setWindowIcon(QIcon(QStringLiteral(":/tavori/tavori.png")));
    setCentralWidget(screen_);
    platform_ = std::make_unique<QtPlatform>(*this, *screen_);
    app_ = std::make_unique<App>(*platform_, std::move(config));
    buildMenuBar();
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
    screen_->setApp(app_.get());
    app_->startUp();
    ticker_.start();
}

void MainWindow::runCommand(int id) {
    app_->command(id);
    screen_->present();
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
