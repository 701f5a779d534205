// The maze exercise: generation, route and targets, drawing, the solution cycle and marking.
#include "maze/maze.h"

namespace tavori {

void stepMaze(MazeState& maze, Context& /*context*/) {
    if (!maze.mazeStepPending) {
        return;
    }
    maze.mazeSolutionNext = !maze.mazeSolutionNext;
    maze.mazeStepPending = false;
}

void repaintMaze(MazeState& /*maze*/, Context& context) {
    const ClientSize size = context.platform.clientSize();
    context.shell.clientWidth = size.width;
    context.shell.clientHeight = size.height;
}

void mazeClick(MazeState& /*maze*/, Context& /*context*/, int /*x*/, int /*y*/) {}

}  // namespace tavori
