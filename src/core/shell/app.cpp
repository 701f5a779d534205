// Each entry point in turn: input held at the edge, the command table's meanings carried out,
// the step routed to the current exercise, and the screen settled when it returns.
#include "shell/app.h"

#include "common/input_bounds.h"
#include "files/files.h"
#include "gfx/primitives.h"
#include "shell/menu.h"
#include "shell/status_line.h"

namespace tavori {

// Settles the screen when an entry point returns, whichever way it does. Whatever the entry
// point does may change what the next step draws, so no step counts as repeating until the
// next tick has shown it does.
class ScreenSettles {
public:
    explicit ScreenSettles(App& app) : app_(app) { app.lastStepRepeated_ = false; }
    ScreenSettles(const ScreenSettles&) = delete;
    ScreenSettles& operator=(const ScreenSettles&) = delete;
    ~ScreenSettles() { app_.settleScreen(); }

private:
    App& app_;
};

App::App(Platform& platform, AppConfig config)
    : platform_(platform), window_(platform.windowCanvas(), config.remembersScreen),
      workBitmap_(platform.workBitmap(), config.remembersScreen), random_(config.seed),
      homePage_(std::move(config.homePage)) {}

void App::settleScreen() {
    workBitmap_.settle();
    window_.settle();
}

void App::startUp() {
    const ClientSize size = heldClientSize(platform_.clientSize());
    shell_.clientWidth = size.width;
    shell_.clientHeight = size.height;
    restoreKept();
    loadReadingText(reading_, platform_,
                    reading_.readingFileName.empty() ? siblingPath(platform_, "w", ".txt") : reading_.readingFileName);
    identifyReadingText();
    resumeAtPage(reading_, placeOf(kept_.places, readingIdentity_).value_or(0));
    loadTemplateFile(imagePractice_, platform_,
                     imagePractice_.templateFileName == "tvr.tvr3" ? siblingPath(platform_, "tvr", ".tvr3")
                                                                   : imagePractice_.templateFileName);
    beginSession();
}

void App::clearScreen() { tavori::clearScreen(window_, shell_.clientWidth, shell_.clientHeight); }

void App::enterSpeedReading() { shell_.currentMode = Mode::SpeedReading; }

Outcome App::command(int id) {
    if (destroyed_) {
        return Outcome::None;
    }
    const ScreenSettles settles(*this);
    const CommandMeaning meaning = commandMeaning(id);
    const Mode modeBefore = shell_.currentMode;
    switch (meaning.action) {
        case CommandAction::Quit:
            // The front end closes the window and runs destroy(); nothing steps after it.
            return Outcome::CloseWindow;
        case CommandAction::SetDisplayTime:
            shell_.displayTicks = meaning.value;
            measureSpeedAfresh(reading_);
            refreshReadingFigures(reading_, shell_.displayTicks);
            break;
        case CommandAction::LoadReadingText:
            clearScreen();
            // The clear shows while the dialog is open.
            settleScreen();
            // A cancelled dialog loads nothing: the text and the place in it stay.
            if (std::string name = reading_.readingFileName;
                chooseOpenFile(platform_, kReadingTextFilter, name)) {
                // The text being left keeps its place; the new one resumes at its own.
                keepReadingPlace();
                reading_.readingFileName = std::move(name);
                loadReadingText(reading_, platform_, reading_.readingFileName);
                identifyReadingText();
                resumeAtPage(reading_, placeOf(kept_.places, readingIdentity_).value_or(0));
            }
            enterSpeedReading();
            clearScreen();
            break;
        case CommandAction::SetLineWidth:
            clearScreen();
            reading_.bytesPerLine = meaning.value;
            measureSpeedAfresh(reading_);
            enterSpeedReading();
            break;
        case CommandAction::SetLines:
            clearScreen();
            reading_.linesPerScreen = meaning.value;
            measureSpeedAfresh(reading_);
            enterSpeedReading();
            break;
        case CommandAction::ToggleVertical:
            clearScreen();
            // Each session of reading runs in one direction: the one on screen ends with the
            // pages it showed, and the next begins with this command's own step.
            if (shell_.currentMode == Mode::SpeedReading) {
                endSession();
            }
            reading_.vertical = !reading_.vertical;
            measureSpeedAfresh(reading_);
            if (shell_.currentMode == Mode::SpeedReading) {
                beginSession();
            }
            enterSpeedReading();
            break;
        case CommandAction::LoadTemplate:
            clearScreen();
            settleScreen();
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
            mazeSizeChosen_ = true;
            break;
        case CommandAction::OpenHelp:
            platform_.openWithShell(siblingPath(platform_, "最初にお読みください", ".html"),
                                    ShellOwner::MainWindow);
            break;
        case CommandAction::OpenRecord:
            openRecord();
            return Outcome::None;
        case CommandAction::None:
            break;
        default:
            // The keys' commands act at once, with no step after them.
            runKeyCommand(meaning);
            return Outcome::None;
    }
    stepMode();
    if (shell_.currentMode != modeBefore) {
        if (modeBefore == Mode::SpeedReading) {
            keepReadingPlace();
        }
        endSession();
        beginSession();
    }
    keepSettings();
    return Outcome::None;
}

void App::runKeyCommand(CommandMeaning meaning) {
    if (!commandAvailable(meaning)) {
        return;
    }
    Context ctx = context();
    switch (meaning.action) {
        case CommandAction::StepDisplayTime:
            shell_.displayTicks = steppedDisplayTicks(shell_.displayTicks, meaning.value);
            measureSpeedAfresh(reading_);
            refreshReadingFigures(reading_, shell_.displayTicks);
            keepSettings();
            return;
        case CommandAction::PauseOrResume:
            reading_.paused = !reading_.paused;
            if (!reading_.paused) {
                measureSpeedAfresh(reading_);
            } else {
                // A pause is where a reader may stop for the day.
                keepReadingPlace();
            }
            return;
        case CommandAction::NextPage:
            showNextPage(reading_, ctx);
            return;
        case CommandAction::PreviousPage:
            showPreviousPage(reading_, ctx);
            return;
        case CommandAction::FromTheBeginning:
            showFirstPage(reading_, ctx);
            return;
        case CommandAction::AnswerRow:
            answerWithRow(imagePractice_, ctx, meaning.value);
            return;
        case CommandAction::NextQuestion:
            // A click where no row is, as a click anywhere does once answered.
            clickImagePractice(imagePractice_, ctx, -1, -1);
            return;
        case CommandAction::NextMaze:
            mazeClick(maze_, ctx, -1, -1);
            return;
        default:
            return;
    }
}

Outcome App::key(Key key) {
    if (destroyed_) {
        return Outcome::None;
    }
    const std::optional<int> id = commandForKey(shell_.currentMode, key);
    return id ? command(*id) : Outcome::None;
}

bool App::commandChecked(int id) const {
    const CommandMeaning meaning = commandMeaning(id);
    switch (meaning.action) {
        case CommandAction::SetDisplayTime:
            return meaning.value == shell_.displayTicks;
        case CommandAction::SetLineWidth:
            return meaning.value == reading_.bytesPerLine;
        case CommandAction::SetLines:
            return meaning.value == reading_.linesPerScreen;
        case CommandAction::SetMazeSize:
            return mazeSizeChosen_ && meaning.value == maze_.mazeWidth;
        case CommandAction::PauseOrResume:
            return reading_.paused;
        case CommandAction::ToggleVertical:
            return reading_.vertical;
        default:
            return false;
    }
}

std::string App::statusLine() const {
    return composeStatusLine(StatusSources{shell_, reading_, imagePractice_, maze_, puzzle_});
}

bool App::commandAvailable(int id) const { return !destroyed_ && commandAvailable(commandMeaning(id)); }

bool App::commandAvailable(CommandMeaning meaning) const {
    switch (meaning.action) {
        case CommandAction::PauseOrResume:
        case CommandAction::NextPage:
        case CommandAction::PreviousPage:
        case CommandAction::FromTheBeginning:
            return shell_.currentMode == Mode::SpeedReading;
        case CommandAction::AnswerRow:
            return shell_.currentMode == Mode::ImagePractice;
        case CommandAction::NextQuestion:
            return shell_.currentMode == Mode::ImagePractice && questionAnswered(imagePractice_);
        case CommandAction::NextMaze:
            // Once the route is drawn a click anywhere brings a new maze.
            return shell_.currentMode == Mode::Maze && !maze_.mazeSolutionNext;
        default:
            return true;
    }
}

void App::tick() {
    if (!destroyed_) {
        const ScreenSettles settles(*this);
        const bool repeatedBefore = stateRepeatsSteps();
        stepMode();
        lastStepRepeated_ = repeatedBefore && stateRepeatsSteps();
    }
}

bool App::waitsForInput() const {
    // A maze steps only when a command or a click asks, and runs that step at once.
    return destroyed_ || (shell_.currentMode == Mode::Maze && !maze_.mazeStepPending);
}

// A step that began and ended in such a state has drawn what every later one will draw again.
bool App::stateRepeatsSteps() const {
    switch (shell_.currentMode) {
        case Mode::ImagePractice:
            return imagePracticeStepRepeats(imagePractice_, shell_.displayTicks);
        case Mode::Puzzle:
            return puzzleStepRepeats(puzzle_);
        case Mode::SpeedReading:
            return reading_.paused;
        case Mode::Maze:
            return false;
    }
    return false;
}

bool App::stepsOnlyRepeat() const { return !destroyed_ && lastStepRepeated_ && stateRepeatsSteps(); }

void App::passSteps(std::int64_t count) {
    if (count <= 0 || !stepsOnlyRepeat()) {
        return;
    }
    switch (shell_.currentMode) {
        case Mode::ImagePractice:
            passImagePracticeSteps(imagePractice_, count);
            return;
        case Mode::Puzzle:
            passPuzzleSteps(puzzle_, count);
            return;
        case Mode::SpeedReading:  // a paused page counts nothing
        case Mode::Maze:
            return;
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

Outcome App::mouseDown(int x, int y) {
    if (destroyed_) {
        return Outcome::None;
    }
    const ScreenSettles settles(*this);
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
    const ScreenSettles settles(*this);
    Context ctx = context();
    dragTile(puzzle_, ctx, heldPointer(x), heldPointer(y));
}

Outcome App::mouseUp(int x, int y) {
    if (destroyed_ || shell_.currentMode != Mode::Puzzle || !puzzle_.buttonDown) {
        return Outcome::None;
    }
    if (puzzle_.tileGrabbed) {
        const ScreenSettles settles(*this);
        Context ctx = context();
        dropTile(puzzle_, ctx, heldPointer(x), heldPointer(y));
    }
    puzzle_.buttonDown = false;
    return Outcome::ReleaseMouse;
}

void App::paint() {
    if (destroyed_) {
        return;
    }
    // The platform has erased or renewed the window (and perhaps renewed the work bitmap at a
    // new resolution): what was drawn there no longer shows.
    lastStepRepeated_ = false;
    window_.forget();
    workBitmap_.forget();
    if (shell_.currentMode != Mode::Maze) {
        return;
    }
    const ScreenSettles settles(*this);
    Context ctx = context();
    repaintMaze(maze_, ctx, heldClientSize(platform_.clientSize()));
}

void App::destroy() {
    if (destroyed_) {
        return;
    }
    if (shell_.currentMode == Mode::SpeedReading) {
        keepReadingPlace();
    }
    endSession();
    destroyed_ = true;
    if (!homePage_.empty()) {
        platform_.openWithShell(homePage_, ShellOwner::None);
    }
}

}  // namespace tavori
