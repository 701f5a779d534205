// The program behind the window: start-up state, commands, the tick, mouse routing and paints.
#include "shell/app.h"

#include "files/files.h"
#include "gfx/primitives.h"
#include "shell/menu.h"

namespace tavori {

namespace {

constexpr FileFilter kReadingTextFilter{"txt Files(*.txt)", "*.txt"};
constexpr FileFilter kTemplateFilter{"tvr3 Files(*.tvr3)", "*.tvr3"};

// Display times of the commands 261..264, in ticks.
constexpr std::int32_t kLongDisplayTicks[] = {20, 30, 40, 50};

}  // namespace

App::App(Platform& platform, AppConfig config)
    : platform_(platform), random_(config.seed), homePage_(std::move(config.homePage)) {}

void App::startUp() {
    const ClientSize size = platform_.clientSize();
    shell_.clientWidth = size.width;
    shell_.clientHeight = size.height;
    loadReadingText(reading_, platform_, siblingPath(platform_, "w", ".txt"));
    loadTemplateFile(imagePractice_, platform_, siblingPath(platform_, "tvr", ".tvr3"));
}

void App::clearScreen() {
    tavori::clearScreen(platform_.windowCanvas(), shell_.clientWidth, shell_.clientHeight);
}

void App::enterSpeedReading() { shell_.currentMode = Mode::SpeedReading; }

void App::command(int id) {
    if (destroyed_) {
        return;
    }
    if (id == CommandId::Quit) {
        // The window goes away; its destroy sequence runs within, and nothing steps after it.
        platform_.closeWindow();
        return;
    }
    if (id >= CommandId::DisplayTimeFirst && id <= 260) {
        shell_.displayTicks = id - 250;
    } else if (id > 260 && id <= CommandId::DisplayTimeLast) {
        shell_.displayTicks = kLongDisplayTicks[id - 261];
    } else if (id == CommandId::LoadReadingText) {
        clearScreen();
        // A cancelled dialog loads nothing: the text and the place in it stay.
        if (chooseOpenFile(platform_, kReadingTextFilter, reading_.readingFileName)) {
            loadReadingText(reading_, platform_, reading_.readingFileName);
            reading_.readingPosition = 0;
        }
        enterSpeedReading();
        clearScreen();
    } else if (id == CommandId::EightCharacters || id == CommandId::SixteenCharacters) {
        clearScreen();
        reading_.bytesPerLine = id == CommandId::EightCharacters ? 16 : 32;
        enterSpeedReading();
    } else if (id >= CommandId::LinesFirst && id <= CommandId::LinesLast) {
        clearScreen();
        reading_.linesPerScreen = id - 720;
        enterSpeedReading();
    } else if (id == CommandId::LoadTemplate) {
        clearScreen();
        if (chooseOpenFile(platform_, kTemplateFilter, imagePractice_.templateFileName)) {
            loadTemplateFile(imagePractice_, platform_, imagePractice_.templateFileName);
        }
        imagePractice_.questionState = 0;
        shell_.currentMode = Mode::ImagePractice;
        clearScreen();
    } else if (id == CommandId::Puzzle) {
        clearScreen();
        shell_.currentMode = Mode::Puzzle;
        puzzle_.puzzleState = 0;
    } else if (id == CommandId::MazeSmall || id == CommandId::MazeLarge) {
        clearScreen();
        const std::int32_t size = id == CommandId::MazeSmall ? 9 : 11;
        maze_.mazeWidth = size;
        maze_.mazeHeight = size;
        maze_.mazeStepPending = true;
        maze_.mazeSolutionNext = false;
        shell_.currentMode = Mode::Maze;
    } else if (id == CommandId::Help) {
        platform_.openWithShell(siblingPath(platform_, "最初にお読みください", ".html"),
                                ShellOwner::MainWindow);
    }
    stepMode();
}

void App::tick() {
    if (!destroyed_) {
        stepMode();
    }
}

void App::stepMode() {
    Context ctx = context();
    switch (shell_.currentMode) {
        case Mode::Puzzle:
            stepPuzzle(puzzle_, ctx);
            return;
        case Mode::SpeedReading:
            stepSpeedReading(reading_, ctx);
            return;
        case Mode::ImagePractice:
            stepImagePractice(imagePractice_, ctx);
            return;
        case Mode::Maze:
            stepMaze(maze_, ctx);
            return;
    }
}

void App::mouseDown(int x, int y) {
    if (destroyed_) {
        return;
    }
    Context ctx = context();
    switch (shell_.currentMode) {
        case Mode::ImagePractice:
            clickImagePractice(imagePractice_, ctx, x, y);
            return;
        case Mode::Maze:
            mazeClick(maze_, ctx, x, y);
            return;
        case Mode::Puzzle:
            puzzle_.buttonDown = true;
            grabTile(puzzle_, ctx, x, y);
            return;
        case Mode::SpeedReading:
            return;
    }
}

void App::mouseMove(int x, int y) {
    if (destroyed_ || shell_.currentMode != Mode::Puzzle || !puzzle_.buttonDown) {
        return;
    }
    Context ctx = context();
    dragTile(puzzle_, ctx, x, y);
}

void App::mouseUp(int x, int y) {
    if (destroyed_ || shell_.currentMode != Mode::Puzzle || !puzzle_.buttonDown) {
        return;
    }
    if (puzzle_.tileGrabbed) {
        Context ctx = context();
        dropTile(puzzle_, ctx, x, y);
    }
    puzzle_.buttonDown = false;
}

void App::paint() {
    if (destroyed_ || shell_.currentMode != Mode::Maze) {
        return;
    }
    Context ctx = context();
    repaintMaze(maze_, ctx);
}

void App::destroy() {
    if (destroyed_) {
        return;
    }
    destroyed_ = true;
    if (!homePage_.empty()) {
        platform_.openWithShell(homePage_, ShellOwner::None);
    }
}

}  // namespace tavori
