// The status line below the exercise area: what the exercise on screen says of the reader's
// practice, in one line of Japanese with half-width figures.
#pragma once

#include <cstdint>
#include <string>

#include "common/context.h"
#include "imagepractice/image_practice.h"
#include "maze/maze.h"
#include "puzzle/puzzle.h"
#include "reading/reading.h"

namespace tavori {

struct StatusSources {
    const ShellState& shell;
    const ReadingState& reading;
    const ImagePracticeState& imagePractice;
    const MazeState& maze;
    const PuzzleState& puzzle;
};

// The line for the exercise on screen, in UTF-8.
std::string composeStatusLine(const StatusSources& sources);

}  // namespace tavori
