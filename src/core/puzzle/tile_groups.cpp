// Groups as shared ids in the tile table; a snap tries the left, upper, right and lower neighbour
// in turn, each within inclusive bounds of overlap, gap and offset across.
#include "puzzle/tile_groups.h"

#include <map>

#include "puzzle/tile_coordinates.h"

namespace tavori {

namespace {

// How far the facing edges may overlap, how far apart they may stand, and how far the tiles
// may be offset across, for a snap.
constexpr int kSnapOverlap = 100;
constexpr int kSnapGap = 50;
constexpr int kSnapAcross = 50;

Tile& tileAt(TileTable& tiles, int column, int row) {
    return tiles[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)];
}

// The tile is pulled to (x, y) and the neighbour's group becomes the tile's.
void snapAndJoin(TileTable& tiles, Tile& tile, const Tile& neighbour, int x, int y) {
    tile.x = x;
    tile.y = y;
    joinGroup(tiles, neighbour.group, tile.group);
}

void checkLeft(TileTable& tiles, Tile& tile, int column, int row) {
    if (column == 0) return;
    const Tile& left = tileAt(tiles, column - 1, row);
    const int facingEdge = left.x + left.width;
    if (left.group != tile.group && inclusiveBetween(facingEdge - kSnapOverlap, tile.x, facingEdge + kSnapGap) &&
        inclusiveBetween(left.y - kSnapAcross, tile.y, left.y + kSnapAcross)) {
        snapAndJoin(tiles, tile, left, facingEdge, left.y);
    }
}

void checkUp(TileTable& tiles, Tile& tile, int column, int row) {
    if (row == 0) return;
    const Tile& above = tileAt(tiles, column, row - 1);
    const int facingEdge = above.y + above.height;
    if (above.group != tile.group && inclusiveBetween(facingEdge - kSnapOverlap, tile.y, facingEdge + kSnapGap) &&
        inclusiveBetween(above.x - kSnapAcross, tile.x, above.x + kSnapAcross)) {
        snapAndJoin(tiles, tile, above, above.x, facingEdge);
    }
}

void checkRight(TileTable& tiles, Tile& tile, int column, int row) {
    if (column == kTileColumns - 1) return;
    const Tile& right = tileAt(tiles, column + 1, row);
    const int facingEdge = tile.x + tile.width;
    if (right.group != tile.group &&
        inclusiveBetween(right.x - kSnapGap, facingEdge, right.x + kSnapOverlap) &&
        inclusiveBetween(right.y - kSnapAcross, tile.y, right.y + kSnapAcross)) {
        snapAndJoin(tiles, tile, right, right.x - tile.width, right.y);
    }
}

void checkDown(TileTable& tiles, Tile& tile, int column, int row) {
    if (row == kTileRows - 1) return;
    const Tile& below = tileAt(tiles, column, row + 1);
    const int facingEdge = tile.y + tile.height;
    if (below.group != tile.group &&
        inclusiveBetween(below.y - kSnapGap, facingEdge, below.y + kSnapOverlap) &&
        inclusiveBetween(below.x - kSnapAcross, tile.x, below.x + kSnapAcross)) {
        snapAndJoin(tiles, tile, below, below.x, below.y - tile.height);
    }
}

}  // namespace

void joinGroup(TileTable& tiles, std::int32_t oldId, std::int32_t newId) {
    for (auto& column : tiles) {
        for (Tile& tile : column) {
            if (tile.group == oldId) {
                tile.group = newId;
            }
        }
    }
}

void layOutGroup(TileTable& tiles, int grabbedColumn, int grabbedRow) {
    const Tile grabbed = tileAt(tiles, grabbedColumn, grabbedRow);
    for (int row = 0; row < kTileRows; ++row) {
        for (int column = 0; column < kTileColumns; ++column) {
            Tile& tile = tileAt(tiles, column, row);
            if (tile.group == grabbed.group) {
                tile.x = grabbed.x + (column - grabbedColumn) * tile.width;
                tile.y = grabbed.y + (row - grabbedRow) * tile.height;
            }
        }
    }
}

void snapGroupToNeighbours(TileTable& tiles, std::int32_t group) {
    for (int row = 0; row < kTileRows; ++row) {
        for (int column = 0; column < kTileColumns; ++column) {
            Tile& tile = tileAt(tiles, column, row);
            if (tile.group != group) {
                continue;
            }
            // In this order, each against the positions as the earlier checks left them.
            checkLeft(tiles, tile, column, row);
            checkUp(tiles, tile, column, row);
            checkRight(tiles, tile, column, row);
            checkDown(tiles, tile, column, row);
        }
    }
}

int joinedTileCount(const TileTable& tiles) {
    std::map<std::int32_t, int> groupSizes;
    for (const auto& column : tiles) {
        for (const Tile& tile : column) {
            ++groupSizes[tile.group];
        }
    }
    int joined = 0;
    for (const auto& [group, size] : groupSizes) {
        joined += size > 1 ? size : 0;
    }
    return joined;
}

}  // namespace tavori
