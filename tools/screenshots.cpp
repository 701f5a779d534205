// Renders each exercise, seeded and scripted, through the Qt canvas on the offscreen platform
// into PNG files: a page of reading in rows and one in columns (縦書き), a flashed question and
// its answer rows, a maze with its route, a puzzle half put together, a page cut at bytes and
// the same page cut at phrases, a flash of two phrases, and a reading test's question and
// result. `--scale 2` draws them as
// on a screen of twice the pixels, into name@2x.png.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string_view>

#include "main_window.h"
#include "maze/maze_drawing.h"
#include "record/history.h"
#include "shell/menu.h"

namespace {

using tavori::qt::MainWindow;
namespace CommandId = tavori::CommandId;

constexpr int kWidth = 1200;
constexpr int kHeight = 720;
constexpr std::uint32_t kSeed = 20261207;

// A window at the pictures' size with its start-up done; the core has drawn nothing yet.
void prepare(MainWindow& window) {
    window.startUp();
    window.resize(kWidth, kHeight + (window.height() - window.screen().height()));
    QCoreApplication::processEvents();
    // The exercises lay out from the client size read at start-up (the offscreen screen's):
    // start the core up again at the pictures' size.
    window.app().startUp();
}

bool save(MainWindow& window, const QString& folder, const QString& name) {
    const QString path = folder + QLatin1Char('/') + name;
    const bool saved = window.screen().canvas().image().save(path, "PNG");
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

void reading(MainWindow& window) {
    tavori::App& app = window.app();
    app.command(CommandId::lines(3));  // three rows
    app.command(CommandId::displayTenths(1));  // 0.1 s: this command's own step shows the first page
}

void readingVertical(MainWindow& window) {
    tavori::App& app = window.app();
    app.command(CommandId::lines(8));  // eight columns
    app.command(CommandId::Vertical);
    app.command(CommandId::displayTenths(1));  // this command's own step shows the first page
}

// Eight rows of sixteen characters from the text's start, cut at the width or at phrases.
void readingByteRows(MainWindow& window) {
    tavori::App& app = window.app();
    app.command(CommandId::lines(8));
    app.command(CommandId::displayTenths(1));  // this command's own step shows the first page
}

void readingPhraseRows(MainWindow& window) {
    tavori::App& app = window.app();
    app.command(CommandId::lines(8));
    app.command(CommandId::PhraseRows);
    app.command(CommandId::displayTenths(1));
}

// The first flash of two phrases, at 600 文字/分.
void readingFlash(MainWindow& window) {
    tavori::App& app = window.app();
    app.command(CommandId::PhraseFlashFirst + 1);
    app.command(CommandId::PaceFirst + 3);  // this command's own step shows the first flash
}

// The first question of a test on an easy passage, read through with →, not yet answered.
void testQuestion(MainWindow& window) {
    tavori::App& app = window.app();
    app.command(CommandId::TestEasy);
    app.tick();  // the step after the choice loads the passage
    for (int press = 0; press < 200 && app.readingTest().phase != tavori::TestPhase::Question; ++press) {
        app.key(tavori::Key::Right);
    }
}

// Checked practice's first question after a stretch of sixteen-row pages, answered right.
void checkedQuestion(MainWindow& window) {
    tavori::App& app = window.app();
    app.command(CommandId::lines(16));
    app.command(CommandId::CheckedPractice);
    for (int press = 0; press < 20 && !app.reading().checked.question; ++press) app.key(tavori::Key::Right);
    if (app.reading().checked.question) {
        app.key(static_cast<tavori::Key>(static_cast<int>(tavori::Key::One) + app.reading().checked.question->answer));
    }
}

// 結果 over a record of two tests of the easy passages, written here: the real clock would give
// a different speed on every run.
void testResult(MainWindow& window) {
    tavori::SessionRecord earlier;
    earlier.start = tavori::LocalTime{2026, 11, 30, 21, 5, 0};
    earlier.exercise = tavori::RecordedExercise::ReadingTest;
    earlier.textName = "自転車のギアのしくみ";
    earlier.testLevel = 1;
    earlier.charactersShown = 1621;
    earlier.activeMilliseconds = 194520;  // 500 文字/分
    earlier.measuredPerMinute = 500;
    earlier.questions = 5;
    earlier.rightAnswers = 3;
    earlier.meanAnswerMilliseconds = 6200;
    earlier.effectivePerMinute = 300;
    tavori::SessionRecord latest = earlier;
    latest.start = tavori::LocalTime{2026, 12, 7, 21, 10, 0};
    latest.textName = "なくした青いかさ";
    latest.charactersShown = 1725;
    latest.activeMilliseconds = 150000;  // 690 文字/分
    latest.measuredPerMinute = 690;
    latest.rightAnswers = 4;
    latest.effectivePerMinute = 552;
    QFile history(qEnvironmentVariable("TAVORI_CONFIG_DIR") + QStringLiteral("/history.tsv"));
    const std::string lines = std::string(tavori::historyHeader()) + tavori::historyLine(earlier) + tavori::historyLine(latest);
    if (!history.open(QIODevice::WriteOnly) || history.write(lines.data(), static_cast<qint64>(lines.size())) < 0) {
        std::printf("could not write %s\n", qPrintable(history.fileName()));
    }
    history.close();
    window.app().command(CommandId::TestResults);
    window.app().tick();
}

void flash(MainWindow& window) {
    tavori::App& app = window.app();
    app.command(CommandId::displayTenths(5));
    app.mouseDown(10, 10);  // the first click starts a question
    app.tick();
}

void answers(MainWindow& window) {
    flash(window);
    for (int step = 0; step < 5; ++step) window.app().tick();
}

void maze(MainWindow& window) {
    tavori::App& app = window.app();
    app.command(CommandId::MazeLarge);
    // Mark the three targets on the route; the third mark draws the route.
    const tavori::MazeState& state = app.maze();
    const auto geometry = tavori::mazeGeometry(state, app.shell().clientWidth, app.shell().clientHeight);
    tavori::forEachMazeCell(state, [&](int x, int y) {
        if (tavori::isTarget(state, x, y) && tavori::isOnRoute(state, x, y)) {
            app.mouseDown(geometry.cellLeft(x) + geometry.cellSize / 2, geometry.cellTop(y) + geometry.cellSize / 2);
        }
    });
}

void puzzle(MainWindow& window) {
    tavori::App& app = window.app();
    app.command(CommandId::Puzzle);
    app.tick();
    // Put tile [0][0] near the top left, then drag the tiles of the first row and the left column beside tile [0][0], one at a time;
    // each snaps to its neighbour.
    const std::pair<int, int> order[] = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {0, 1}, {0, 2}, {1, 1}};
    for (const auto& [column, row] : order) {
        const auto& tiles = app.puzzle().tiles;
        const tavori::Tile& anchor = tiles[0][0];
        const tavori::Tile& tile = tiles[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)];
        const bool first = column == 0 && row == 0;
        if (!first && tile.group == anchor.group) continue;
        app.mouseDown(tile.x + 50, tile.y + 50);
        if (!app.puzzle().tileGrabbed || app.puzzle().grabbedColumn != column || app.puzzle().grabbedRow != row) {
            app.mouseUp(tile.x + 50, tile.y + 50);
            std::printf("tile [%d][%d] lies under another\n", column, row);
            continue;  // another tile lies over this one's centre
        }
        const int targetX = first ? 120 : anchor.x + 100 * column + 3;
        const int targetY = first ? 140 : anchor.y + 100 * row + 2;
        app.mouseMove(targetX + 50, targetY + 50);
        app.mouseUp(targetX + 50, targetY + 50);
    }
    app.tick();
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Pictured as a first run shows them, whatever the user has kept.
    const QTemporaryDir configuration;
    qputenv("TAVORI_CONFIG_DIR", configuration.path().toLocal8Bit());
    // The scale must be known before the application starts.
    QByteArray scale;
    const bool scaled = argc > 2 && std::string_view(argv[1]) == "--scale";
    if (scaled) {
        scale = argv[2];
        qputenv("QT_SCALE_FACTOR", scale);
    }
    QApplication application(argc, argv);
    const int folderArgument = scaled ? 3 : 1;
    const QString folder =
        argc > folderArgument ? QString::fromLocal8Bit(argv[folderArgument]) : QStringLiteral("docs/screenshots");
    QDir().mkpath(folder);
    const QString suffix = scaled ? QLatin1Char('@') + QString::fromLatin1(scale) + QStringLiteral("x.png")
                                  : QStringLiteral(".png");

    // The first six share one first run, each going on from what the one before it kept (the
    // place in the text); the others are each a first run of their own, from the text's start.
    struct Picture {
        const char* name;
        std::function<void(MainWindow&)> script;
        bool ownFirstRun = false;
    };
    const Picture pictures[] = {
        {"reading", reading}, {"reading-vertical", readingVertical}, {"image-flash", flash},
        {"image-answers", answers}, {"maze", maze}, {"puzzle", puzzle},
        {"reading-byte-rows", readingByteRows, true}, {"reading-phrase-rows", readingPhraseRows, true},
        {"reading-flash", readingFlash, true}, {"reading-test-question", testQuestion, true},
        {"reading-test-result", testResult, true}, {"reading-checked", checkedQuestion, true},
    };
    int failures = 0;
    for (const auto& [name, script, ownFirstRun] : pictures) {
        const QTemporaryDir ownConfiguration;
        qputenv("TAVORI_CONFIG_DIR", (ownFirstRun ? ownConfiguration : configuration).path().toLocal8Bit());
        MainWindow window(tavori::AppConfig{kSeed, ""});
        prepare(window);
        script(window);
        failures += save(window, folder, QLatin1String(name) + suffix) ? 0 : 1;
    }
    return failures == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
