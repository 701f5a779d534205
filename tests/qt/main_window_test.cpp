// The main window on the offscreen platform: title, menu bar, status line, commands, keys, ticks,
// resizes, the mouse grab and the close sequence.
#include <gtest/gtest.h>

#include <QAction>
#include <QDeadlineTimer>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTest>
#include <QPaintEvent>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include <csignal>

#include "main_window.h"
#include "qt_support.h"
#include "termination_signals.h"
#include "maze/maze_drawing.h"
#include "shell/menu.h"
#include "support/app_state_access.h"
#include "support/fake_platform.h"
#include "support/raster_comparison.h"

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

TEST(MainWindow, TitleMenuBarAndStatusLineFollowTheCore) {
    MainWindow window(AppConfig{1, ""});
    window.startUp();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("タボリで速読補助"));
    // The program's own picture, not a generic one.
    EXPECT_FALSE(window.windowIcon().isNull());
    EXPECT_FALSE(window.windowIcon().pixmap(64, 64).isNull());
    // None so large that X11 could not carry the icon.
    EXPECT_EQ(window.windowIcon().availableSizes().back(), QSize(128, 128));
    const QList<QAction*> popups = window.menuBar()->actions();
    const auto table = menuBarTable();
    ASSERT_EQ(static_cast<std::size_t>(popups.size()), table.size());
    for (std::size_t p = 0; p < table.size(); ++p) {
        EXPECT_EQ(popups[static_cast<qsizetype>(p)]->text().toStdString(), table[p].label);
        // The items in order by id, "0 " a separator, keys after a tab, no shortcut to take them.
        QStringList expected, shown;
        for (const MenuItem& entry : table[p].items) {
            if (entry.afterSeparator) expected << QStringLiteral("0 ");
            const QString key = entry.shortcut.empty() ? QString() : u'\t' + QString::fromUtf8(QByteArrayView(entry.shortcut));
            expected << QString::number(entry.id) + u' ' + QString::fromUtf8(QByteArrayView(entry.label)) + key;
        }
        for (const QAction* item : popups[static_cast<qsizetype>(p)]->menu()->actions()) {
            shown << QString::number(item->data().toInt()) + u' ' + item->text();
            EXPECT_TRUE(item->shortcut().isEmpty());
        }
        EXPECT_EQ(shown, expected);
    }
    // The status line, shown from the start, lies below the area the core lays out in.
    EXPECT_EQ(window.screen().geometry().bottom() + 1, window.statusBar()->geometry().top());
    EXPECT_EQ(window.app().shell().clientHeight, window.screen().height());
}

TEST(MainWindow, MenuActionsReachTheCore) {
    MainWindow window(AppConfig{1, ""});
    window.startUp();
    findAction(window, CommandId::displaySeconds(5))->trigger();
    EXPECT_EQ(window.app().shell().displayTicks, 50);
    findAction(window, CommandId::lines(3))->trigger();
    EXPECT_EQ(window.app().shell().currentMode, Mode::SpeedReading);
    EXPECT_EQ(window.app().reading().linesPerScreen, 3);
    findAction(window, CommandId::MazeSmall)->trigger();
    EXPECT_EQ(window.app().shell().currentMode, Mode::Maze);
    EXPECT_EQ(window.app().maze().mazeWidth, 9);
}

// Lets the event loop run until the tick has woken `count` more times, for at most a second.
void pumpWakes(GridTicker& ticker, int count) {
    const std::int64_t target = ticker.wakes() + count;
    const QDeadlineTimer giveUp(1000);
    while (ticker.wakes() < target && !giveUp.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    ASSERT_GE(ticker.wakes(), target);
}

using Wake = GridTicker::Wake;
class GridTickerOn : public ::testing::TestWithParam<Wake> {};

// A program that only counts its steps and waits for input when the test says so.
struct CountedSteps final : Ticked {
    bool waits = false;
    void tick() override {}
    bool waitsForInput() const override { return waits; }
    bool stepsOnlyRepeat() const override { return false; }
    void passSteps(std::int64_t) override {}
};

TEST_P(GridTickerOn, StepsOncePerGridPointSkipsMissedPointsAndSleeps) {
    // Only the test's clock decides the steps. It stands far behind CLOCK_MONOTONIC, so the
    // timerfd wakes at once whenever armed; the QTimer waits for what this clock says is left.
    std::int64_t now = 0;
    CountedSteps program;
    TickDriver driver(program);
    GridTicker ticker(driver, [] {}, [&now] { return now; }, nullptr, GetParam());
    EXPECT_TRUE(GetParam() == Wake::TimerFd || ticker.wake() == Wake::QTimer);
    ticker.start();
    EXPECT_EQ(ticker.armedFor(), 100'000);
    now = 99'999;
    pumpWakes(ticker, 20);  // a millisecond apart: twenty a period apart would outlast a second
    EXPECT_EQ(ticker.ticksRun(), 0);
    now = 100'000;
    pumpWakes(ticker, 2);
    EXPECT_EQ(ticker.ticksRun(), 1);  // two wake-ups at one point: one step
    EXPECT_EQ(ticker.armedFor(), 200'000);
    now = 750'000;  // a stall over six points: one step, aimed next at the following point
    pumpWakes(ticker, 1);
    EXPECT_EQ(ticker.ticksRun(), 2);
    EXPECT_EQ(ticker.armedFor(), 800'000);
    program.waits = true;  // no wake-ups; woken, it aims past the point it slept through
    ticker.afterCall();
    EXPECT_TRUE(ticker.asleep());
    const std::int64_t wakes = ticker.wakes();
    processEventsFor(60);
    EXPECT_EQ(ticker.wakes(), wakes);
    now = 1'230'000;
    program.waits = false;
    ticker.beforeCall();
    EXPECT_EQ(ticker.armedFor(), 1'300'000);
    EXPECT_EQ(ticker.ticksRun(), 2);
}

INSTANTIATE_TEST_SUITE_P(EachTimer, GridTickerOn, ::testing::Values(Wake::TimerFd, Wake::QTimer),
                         [](const auto& wake) { return wake.param == Wake::TimerFd ? "TimerFd" : "QTimer"; });

TEST(MainWindow, TheTickSleepsWhileNoStepCouldChangeTheScreen) {
    MainWindow window(AppConfig{1, ""});
    window.startUp();
    findAction(window, CommandId::MazeLarge)->trigger();  // a maze waits for clicks
    EXPECT_TRUE(window.ticker().asleep());
    findAction(window, CommandId::Puzzle)->trigger();  // its first step scatters the tiles
    EXPECT_FALSE(window.ticker().asleep());
    const QDeadlineTimer giveUp(2000);  // between moves, its steps only repeat
    while (!window.ticker().asleep() && !giveUp.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    EXPECT_TRUE(window.ticker().asleep());
}

TEST(MainWindow, AResizeRepaintsTheMazeAtTheNewSize) {
    MainWindow window(AppConfig{1, ""});
    window.startUp();
    findAction(window, CommandId::MazeLarge)->trigger();
    window.resize(700, 500);
    processEventsFor(50);
    EXPECT_EQ(window.app().shell().clientWidth, window.screen().width());
    EXPECT_EQ(window.app().shell().clientHeight, window.screen().height());
    EXPECT_EQ(window.screen().canvas().width(), window.screen().width());
}

// Send a mouse event or a key press to the window as the platform would, so Qt's own delivery
// (its grab of the mouse from press to release, an open pop-up) decides which widget gets it.
void sendMouse(MainWindow& window, QEvent::Type type, QPoint screenPoint, Qt::MouseButtons buttons) {
    QWindow* handle = window.windowHandle();
    const QPointF local = QPointF(window.screen().mapTo(&window, screenPoint));
    QMouseEvent event(type, local, handle->mapToGlobal(local), Qt::LeftButton, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(handle, &event);
}

void sendKey(MainWindow& window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, bool held = false) {
    QKeyEvent event(QEvent::KeyPress, key, modifiers, QString(), held);
    QCoreApplication::sendEvent(window.windowHandle(), &event);
}

TEST(MainWindow, ADragThatLeavesTheWindowStillMovesAndDropsTheTile) {
    MainWindow window(AppConfig{1, ""});
    window.startUp();
    findAction(window, CommandId::Puzzle)->trigger();
    window.app().tick();
    ASSERT_NE(window.windowHandle(), nullptr);
    // The tile drawn first is the one a press on it takes.
    const Tile tile = window.app().puzzle().tiles[0][0];
    const QPoint press(tile.x + 10, tile.y + 10);
    sendMouse(window, QEvent::MouseButtonPress, press, Qt::LeftButton);
    EXPECT_TRUE(window.app().puzzle().buttonDown);
    ASSERT_TRUE(window.app().puzzle().tileGrabbed);
    // The core asked for the mouse for the drag, and gives it back with the release.
    EXPECT_EQ(QWidget::mouseGrabber(), &window.screen());
    const QPoint outside(-40, -60);
    sendMouse(window, QEvent::MouseMove, outside, Qt::LeftButton);
    sendMouse(window, QEvent::MouseButtonRelease, outside, Qt::NoButton);
    EXPECT_FALSE(window.app().puzzle().buttonDown);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    const Tile& moved = window.app().puzzle().tiles[0][0];
    EXPECT_EQ(moved.x, tile.x + (outside.x() - press.x()));
    EXPECT_EQ(moved.y, tile.y + (outside.y() - press.y()));
}

TEST(MainWindow, AResizeInTheMazeDrawsItsWallsAtTheNewSize) {
    MainWindow window(AppConfig{1, ""});
    window.startUp();
    findAction(window, CommandId::MazeSmall)->trigger();
    window.resize(640, 480);
    processEventsFor(50);
    const QtCanvas& canvas = window.screen().canvas();
    const auto geometry = mazeGeometry(window.app().maze(), canvas.width(), canvas.height());
    // The outer wall's top-left corner stands where the new size puts it.
    EXPECT_EQ(canvas.pixel(geometry.cellLeft(1), geometry.cellTop(1)), kGreen);
    EXPECT_EQ(window.app().shell().clientWidth, canvas.width());
}

TEST(MainWindow, KeysReachTheExerciseUnlessTheMenusHaveThem) {
    MainWindow window(AppConfig{1, ""});
    window.startUp();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.runCommand(CommandId::lines(1));
    const ReadingState& reading = window.app().reading();
    const std::size_t pages = reading.pagesShown.size();
    // Space pauses, once however long held; → and the keypad's → show a page at once, held
    // too; with Ctrl, → is not the exercise's.
    sendKey(window, Qt::Key_Space);
    sendKey(window, Qt::Key_Space, Qt::NoModifier, true);
    sendKey(window, Qt::Key_Right);
    sendKey(window, Qt::Key_Right, Qt::KeypadModifier, true);
    sendKey(window, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_TRUE(reading.paused);
    EXPECT_EQ(reading.pagesShown.size(), pages + 2);
    // The status line shows the core's own text for the page and the pause.
    EXPECT_EQ(window.statusLine().toStdString(), window.app().statusLine());
    EXPECT_TRUE(window.app().statusLine().ends_with("一時停止"));
    // Alt or F10 highlights the first menu, where Home is not the exercise's; Escape leaves. Alt,
    // Right, Down opens 表示時間, Home stays in it, Down to ０．２秒, and Return picks it.
    QWindow* handle = window.windowHandle();
    QMenuBar* bar = window.menuBar();
    for (Qt::Key key : {Qt::Key_Alt, Qt::Key_F10}) {
        QTest::keyClick(handle, key);
        EXPECT_TRUE(bar->hasFocus() && bar->activeAction() == bar->actions().front()) << key;
        sendKey(window, Qt::Key_Home);
        QTest::keyClick(handle, Qt::Key_Escape);
        EXPECT_FALSE(bar->hasFocus());
    }
    for (Qt::Key key : {Qt::Key_Alt, Qt::Key_Right, Qt::Key_Down, Qt::Key_Home, Qt::Key_Down, Qt::Key_Return}) {
        QTest::keyClick(handle, key);
    }
    EXPECT_EQ(window.app().shell().displayTicks, 2);
    EXPECT_EQ(reading.pagesShown.size(), pages + 2);
}

TEST(MainWindow, OpenedPopupsShowTheCoresChecksAndGreyWhatCannotBeChosen) {
    using namespace CommandId;
    using Ids = std::vector<int>;
    MainWindow window(AppConfig{1, ""});
    window.startUp();
    // The items checked, or greyed, in all the pop-ups as each opens.
    const auto shown = [&window](bool checked) {
        Ids ids;
        for (const QAction* popup : window.menuBar()->actions()) {
            popup->menu()->popup(QPoint());
            for (const QAction* item : popup->menu()->actions()) {
                if (!item->isSeparator() && (checked ? item->isChecked() : !item->isEnabled())) ids.push_back(item->data().toInt());
            }
            popup->menu()->hide();
        }
        return ids;
    };
    EXPECT_EQ(shown(true), (Ids{displayTenths(5), SixteenCharacters, lines(1)}));
    // Run as commands, not through the items, so only the opening can show the new marks.
    for (int id : {displayTenths(2), EightCharacters, lines(4), PauseOrResume, Vertical, MazeLarge}) window.runCommand(id);
    EXPECT_EQ(shown(true), (Ids{displayTenths(2), EightCharacters, lines(4), PauseOrResume, Vertical, MazeLarge}));
    // In a new maze: the reading, answer and test keys' items, and 次の迷路 until the route is drawn.
    EXPECT_EQ(shown(false), (Ids{PauseOrResume, NextPage, PreviousPage, FromTheBeginning, AnswerFirst, AnswerFirst + 1,
                                 AnswerFirst + 2, NextQuestion, NextMaze, TestNext, TestPreviousPage, TestAnswerFirst,
                                 TestAnswerFirst + 1, TestAnswerFirst + 2, TestAbandon}));
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
    findAction(window, CommandId::lines(1))->trigger();  // one row
    findAction(window, CommandId::displayTenths(1))->trigger();  // a page every tick
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

// A page of phrase rows, a flash of two phrases and the flash in a column, each against the
// picture of an app on the raster canvas given the same commands, seed, text and size.
TEST(MainWindow, PhraseRowsAndFlashesDrawWhatTheRasterCanvasDraws) {
    using namespace CommandId;
    MainWindow window(AppConfig{1, ""});
    window.startUp();
    tavori::testing::FakePlatform platform(window.app().shell().clientWidth, window.app().shell().clientHeight);
    QFile text(QCoreApplication::applicationDirPath() + QStringLiteral("/w.txt"));
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    platform.addFile(platform.besideExecutable("w.txt"), text.readAll().toStdString());
    App raster(platform, AppConfig{1, ""});
    raster.startUp();
    for (const auto& scene : {std::vector{lines(5), PhraseRows, PauseOrResume, NextPage},
                              std::vector{PhraseFlashFirst + 1, NextPage}, std::vector{Vertical, NextPage}}) {
        for (const int id : scene) {
            platform.window().clearTextRuns();  // the runs left are the last command's
            window.runCommand(id);
            raster.command(id);
        }
        const auto pixel = [&window](int x, int y) { return window.screen().canvas().pixel(x, y); };
        EXPECT_EQ(tavori::testing::differenceFromRaster(platform.window(), pixel), "") << scene[0];
    }
}

TEST(MainWindowHighDpi, ClicksReachTheCoreInLogicalPixels) {
    if (qGuiApp->devicePixelRatio() != 2.0) GTEST_SKIP() << "runs with QT_SCALE_FACTOR=2";
    MainWindow window(AppConfig{1, ""});
    window.startUp();
    EXPECT_EQ(window.screen().canvas().image().width(), 2 * window.screen().width());
    findAction(window, CommandId::Puzzle)->trigger();
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
    findAction(window, CommandId::Help)->trigger();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    // The build copies the help document beside every executable, this test's included.
    ASSERT_EQ(recorder.urls.size(), 1);
    EXPECT_TRUE(recorder.urls[0].isLocalFile());
    EXPECT_TRUE(recorder.urls[0].toLocalFile().endsWith(QStringLiteral("/最初にお読みください.html")));
    EXPECT_EQ(QFileInfo(recorder.urls[0].toLocalFile()).absolutePath(), QCoreApplication::applicationDirPath());
}

TEST(MainWindow, ARestartFindsTheSettingsAndThePageAndTheRecordOpensFromTheFolder) {
    std::int32_t page = 0;
    {
        MainWindow window(AppConfig{1, ""});
        window.startUp();
        window.runCommand(CommandId::lines(4));
        window.runCommand(CommandId::displayTenths(1));
        for (int press = 0; press < 5; ++press) QTest::keyClick(&window, Qt::Key_Right);
        page = window.app().reading().pagesShown.back().start;
        ASSERT_GT(page, 0);
        window.close();
    }
    MainWindow window(AppConfig{1, ""});
    window.startUp();
    EXPECT_TRUE(window.app().commandChecked(CommandId::lines(4)));
    EXPECT_TRUE(window.app().commandChecked(CommandId::displayTenths(1)));
    EXPECT_EQ(window.app().reading().readingPosition, page);
    // The closed window's session is in the record, and its report opens from the folder.
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &recorder, "open");
    findAction(window, CommandId::Record)->trigger();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    ASSERT_EQ(recorder.urls.size(), 1);
    const QString report = recorder.urls[0].toLocalFile();
    EXPECT_EQ(report, qEnvironmentVariable("TAVORI_CONFIG_DIR") + QStringLiteral("/report.html"));
    QFile written(report);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readAll().contains("<svg"));
}

// Each termination signal closes the window as its close box does: the session is recorded, the
// place kept, and the loop ends with the same code.
TEST(MainWindow, TerminationSignalsCloseLikeTheCloseBox) {
    const QString folder = qEnvironmentVariable("TAVORI_CONFIG_DIR");
    for (const int signal : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signal);
        QFile::remove(folder + QStringLiteral("/history.tsv"));
        std::int32_t page = 0;
        {
            MainWindow window(AppConfig{1, ""});
            const TerminationSignals termination([&window] { window.closeWhenIdle(); });
            ASSERT_TRUE(termination.installed());
            window.startUp();
            window.runCommand(CommandId::lines(4));
            for (int press = 0; press < 3; ++press) QTest::keyClick(&window, Qt::Key_Right);
            page = window.app().reading().pagesShown.back().start;
            QTimer::singleShot(50, &window, [signal] { std::raise(signal); });
            EXPECT_EQ(runEventLoop(), 1);
            EXPECT_TRUE(window.app().destroyed());
        }
        QFile history(folder + QStringLiteral("/history.tsv"));
        ASSERT_TRUE(history.open(QIODevice::ReadOnly));
        EXPECT_TRUE(history.readAll().contains("\treading\t"));
        MainWindow again(AppConfig{1, ""});
        again.startUp();
        EXPECT_EQ(again.app().reading().readingPosition, page);
    }
}

// A reading test from its menu: → through the pages, 1/2/3 and Space through the questions, the
// result on the status line, and the test's line in the record once the window closes.
TEST(MainWindow, AReadingTestRunsFromItsMenuToTheRecord) {
    const QString history = qEnvironmentVariable("TAVORI_CONFIG_DIR") + QStringLiteral("/history.tsv");
    QFile::remove(history);
    {
        MainWindow window(AppConfig{1, ""});
        window.startUp();
        findAction(window, CommandId::TestEasy)->trigger();
        // The next step loads the passage from beside the executable.
        const ReadingTestState& test = window.app().readingTest();
        for (const QDeadlineTimer giveUp(2000); test.phase != TestPhase::Intro && !giveUp.hasExpired();) processEventsFor(20);
        ASSERT_EQ(test.phase, TestPhase::Intro);
        for (int press = 0; press < 200 && test.phase != TestPhase::Question; ++press) QTest::keyClick(&window, Qt::Key_Right);
        for (int asked = 0; asked < 5 && test.phase == TestPhase::Question; ++asked) {
            QTest::keyClick(&window, Qt::Key(Qt::Key_1 + asked % 3));
            QTest::keyClick(&window, Qt::Key_Space);
        }
        ASSERT_EQ(test.phase, TestPhase::Result);
        EXPECT_EQ(test.test.questions, 5);
        EXPECT_TRUE(window.statusLine().contains(QStringLiteral("実効"))) << window.statusLine().toStdString();
        window.close();
    }
    QFile file(history);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("\treading_test\t"));
}

// Checked practice from its item: → pages to the first question, 1 answers it (the status line
// counts it), Space pages on. The settings it keeps are put back for the tests after it.
TEST(MainWindow, CheckedPracticeAsksAQuestionAndTakesItsAnswer) {
    QFile settings(qEnvironmentVariable("TAVORI_CONFIG_DIR") + QStringLiteral("/settings.txt"));
    const QByteArray kept = settings.open(QIODevice::ReadOnly) ? settings.readAll() : QByteArray();
    settings.close();
    {
        MainWindow window(AppConfig{1, ""});
        window.startUp();
        findAction(window, CommandId::lines(16))->trigger();
        findAction(window, CommandId::CheckedPractice)->trigger();
        EXPECT_TRUE(findAction(window, CommandId::CheckedPractice)->isChecked());
        const QString asked = QStringLiteral("確認の問題");
        for (int press = 0; press < 20 && !window.statusLine().contains(asked); ++press) QTest::keyClick(&window, Qt::Key_Right);
        ASSERT_TRUE(window.statusLine().contains(asked)) << window.statusLine().toStdString();
        QTest::keyClick(&window, Qt::Key_1);
        EXPECT_TRUE(window.statusLine().contains(QStringLiteral("/1（"))) << window.statusLine().toStdString();
        QTest::keyClick(&window, Qt::Key_Space);
        EXPECT_FALSE(window.app().reading().checked.question);
        window.close();
    }
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly | QIODevice::Truncate));
    settings.write(kept);
}

TEST(MainWindow, QuitCommandClosesLikeTheCloseBox) {
    MainWindow window(AppConfig{1, ""});
    window.startUp();
    QTimer::singleShot(100, &window, [&window] { findAction(window, CommandId::Quit)->trigger(); });
    EXPECT_EQ(runEventLoop(), 1);
    EXPECT_TRUE(window.app().destroyed());
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace tavori::qt

#include "main_window_test.moc"
