// Writable views of an App's exercise state, for tests that start from a state no short chain
// of commands reaches.
#pragma once

#include "shell/app.h"

namespace tavori {

struct AppStateAccess {
    static ShellState& shell(App& app) { return app.shell_; }
    static ReadingState& reading(App& app) { return app.exercise<ReadingExercise>().state(); }
    static ImagePracticeState& imagePractice(App& app) { return app.exercise<ImagePracticeExercise>().state(); }
    static MazeState& maze(App& app) { return app.exercise<MazeExercise>().state(); }
    static PuzzleState& puzzle(App& app) { return app.exercise<PuzzleExercise>().state(); }
};

}  // namespace tavori
