// Each entry point in turn: input held at the edge, the command table's meanings carried out,
// the step routed to the current exercise, and the screen settled when it returns.
#include "shell/app.h"

#include "common/input_bounds.h"
#include "files/files.h"
#include "gfx/primitives.h"
#include "shell/menu.h"

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
      homePage_(std::move(config.homePage)), exercises_(makeExercises()) {}

void App::settleScreen() {
    workBitmap_.settle();
    window_.settle();
}

void App::startUp() {
    const ClientSize size = heldClientSize(platform_.clientSize());
    shell_.clientWidth = size.width;
    shell_.clientHeight = size.height;
    restoreKept();
    for (const auto& exercise : exercises_) {
        exercise->startUp(platform_, kept_);
    }
    beginSession();
}

void App::clearScreen() { tavori::clearScreen(window_, shell_.clientWidth, shell_.clientHeight); }

Exercise& App::exerciseOf(Mode mode) const {
    for (const auto& exercise : exercises_) {
        if (exercise->mode() == mode) {
            return *exercise;
        }
    }
    // Every Mode is registered (shell/exercises.cpp), and currentMode only takes a registered
    // exercise's mode.
    return *exercises_.front();
}

Exercise* App::exerciseSelectedBy(CommandAction action) const {
    for (const auto& exercise : exercises_) {
        if (exercise->selectedBy(action)) {
            return exercise.get();
        }
    }
    return nullptr;
}

// The exercise on screen when it owns the action (speed reading answers its checked questions
// with the reading test's answer items), else the first that does.
Exercise* App::exerciseOwning(CommandAction action) const {
    if (current().ownsCommand(action)) {
        return &current();
    }
    for (const auto& exercise : exercises_) {
        if (exercise->ownsCommand(action)) {
            return exercise.get();
        }
    }
    return nullptr;
}

Outcome App::command(int id) {
    if (destroyed_) {
        return Outcome::None;
    }
    const ScreenSettles settles(*this);
    const CommandMeaning meaning = commandMeaning(id);
    Exercise& before = current();
    switch (meaning.action) {
        case CommandAction::Quit:
            // The front end closes the window and runs destroy(); nothing steps after it.
            return Outcome::CloseWindow;
        case CommandAction::SetDisplayTime:
        case CommandAction::SetPace:
            // A seconds item goes back to seconds per page; a pace keeps the seconds for the
            // exercises that time by them alone.
            if (meaning.action == CommandAction::SetDisplayTime) {
                shell_.displayTicks = meaning.value;
            }
            shell_.pacePerMinute = meaning.action == CommandAction::SetPace ? meaning.value : 0;
            for (const auto& exercise : exercises_) {
                exercise->displayTimeChanged(shell_);
            }
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
            if (Exercise* selected = exerciseSelectedBy(meaning.action)) {
                selectExercise(*selected, id, meaning);
                break;
            }
            // The keys' commands act at once, with no step after them.
            runKeyCommand(meaning);
            return Outcome::None;
    }
    stepMode();
    if (&current() != &before) {
        keepPlaceOf(before);
        endSession();
        beginSession();
    }
    keepSettings();
    return Outcome::None;
}

void App::selectExercise(Exercise& exercise, int id, CommandMeaning meaning) {
    clearScreen();
    if (const std::optional<FileFilter> filter = commandFileFilter(id)) {
        // The clear shows while the dialog is open.
        settleScreen();
        // A cancelled dialog opens nothing: the file and the place in it stay.
        if (std::string name = exercise.proposedFileName(); chooseOpenFile(platform_, *filter, name)) {
            // The file being left keeps its place; the new one resumes at its own.
            keepPlaceOf(exercise);
            exercise.openFile(std::move(name), platform_, kept_);
        }
        exercise.select(meaning);
        shell_.currentMode = exercise.mode();
        clearScreen();
        return;
    }
    const bool splits = &exercise == &current() && exercise.splitsSession(meaning);
    if (splits) {
        endSession();
    }
    exercise.select(meaning);
    if (splits) {
        beginSession();
    }
    shell_.currentMode = exercise.mode();
}

void App::runKeyCommand(CommandMeaning meaning) {
    if (!commandAvailable(meaning)) {
        return;
    }
    if (meaning.action == CommandAction::StepDisplayTime) {
        // Along whichever list is in force.
        if (shell_.pacePerMinute > 0) {
            shell_.pacePerMinute = steppedPace(shell_.pacePerMinute, meaning.value);
        } else {
            shell_.displayTicks = steppedDisplayTicks(shell_.displayTicks, meaning.value);
        }
        for (const auto& exercise : exercises_) {
            exercise->displayTimeChanged(shell_);
        }
        keepSettings();
        return;
    }
    Exercise& exercise = current();
    if (!exercise.ownsCommand(meaning.action)) {
        return;
    }
    Context ctx = context();
    if (exercise.runCommand(meaning, ctx)) {
        keepPlaceOf(exercise);
    }
}

Outcome App::key(Key key) {
    if (destroyed_) {
        return Outcome::None;
    }
    for (const KeyBinding& binding : current().keys()) {
        if (binding.key == key) {
            return command(binding.command);
        }
    }
    return Outcome::None;
}

bool App::commandChecked(int id) const {
    const CommandMeaning meaning = commandMeaning(id);
    if (meaning.action == CommandAction::SetDisplayTime) {
        return shell_.pacePerMinute == 0 && meaning.value == shell_.displayTicks;
    }
    if (meaning.action == CommandAction::SetPace) {
        return meaning.value == shell_.pacePerMinute;
    }
    for (const auto& exercise : exercises_) {
        if (const std::optional<bool> checked = exercise->commandChecked(meaning)) {
            return *checked;
        }
    }
    return false;
}

std::string App::statusLine() const { return current().statusLine(); }

bool App::commandAvailable(int id) const { return !destroyed_ && commandAvailable(commandMeaning(id)); }

// An exercise's own command can be chosen only while that exercise is on screen.
bool App::commandAvailable(CommandMeaning meaning) const {
    const Exercise* owner = exerciseOwning(meaning.action);
    return owner == nullptr || (owner == &current() && owner->commandAvailable(meaning));
}

void App::tick() {
    if (!destroyed_) {
        const ScreenSettles settles(*this);
        const bool repeatedBefore = stateRepeatsSteps();
        stepMode();
        lastStepRepeated_ = repeatedBefore && stateRepeatsSteps();
    }
}

bool App::waitsForInput() const { return destroyed_ || current().waitsForInput(); }

// A step that began and ended in such a state has drawn what every later one will draw again.
bool App::stateRepeatsSteps() const { return current().stateRepeatsSteps(shell_); }

bool App::stepsOnlyRepeat() const { return !destroyed_ && lastStepRepeated_ && stateRepeatsSteps(); }

void App::passSteps(std::int64_t count) {
    if (count <= 0 || !stepsOnlyRepeat()) {
        return;
    }
    current().passSteps(count);
}

void App::stepMode() {
    Context ctx = context();
    current().step(ctx);
}

Outcome App::mouseDown(int x, int y) {
    if (destroyed_) {
        return Outcome::None;
    }
    const ScreenSettles settles(*this);
    Context ctx = context();
    const std::int32_t paceBefore = shell_.pacePerMinute;
    const Outcome outcome = current().pointerDown(ctx, heldPointer(x), heldPointer(y));
    // An answer of checked practice moves the pace, kept as a chosen one is.
    if (shell_.pacePerMinute != paceBefore) {
        keepSettings();
    }
    return outcome;
}

void App::mouseMove(int x, int y) {
    if (destroyed_ || !current().holdsPointer()) {
        return;
    }
    const ScreenSettles settles(*this);
    Context ctx = context();
    current().pointerMove(ctx, heldPointer(x), heldPointer(y));
}

Outcome App::mouseUp(int x, int y) {
    if (destroyed_ || !current().holdsPointer()) {
        return Outcome::None;
    }
    // A release that draws nothing leaves the steps' repeat as the last tick found it.
    std::optional<ScreenSettles> settles;
    if (current().releaseDraws()) {
        settles.emplace(*this);
    }
    Context ctx = context();
    return current().pointerUp(ctx, heldPointer(x), heldPointer(y));
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
    // An exercise that draws nothing again here leaves nothing to settle.
    const ScreenSettles settles(*this);
    Context ctx = context();
    current().repaint(ctx);
}

void App::destroy() {
    if (destroyed_) {
        return;
    }
    keepPlaceOf(current());
    endSession();
    destroyed_ = true;
    if (!homePage_.empty()) {
        platform_.openWithShell(homePage_, ShellOwner::None);
    }
}

}  // namespace tavori
