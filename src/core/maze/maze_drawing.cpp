// The cell size from the client height, walls wiped then drawn side by side, target squares
// inset by 3 pixels, and the route as half-lines from each cell's centre.
#include "maze/maze_drawing.h"

#include "gfx/primitives.h"

namespace tavori {

namespace {

// A target's square lies this far inside its cell on every side.
constexpr int kTargetInset = 3;

}  // namespace

bool MazeGeometry::insideMazeRectangle(const MazeState& maze, int x, int y) const {
    return mazeLeft + cellSize < x && x < mazeLeft + maze.mazeWidth * cellSize &&
           3 * cellSize < y && y < (maze.mazeHeight + 2) * cellSize;
}

bool MazeGeometry::insideCell(int cellX, int cellY, int x, int y) const {
    return cellLeft(cellX) < x && x < cellLeft(cellX + 1) && cellTop(cellY) < y &&
           y < cellTop(cellY + 1);
}

MazeGeometry mazeGeometry(const MazeState& maze, std::int32_t clientWidth, std::int32_t clientHeight) {
    MazeGeometry geometry;
    geometry.cellSize = clientHeight / (maze.mazeHeight + 4);
    geometry.mazeLeft = (clientWidth - maze.mazeWidth * geometry.cellSize) / 2;
    return geometry;
}

void drawMazeWalls(const MazeState& maze, Canvas& canvas, const MazeGeometry& geometry) {
    const int size = geometry.cellSize;
    for (const bool wipe : {true, false}) {
        forEachMazeCell(maze, [&](int x, int y) {
            const int left = geometry.cellLeft(x);
            const int top = geometry.cellTop(y);
            const CellSides& walls = maze.wallGrid(x, y);
            // The wipe blacks out all four sides; the second pass draws the walls present.
            const Colour colour = wipe ? kMazeErasedColour : kMazeWallColour;
            if (wipe || walls.up == 1) {
                drawLine(canvas, left, top, left + size, top, colour);
            }
            if (wipe || walls.down == 1) {
                drawLine(canvas, left, top + size, left + size, top + size, colour);
            }
            if (wipe || walls.left == 1) {
                drawLine(canvas, left, top, left, top + size, colour);
            }
            if (wipe || walls.right == 1) {
                drawLine(canvas, left + size, top, left + size, top + size, colour);
            }
        });
    }
}

void fillTargetSquare(Canvas& canvas, const MazeGeometry& geometry, int x, int y, Colour colour) {
    fillBox(canvas, geometry.cellLeft(x) + kTargetInset, geometry.cellTop(y) + kTargetInset,
            geometry.cellLeft(x + 1) - kTargetInset, geometry.cellTop(y + 1) - kTargetInset, colour);
}

void drawTargets(const MazeState& maze, Canvas& canvas, const MazeGeometry& geometry) {
    forEachMazeCell(maze, [&](int x, int y) {
        if (isTarget(maze, x, y)) {
            fillTargetSquare(canvas, geometry, x, y, kTargetColour);
        }
    });
}

void drawSolution(const MazeState& maze, Canvas& canvas, const MazeGeometry& geometry) {
    // With an odd cellSize the half-lines toward the right and bottom end 1 pixel inside the
    // cell, as twice the truncated half falls short of the edge.
    const int half = geometry.cellSize / 2;
    // All in one colour, so the order of the cells does not show.
    forEachMazeCell(maze, [&](int x, int y) {
        const CellSides& path = maze.pathGrid(x, y);
        const int left = geometry.cellLeft(x);
        const int top = geometry.cellTop(y);
        const int centreX = left + half;
        const int centreY = top + half;
        if (path.down == 1) {
            drawLine(canvas, centreX, centreY, centreX, top + 2 * half, kRouteColour);
        }
        if (path.up == 1) {
            drawLine(canvas, centreX, centreY, centreX, top, kRouteColour);
        }
        if (path.left == 1) {
            drawLine(canvas, centreX, centreY, left, centreY, kRouteColour);
        }
        if (path.right == 1) {
            drawLine(canvas, centreX, centreY, left + 2 * half, centreY, kRouteColour);
        }
    });
}

}  // namespace tavori
