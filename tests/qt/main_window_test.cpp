// The main window on the offscreen platform: title, menu bar, commands, ticks, resizes, the
// mouse grab and the close sequence.
#include <gtest/gtest.h>

#include <QAction>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include "main_window.h"
#include "qt_support.h"
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

TEST(MainWindow, AReleaseOutsideTheWindowStillEndsTheDrag) {
    MainWindow window(AppConfig{1, ""});
    window.startUp();
    findAction(window, 737)->trigger();
    QWindow* handle = window.windowHandle();
    ASSERT_NE(handle, nullptr);
    const QPointF inside = QPointF(window.screen().mapTo(&window, QPoint(100, 100)));
    QMouseEvent press(QEvent::MouseButtonPress, inside, handle->mapToGlobal(inside), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(handle, &press);
    EXPECT_TRUE(window.app().puzzle().buttonDown);
    const QPointF outside(-40, -60);
    QMouseEvent release(QEvent::MouseButtonRelease, outside, handle->mapToGlobal(outside), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(handle, &release);
    EXPECT_FALSE(window.app().puzzle().buttonDown);
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
