// The maze exercise: generation, route and targets, drawing, the solution cycle and marking.
#pragma once

#include <cstdint>

#include "common/context.h"

namespace tavori {

struct MazeState {
    std::int32_t mazeWidth = 11;
    std::int32_t mazeHeight = 11;
    bool mazeStepPending = false;
    bool mazeSolutionNext = false;
};

// New maze or its route, as mazeStepPending and mazeSolutionNext say.
void stepMaze(MazeState& maze, Context& context);
// Clears with the stored client size, reads the client size again, redraws walls and targets.
void repaintMaze(MazeState& maze, Context& context);
// A left-button press in the maze mode; may move the cycle on (one stepMaze) by itself.
void mazeClick(MazeState& maze, Context& context, int x, int y);

}  // namespace tavori
