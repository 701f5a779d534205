// The main window on the offscreen platform: title, menu bar, commands, ticks, resizes, the
// mouse grab and the close sequence.
#include <gtest/gtest.h>

#include <QAction>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include "main_window.h"
#include "qt_support.h"
#include "maze/maze_drawing.h"
#include "shell/menu.h"

namespace tavori::qt {
namespace {

using testing::processEventsFor;

QAction* findAction(MainWindow& window, int id) {
    for (QAction* top : window.menuBar()->actions()) {
        for (QAction* action : top->menu()->actions()) {
            if (action->data().toInt() == id) {
                return action;
            }
        }
    }
    return nullptr;
}

TEST(MainWindow, TitleAndMenuBarFollowTheCoreTable) {
    MainWindow window(AppConfig{1, ""});
    window.startUp();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("タボリで速読補助"));
    // The program's own picture, not a generic one.
    EXPECT_FALSE(window.windowIcon().isNull());
    EXPECT_FALSE(window.windowIcon().pixmap(64, 64).isNull());
    const QList<QAction*> popups = window.menuBar()->actions();
    const auto table = menuBarTable();
    ASSERT_EQ(static_cast<std::size_t>(popups.size()), table.size());
    for (std::size_t p = 0; p < table.size(); ++p) {
        EXPECT_EQ(popups[static_cast<qsizetype>(p)]->text().toStdString(), table[p].label);
        const QList<QAction*> items = popups[static_cast<qsizetype>(p)]->menu()->actions();
        ASSERT_EQ(static_cast<std::size_t>(items.size()), table[p].items.size());
        for (std::size_t i = 0; i < table[p].items.size(); ++i) {
            const QAction* item = items[static_cast<qsizetype>(i)];
            EXPECT_EQ(item->text().toStdString(), table[p].items[i].label);
            EXPECT_EQ(item->data().toInt(), table[p].items[i].id);
            EXPECT_FALSE(item->isSeparator());
            EXPECT_FALSE(item->isCheckable());
            EXPECT_TRUE(item->shortcut().isEmpty());
            EXPECT_TRUE(item->isEnabled());
        }
    }
}

TEST(MainWindow, MenuActionsReachTheCore) {
    MainWindow window(AppConfig{1, ""});
    window.startUp();
    findAction(window, 264)->trigger();
    EXPECT_EQ(window.app().shell().displayTicks, 50);
    findAction(window, 723)->trigger();
    EXPECT_EQ(window.app().shell().currentMode, Mode::SpeedReading);
    EXPECT_EQ(window.app().reading().linesPerScreen, 3);
    findAction(window, 202)->trigger();
    EXPECT_EQ(window.app().shell().currentMode, Mode::Maze);
    EXPECT_EQ(window.app().maze().mazeWidth, 9);
}

TEST(MainWindow, TicksReachStepModeOnTheGrid) {
    MainWindow window(AppConfig{1, ""});
    window.startUp();
    findAction(window, 703)->trigger();
    window.app().maze().mazeStepPending = true;
    processEventsFor(450);
    EXPECT_FALSE(window.app().maze().mazeStepPending);
    // About four grid points in 450 ms; a slow machine may lose one, never gain one.
    EXPECT_GE(window.ticksRun(), 3);
    EXPECT_LE(window.ticksRun(), 5);
}

TEST(MainWindow, AResizeRepaintsTheMazeAtTheNewSize) {
    MainWindow window(AppConfig{1, ""});
    window.startUp();
    findAction(window, 703)->trigger();
    window.resize(700, 500);
    processEventsFor(50);
    EXPECT_EQ(window.app().shell().clientWidth, window.screen().width());
    EXPECT_EQ(window.app().shell().clientHeight, window.screen().height());
    EXPECT_EQ(window.screen().canvas().width(), window.screen().width());
}

// Sends a mouse event to the window as the platform would, so Qt's own delivery (and its
// grab of the mouse from press to release) decides which widget gets it.
void sendMouse(MainWindow& window, QEvent::Type type, QPoint screenPoint, Qt::MouseButtons buttons) {
    QWindow* handle = window.windowHandle();
    const QPointF local = QPointF(window.screen().mapTo(&window, screenPoint));
    QMouseEvent event(type, local, handle->mapToGlobal(local), Qt::LeftButton, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(handle, &event);
}

TEST(MainWindow, ADragThatLeavesTheWindowStillMovesAndDropsTheTile) {
    MainWindow window(AppConfig{1, ""});
    window.startUp();
    findAction(window, 737)->trigger();
    window.app().tick();
    ASSERT_NE(window.windowHandle(), nullptr);
    // The tile drawn first is the one a press on it takes.
    const Tile tile = window.app().puzzle().tiles[0][0];
    const QPoint press(tile.x + 10, tile.y + 10);
    sendMouse(window, QEvent::MouseButtonPress, press, Qt::LeftButton);
    EXPECT_TRUE(window.app().puzzle().buttonDown);
    ASSERT_TRUE(window.app().puzzle().tileGrabbed);
    const QPoint outside(-40, -60);
    sendMouse(window, QEvent::MouseMove, outside, Qt::LeftButton);
    sendMouse(window, QEvent::MouseButtonRelease, outside, Qt::NoButton);
    EXPECT_FALSE(window.app().puzzle().buttonDown);
    const Tile& moved = window.app().puzzle().tiles[0][0];
    EXPECT_EQ(moved.x, tile.x + (outside.x() - press.x()));
    EXPECT_EQ(moved.y, tile.y + (outside.y() - press.y()));
}

TEST(MainWindow, AResizeInTheMazeDrawsItsWallsAtTheNewSize) {
    MainWindow window(AppConfig{1, ""});
    window.startUp();
    findAction(window, 202)->trigger();
    window.resize(640, 480);
    processEventsFor(50);
    const QtCanvas& canvas = window.screen().canvas();
    const auto geometry = mazeGeometry(window.app().maze(), canvas.width(), canvas.height());
    // The outer wall's top-left corner stands where the new size puts it.
    EXPECT_EQ(canvas.pixel(geometry.cellLeft(1), geometry.cellTop(1)), kGreen);
    EXPECT_EQ(window.app().shell().clientWidth, canvas.width());
}

// Records the region of every paint of the client area.
class PaintRecorder : public QObject {
public:
    QList<QRegion> regions;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) regions.append(static_cast<QPaintEvent*>(event)->region());
        return QObject::eventFilter(watched, event);
    }
};

TEST(MainWindow, AStepPresentsOnlyTheRowItDrew) {
    MainWindow window(AppConfig{1, ""});
    window.startUp();
    findAction(window, 721)->trigger();  // one row
    findAction(window, 251)->trigger();  // a page every tick
    processEventsFor(50);
    PaintRecorder recorder;
    window.screen().installEventFilter(&recorder);
    processEventsFor(350);
    // The row's box: 1000 px wide, centred, 32 px high, 20 px above the middle (of the client
    // size read at start-up), cut to the window.
    const ShellState& shell = window.app().shell();
    const QRect box = QRect(shell.clientWidth / 2 - 500, shell.clientHeight / 2 - 20, 1000, 32) & window.screen().rect();
    ASSERT_FALSE(recorder.regions.isEmpty());
    for (const QRegion& region : recorder.regions) {
        EXPECT_EQ(region.boundingRect().top(), box.top());
        EXPECT_EQ(region.boundingRect().height(), box.height());
        EXPECT_TRUE(box.contains(region.boundingRect()));
    }
}

TEST(MainWindowHighDpi, ClicksReachTheCoreInLogicalPixels) {
    if (qGuiApp->devicePixelRatio() != 2.0) GTEST_SKIP() << "runs with QT_SCALE_FACTOR=2";
    MainWindow window(AppConfig{1, ""});
    window.startUp();
    EXPECT_EQ(window.screen().canvas().image().width(), 2 * window.screen().width());
    findAction(window, 737)->trigger();
    window.app().tick();
    const Tile tile = window.app().puzzle().tiles[0][0];
    // Each position is Qt's: device pixels halved. The press lies on the right half of logical
    // pixel (x + 10, y + 10); the release on the left of (x + 40, y + 70).
    const auto send = [&window](QEvent::Type type, QPointF local, Qt::MouseButtons buttons) {
        QMouseEvent event(type, local, window.screen().mapToGlobal(local), Qt::LeftButton, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(&window.screen(), &event);
    };
    send(QEvent::MouseButtonPress, QPointF(tile.x + 10.5, tile.y + 10.5), Qt::LeftButton);
    ASSERT_TRUE(window.app().puzzle().tileGrabbed);
    send(QEvent::MouseMove, QPointF(tile.x + 40, tile.y + 70), Qt::LeftButton);
    send(QEvent::MouseButtonRelease, QPointF(tile.x + 40, tile.y + 70), Qt::NoButton);
    EXPECT_EQ(window.app().puzzle().tiles[0][0].x, tile.x + 30);
    EXPECT_EQ(window.app().puzzle().tiles[0][0].y, tile.y + 60);
}

// Records the addresses that the desktop is asked to open.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls.append(url); }
};

TEST(MainWindow, CloseRequestsTheHomePageAndExitsWithOne) {
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &recorder, "open");
    int exitCode = -1;
    {
        MainWindow window(AppConfig{1, "https://tavori.example/home"});
        window.startUp();
        QTimer::singleShot(150, &window, [&window] { window.close(); });
        exitCode = runEventLoop();
        EXPECT_TRUE(window.app().destroyed());
    }
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    EXPECT_EQ(exitCode, 1);
    ASSERT_EQ(recorder.urls.size(), 1);
    EXPECT_EQ(recorder.urls[0], QUrl(QStringLiteral("https://tavori.example/home")));
}

TEST(MainWindow, HelpOpensTheDocumentBesideTheExecutable) {
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &recorder, "open");
    MainWindow window(AppConfig{1, ""});
    window.startUp();
    findAction(window, 800)->trigger();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    // The build copies the help document beside every executable, this test's included.
    ASSERT_EQ(recorder.urls.size(), 1);
    EXPECT_TRUE(recorder.urls[0].isLocalFile());
    EXPECT_TRUE(recorder.urls[0].toLocalFile().endsWith(QStringLiteral("/最初にお読みください.html")));
    EXPECT_EQ(QFileInfo(recorder.urls[0].toLocalFile()).absolutePath(), QCoreApplication::applicationDirPath());
}

TEST(MainWindow, QuitCommandClosesLikeTheCloseBox) {
    MainWindow window(AppConfig{1, ""});
    window.startUp();
    QTimer::singleShot(100, &window, [&window] { findAction(window, 500)->trigger(); });
    EXPECT_EQ(runEventLoop(), 1);
    EXPECT_TRUE(window.app().destroyed());
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace tavori::qt

#include "main_window_test.moc"
