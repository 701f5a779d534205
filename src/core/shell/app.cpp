// The program behind the window: start-up state, commands, the tick, mouse routing and paints.
#include "shell/app.h"

#include "common/input_bounds.h"
#include "files/files.h"
#include "gfx/primitives.h"
#include "shell/menu.h"

namespace tavori {

namespace {

constexpr FileFilter kReadingTextFilter{"txt Files(*.txt)", "*.txt"};
constexpr FileFilter kTemplateFilter{"tvr3 Files(*.tvr3)", "*.tvr3"};

}  // namespace

App::App(Platform& platform, AppConfig config)
    : platform_(platform), random_(config.seed), homePage_(std::move(config.homePage)) {}

void App::startUp() {
    const ClientSize size = heldClientSize(platform_.clientSize());
    shell_.clientWidth = size.width;
    shell_.clientHeight = size.height;
    loadReadingText(reading_, platform_, siblingPath(platform_, "w", ".txt"));
    loadTemplateFile(imagePractice_, platform_, siblingPath(platform_, "tvr", ".tvr3"));
}

void App::clearScreen() {
    tavori::clearScreen(platform_.windowCanvas(), shell_.clientWidth, shell_.clientHeight);
}

void App::enterSpeedReading() { shell_.currentMode = Mode::SpeedReading; }

Outcome App::command(int id) {
    if (destroyed_) {
        return Outcome::None;
    }
    const CommandMeaning meaning = commandMeaning(id);
    switch (meaning.action) {
        case CommandAction::Quit:
            // The front end closes the window and runs destroy(); nothing steps after it.
            return Outcome::CloseWindow;
        case CommandAction::SetDisplayTime:
            shell_.displayTicks = meaning.value;
            break;
        case CommandAction::LoadReadingText:
            clearScreen();
            // A cancelled dialog loads nothing: the text and the place in it stay.
            if (chooseOpenFile(platform_, kReadingTextFilter, reading_.readingFileName)) {
                loadReadingText(reading_, platform_, reading_.readingFileName);
                reading_.readingPosition = 0;
            }
            enterSpeedReading();
            clearScreen();
            break;
        case CommandAction::SetLineWidth:
            clearScreen();
            reading_.bytesPerLine = meaning.value;
            enterSpeedReading();
            break;
        case CommandAction::SetLines:
            clearScreen();
            reading_.linesPerScreen = meaning.value;
            enterSpeedReading();
            break;
        case CommandAction::LoadTemplate:
            clearScreen();
            if (chooseOpenFile(platform_, kTemplateFilter, imagePractice_.templateFileName)) {
                loadTemplateFile(imagePractice_, platform_, imagePractice_.templateFileName);
            }
            imagePractice_.questionState = 0;
            shell_.currentMode = Mode::ImagePractice;
            clearScreen();
            break;
        case CommandAction::EnterPuzzle:
            clearScreen();
            shell_.currentMode = Mode::Puzzle;
            puzzle_.puzzleState = 0;
            break;
        case CommandAction::SetMazeSize:
            clearScreen();
            maze_.mazeWidth = meaning.value;
            maze_.mazeHeight = meaning.value;
            maze_.mazeStepPending = true;
            maze_.mazeSolutionNext = false;
            shell_.currentMode = Mode::Maze;
            break;
        case CommandAction::OpenHelp:
            platform_.openWithShell(siblingPath(platform_, "最初にお読みください", ".html"),
                                    ShellOwner::MainWindow);
            break;
        case CommandAction::None:
            break;
    }
    stepMode();
    return Outcome::None;
}

void App::tick() {
    if (!destroyed_) {
        stepMode();
    }
}

bool App::waitsForInput() const {
    // A maze steps only when a command or a click asks, and runs that step at once.
    return destroyed_ || (shell_.currentMode == Mode::Maze && !maze_.mazeStepPending);
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

Outcome App::mouseDown(int x, int y) {
    if (destroyed_) {
        return Outcome::None;
    }
    x = heldPointer(x);
    y = heldPointer(y);
    Context ctx = context();
    switch (shell_.currentMode) {
        case Mode::ImagePractice:
            clickImagePractice(imagePractice_, ctx, x, y);
            return Outcome::None;
        case Mode::Maze:
            mazeClick(maze_, ctx, x, y);
            return Outcome::None;
        case Mode::Puzzle:
            // A drag keeps the mouse, so its release is seen even outside the window.
            puzzle_.buttonDown = true;
            grabTile(puzzle_, ctx, x, y);
            return Outcome::CaptureMouse;
        case Mode::SpeedReading:
            return Outcome::None;
    }
    return Outcome::None;
}

void App::mouseMove(int x, int y) {
    if (destroyed_ || shell_.currentMode != Mode::Puzzle || !puzzle_.buttonDown) {
        return;
    }
    Context ctx = context();
    dragTile(puzzle_, ctx, heldPointer(x), heldPointer(y));
}

Outcome App::mouseUp(int x, int y) {
    if (destroyed_ || shell_.currentMode != Mode::Puzzle || !puzzle_.buttonDown) {
        return Outcome::None;
    }
    if (puzzle_.tileGrabbed) {
        Context ctx = context();
        dropTile(puzzle_, ctx, heldPointer(x), heldPointer(y));
    }
    puzzle_.buttonDown = false;
    return Outcome::ReleaseMouse;
}

void App::paint() {
    if (destroyed_ || shell_.currentMode != Mode::Maze) {
        return;
    }
    Context ctx = context();
    repaintMaze(maze_, ctx, heldClientSize(platform_.clientSize()));
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
