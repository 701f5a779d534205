// Putting the maze on the window: geometry, walls, targets and the route.
#pragma once

#include <cstdint>

#include "common/canvas.h"
#include "common/colour.h"
#include "maze/maze_state.h"

namespace tavori {

inline constexpr Colour kMazeErasedColour = rgb(0, 0, 0);
inline constexpr Colour kMazeWallColour = rgb(0, 255, 0);
inline constexpr Colour kTargetColour = rgb(32, 0, 0);        // a very dark red
inline constexpr Colour kMarkedTargetColour = rgb(0, 0, 64);  // a dark blue
inline constexpr Colour kRouteColour = rgb(0, 0, 255);

// Where the maze lies in the client area, computed afresh for every drawing and every click.
struct MazeGeometry {
    std::int32_t cellSize = 0;  // clientHeight div (mazeHeight + 4)
    std::int32_t mazeLeft = 0;  // (clientWidth − mazeWidth × cellSize) div 2

    // Top-left corner of cell (x, y)'s square; the square is cellSize wide and high.
    int cellLeft(int x) const { return mazeLeft + x * cellSize; }
    int cellTop(int y) const { return (y + 2) * cellSize; }

    // Strictly inside the maze's outer wall.
    bool insideMazeRectangle(const MazeState& maze, int x, int y) const;
    // Strictly inside cell (cellX, cellY)'s square: a point on a grid line is in no cell.
    bool insideCell(int cellX, int cellY, int x, int y) const;
};

// The maze's geometry for a client area. Sizes are 0 … 65535 as App holds them, so no
// product of a coordinate overflows.
MazeGeometry mazeGeometry(const MazeState& maze, std::int32_t clientWidth, std::int32_t clientHeight);

// Wipes every side of every maze cell in black, then draws the walls in green.
void drawMazeWalls(const MazeState& maze, Canvas& canvas, const MazeGeometry& geometry);
// Fills every target's square in the not-marked colour; marks are not looked at.
void drawTargets(const MazeState& maze, Canvas& canvas, const MazeGeometry& geometry);
// Draws the route: from each route cell's centre a half-line toward each side it passes.
void drawSolution(const MazeState& maze, Canvas& canvas, const MazeGeometry& geometry);
// Fills cell (x, y)'s target square, inset by 3 pixels, in `colour`.
void fillTargetSquare(Canvas& canvas, const MazeGeometry& geometry, int x, int y, Colour colour);

}  // namespace tavori
