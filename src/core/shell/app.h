// The program behind the window: start-up state, commands, the tick, mouse routing and paints.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "common/context.h"
#include "common/key.h"
#include "gfx/screen_memory.h"
#include "imagepractice/image_practice_exercise.h"
#include "maze/maze_exercise.h"
#include "puzzle/puzzle_exercise.h"
#include "reading/reading_exercise.h"
#include "readingtest/reading_test_exercise.h"
#include "record/session_record.h"
#include "settings/settings_file.h"
#include "shell/exercise.h"
#include "shell/exercises.h"
#include "shell/menu.h"

namespace tavori {

struct AppConfig {
    std::uint32_t seed = 0;
    // Opened with the shell when the window goes away; empty means no request.
    std::string homePage;
    // Whether drawing that would leave the window as it shows is held back (gfx/screen_memory.h);
    // off only to compare with the design that passed every drawing on.
    bool remembersScreen = true;
};

// A front end creates one App over its Platform, turns its window's events into these calls
// and carries out the outcome. Everything the exercises do happens in here; from outside,
// the exercises' state is read-only. App knows no exercise by name: it holds the registered
// ones (shell/exercises.cpp) and passes each event to the one on screen (shell/exercise.h).
//
// The entry points run one at a time, each to its end, with one exception: a command that
// opens the open-file dialog ("読み込み", "イメージ練習データ読み込み") waits inside it, and the
// platform's modal loop goes on delivering tick() and paint() meanwhile (both front ends keep
// ticking there). So the exercise of the moment steps under the dialog: a speed-reading page
// of the old text may be drawn, which the command's second clear removes once the dialog has
// closed. Nothing else re-enters: the dialog owns the mouse and the menus until it closes, and
// the window cannot close under it.
class App {
public:
    App(Platform& platform, AppConfig config);
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // After the window exists: reads the client size (held to 0 … 65535, as at every maze
    // paint) and loads w.txt and tvr.tvr3 from beside the executable (a missing file leaves
    // that content empty). Kept settings, when there are any, come first: the display time,
    // width, rows and maze size, the text and template last opened (where they still are),
    // and the page of the text where it was left.
    void startUp();

    // A menu command by id; unknown ids do nothing of their own. Every command except "終了"
    // ends with one stepMode; "終了" only returns CloseWindow.
    Outcome command(int id);
    // One 100 ms tick.
    void tick();
    // True while no tick can change anything until the next command, mouse input or paint:
    // a maze between its steps, or after destroy. The front end's timer may sleep meanwhile.
    bool waitsForInput() const;
    // True while every step until the next call of another entry point would draw only what is
    // on screen and change nothing but the steps its exercise counts: image practice's start
    // screen and answer rows, a puzzle between moves, a paused page, once one step has shown
    // it. A front end's timer may sleep meanwhile, provided that before its next call it hands
    // the grid points slept through to passSteps, so every count is as if they had run.
    bool stepsOnlyRepeat() const;
    // What `count` steps would do while stepsOnlyRepeat() holds, without running them; nothing
    // otherwise.
    void passSteps(std::int64_t count);
    // Left button press, mouse move and left release, in client coordinates. A press that
    // grabs a tile asks for the mouse, the release that ends the drag gives it back. Any int
    // is taken and held to ±2^24 (common/input_bounds.h) before an exercise sees it.
    Outcome mouseDown(int x, int y);
    void mouseMove(int x, int y);
    Outcome mouseUp(int x, int y);
    // A key, while no menu or dialog is open: what its item in the menus does in the exercise
    // on screen (shell/menu.h); a key with none there does nothing.
    Outcome key(Key key);
    // The client area was uncovered or resized (and erased black): only the maze redraws.
    void paint();
    // The window is going away: the session on screen recorded, the place in the text kept, and
    // the home-page request. Later events are ignored.
    void destroy();

    // Whether a menu item shows a check mark (the display time, width, rows and maze size in
    // force, and the pause), and whether it can be chosen in the exercise on screen.
    bool commandChecked(int id) const;
    bool commandAvailable(int id) const;
    // The status line below the exercise area, in UTF-8: composed here, only shown by the front
    // end, which repaints it only when the text changes.
    std::string statusLine() const;

    const ShellState& shell() const { return shell_; }
    const ReadingState& reading() const { return exercise<ReadingExercise>().state(); }
    const ImagePracticeState& imagePractice() const { return exercise<ImagePracticeExercise>().state(); }
    const MazeState& maze() const { return exercise<MazeExercise>().state(); }
    const PuzzleState& puzzle() const { return exercise<PuzzleExercise>().state(); }
    const ReadingTestState& readingTest() const { return exercise<ReadingTestExercise>().state(); }
    bool destroyed() const { return destroyed_; }
    // The registered exercises, one per Mode.
    const ExerciseList& exercises() const { return exercises_; }

private:
    // Tests set up a state through this one door instead of a chain of commands.
    friend struct AppStateAccess;

    // Advances the current exercise by one step.
    void stepMode();
    // Whether the exercise is in a state whose step draws the same each time (see tick()).
    bool stateRepeatsSteps() const;
    Context context() { return Context{platform_, random_, shell_, window_, workBitmap_}; }
    void clearScreen();
    // The registered exercise of a mode, the one on screen, and one by its adapter's type.
    Exercise& exerciseOf(Mode mode) const;
    Exercise& current() const { return exerciseOf(shell_.currentMode); }
    template <class Adapter>
    Adapter& exercise() const {
        return dynamic_cast<Adapter&>(exerciseOf(Adapter::kMode));
    }
    // The exercise an item of its pop-up sets up and shows, and the one whose command acts at
    // once; null for the shell's own items.
    Exercise* exerciseSelectedBy(CommandAction action) const;
    Exercise* exerciseOwning(CommandAction action) const;
    void selectExercise(Exercise& exercise, int id, CommandMeaning meaning);
    void runKeyCommand(CommandMeaning meaning);
    bool commandAvailable(CommandMeaning meaning) const;
    // The end of an entry point's drawing, or a wait in the dialog: what the memory held back
    // reaches the screen unless it changes nothing.
    void settleScreen();
    friend class ScreenSettles;

    Platform& platform_;
    ScreenMemory window_;
    ScreenMemory workBitmap_;
    RandomGenerator random_;
    std::string homePage_;
    ShellState shell_;
    ExerciseList exercises_;
    bool destroyed_ = false;
    // Whether the last entry point was a tick whose step repeats at every later one.
    bool lastStepRepeated_ = false;

    // What is kept between runs (shell/app_keeping.cpp). Nothing is written on the tick's path:
    // the settings after a command that changes them, the place when the reader pauses,
    // leaves speed reading, opens another text or closes the window.
    void restoreKept();
    void keepSettings();
    // The exercise's place in its text among the kept places, and the settings written.
    void keepPlaceOf(const Exercise& exercise);
    // A session runs from entering an exercise to leaving it or closing the window.
    void beginSession();
    void endSession();
    // The session on screen as the record would have it, or nothing while it has shown nothing.
    std::optional<SessionRecord> sessionSoFar() const;
    void openRecord();

    StoredSettings kept_;
    std::string keptText_;  // the settings file as last read or written
    // The exercise whose session runs (null between sessions), and when it began.
    const Exercise* sessionExercise_ = nullptr;
    LocalTime sessionStart_;
};

}  // namespace tavori
