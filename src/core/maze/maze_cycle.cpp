// The maze's two-step cycle (a new maze, then its route) and the repaint.
#include "gfx/primitives.h"
#include "maze/maze.h"
#include "maze/maze_drawing.h"
#include "maze/maze_generation.h"
#include "maze/maze_solver.h"

namespace tavori {

std::int32_t makeAcceptedMaze(MazeState& maze, RandomGenerator& random) {
    for (std::int32_t made = 1; made <= kMaxMazeMakes; ++made) {
        resetMaze(maze);
        generateMaze(maze, random);
        solveAndPlaceTargets(maze, random);
        if (maze.mazeAccepted) {
            return made;
        }
    }
    return 0;
}

void stepMaze(MazeState& maze, Context& context) {
    if (!maze.mazeStepPending) {
        return;
    }
    maze.mazeStepPending = false;
    Canvas& canvas = context.window;
    const ShellState& shell = context.shell;
    if (!maze.mazeSolutionNext) {
        clearScreen(canvas, shell.clientWidth, shell.clientHeight);
        // A rejected maze is never drawn; should none be accepted, the next step tries again.
        if (makeAcceptedMaze(maze, context.random) == 0) {
            return;
        }
        const MazeGeometry geometry = mazeGeometry(maze, shell.clientWidth, shell.clientHeight);
        drawTargets(maze, canvas, geometry);
        drawMazeWalls(maze, canvas, geometry);
        maze.mazeSolutionNext = true;
        maze.drawnAtMilliseconds = context.platform.steadyMilliseconds();
        maze.solvedInMilliseconds = -1;
    } else {
        drawSolution(maze, canvas, mazeGeometry(maze, shell.clientWidth, shell.clientHeight));
        maze.mazeSolutionNext = false;
    }
}

void repaintMaze(MazeState& maze, Context& context, ClientSize clientSize) {
    Canvas& canvas = context.window;
    ShellState& shell = context.shell;
    clearScreen(canvas, shell.clientWidth, shell.clientHeight);
    shell.clientWidth = clientSize.width;
    shell.clientHeight = clientSize.height;
    const MazeGeometry geometry = mazeGeometry(maze, shell.clientWidth, shell.clientHeight);
    drawMazeWalls(maze, canvas, geometry);
    drawTargets(maze, canvas, geometry);
}

}  // namespace tavori
