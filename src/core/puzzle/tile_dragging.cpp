// Press, move and release in the puzzle: grabbing a tile, carrying its group, snapping it.
#include <algorithm>

#include "gfx/primitives.h"
#include "puzzle/puzzle.h"
#include "puzzle/tile_coordinates.h"
#include "puzzle/tile_drawing.h"
#include "puzzle/tile_groups.h"

namespace tavori {

namespace {

// A drop that joins the last two groups puts the picture back whole: counted once per puzzle.
void countIfPutBackWhole(PuzzleState& puzzle) {
    const TileTable& tiles = puzzle.tiles;
    const bool whole = std::all_of(tiles.begin(), tiles.end(), [&tiles](const auto& column) {
        return std::all_of(column.begin(), column.end(), [&tiles](const Tile& tile) { return tile.group == tiles[0][0].group; });
    });
    if (whole && !puzzle.solvedCounted) {
        puzzle.solvedCounted = true;
        ++puzzle.puzzlesSolved;
        puzzle.solvingTicks += puzzle.stepsSinceScatter;
    }
}

bool grabbedTileExists(const PuzzleState& puzzle) {
    return puzzle.tileGrabbed && puzzle.grabbedColumn >= 0 && puzzle.grabbedColumn < kTileColumns &&
           puzzle.grabbedRow >= 0 && puzzle.grabbedRow < kTileRows;
}

Tile& grabbedTile(PuzzleState& puzzle) {
    return puzzle.tiles[static_cast<std::size_t>(puzzle.grabbedColumn)]
                       [static_cast<std::size_t>(puzzle.grabbedRow)];
}

// The whole client area black, then every tile; drawn straight onto the window.
void repaintTiles(const PuzzleState& puzzle, Context& context) {
    Canvas& window = context.window;
    fillBox(window, 0, 0, context.shell.clientWidth, context.shell.clientHeight, kBlack);
    drawTiles(window, context.workBitmap, puzzle.tiles);
}

}  // namespace

void grabTile(PuzzleState& puzzle, Context& /*context*/, int x, int y) {
    puzzle.grabbedColumn = -1;
    puzzle.grabbedRow = -1;
    // Paint order, so of overlapping tiles the lowest is taken. Bounds are inclusive: a tile
    // answers over 101 × 101 pixels.
    for (int row = 0; row < kTileRows; ++row) {
        for (int column = 0; column < kTileColumns; ++column) {
            const Tile& tile = puzzle.tiles[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)];
            if (inclusiveBetween(tile.x, x, tile.x + tile.width) &&
                inclusiveBetween(tile.y, y, tile.y + tile.height)) {
                puzzle.grabbedColumn = column;
                puzzle.grabbedRow = row;
                puzzle.grabOffsetX = tile.x - x;
                puzzle.grabOffsetY = tile.y - y;
                puzzle.tileGrabbed = true;
                return;
            }
        }
    }
    puzzle.tileGrabbed = false;
}

void dragTile(PuzzleState& puzzle, Context& context, int x, int y) {
    if (!grabbedTileExists(puzzle)) {
        return;
    }
    Tile& grabbed = grabbedTile(puzzle);
    grabbed.x = x + puzzle.grabOffsetX;
    grabbed.y = y + puzzle.grabOffsetY;
    layOutGroup(puzzle.tiles, puzzle.grabbedColumn, puzzle.grabbedRow);
    repaintTiles(puzzle, context);
}

void dropTile(PuzzleState& puzzle, Context& context, int /*x*/, int /*y*/) {
    if (!grabbedTileExists(puzzle)) {
        return;
    }
    snapGroupToNeighbours(puzzle.tiles, grabbedTile(puzzle).group);
    // Around the grabbed tile as it now stands: tiles of the group that snapped elsewhere go
    // back to their places, and the neighbours they joined come to the group.
    layOutGroup(puzzle.tiles, puzzle.grabbedColumn, puzzle.grabbedRow);
    repaintTiles(puzzle, context);
    countIfPutBackWhole(puzzle);
}

}  // namespace tavori
