// The maze exercise's entry points: the step of its cycle, the repaint and the click.
#pragma once

#include <cstdint>

#include "common/context.h"
#include "maze/maze_state.h"

namespace tavori {

// Whole mazes the step makes, at most, before it gives up drawing one. At sizes 9 and 11 about
// one maze in 400 is rejected, so a hundred in a row never happens; only a maze too small for
// its targets (2 × 2 cells) runs out, and must not make the step spin for ever.
inline constexpr std::int32_t kMaxMazeMakes = 100;

// resetMaze, generateMaze and solveAndPlaceTargets until a maze is accepted. Returns the
// number of mazes made, or 0 when none of kMaxMazeMakes was accepted.
std::int32_t makeAcceptedMaze(MazeState& maze, RandomGenerator& random);

// New maze or its route, as mazeStepPending and mazeSolutionNext say.
void stepMaze(MazeState& maze, Context& context);
// Clears with the stored client size, stores `clientSize` (read afresh by the caller), redraws
// walls and targets. The route and the marks' colour are not redrawn.
void repaintMaze(MazeState& maze, Context& context, ClientSize clientSize);

// Sets markCount to the number of marked maze cells.
void countMarks(MazeState& maze);
// Whether the marked cells on the route number exactly three.
bool isSolved(const MazeState& maze);
// A left-button press in the maze mode at client point (x, y), any value; may move the cycle
// on (one stepMaze) by itself.
void mazeClick(MazeState& maze, Context& context, int x, int y);

}  // namespace tavori
