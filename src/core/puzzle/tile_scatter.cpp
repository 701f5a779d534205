// One draw per axis and tile, x then y, row by row, taken modulo the room on that axis; each tile
// gets a group id of its own.
#include "puzzle/tile_scatter.h"

namespace tavori {

namespace {

// One draw placed within 0 .. extent − 101; 0 when the extent leaves no room.
std::int32_t scatteredEdge(RandomGenerator& random, std::int32_t clientExtent) {
    const int draw = random.next();
    if (clientExtent <= kTileSize) {
        return 0;
    }
    return draw % (clientExtent - kTileSize);
}

}  // namespace

void scatterTiles(TileTable& tiles, RandomGenerator& random, std::int32_t clientWidth,
                  std::int32_t clientHeight) {
    for (int row = 0; row < kTileRows; ++row) {
        for (int column = 0; column < kTileColumns; ++column) {
            Tile& tile = tiles[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)];
            tile.x = scatteredEdge(random, clientWidth);
            tile.y = scatteredEdge(random, clientHeight);
            tile.width = kTileSize;
            tile.height = kTileSize;
            tile.srcX = kTileSize * column;
            tile.srcY = kTileSize * row;
            tile.srcWidth = kTileSize;
            tile.srcHeight = kTileSize;
            // Ids 0..4, 6..10, 12..16: every tile starts alone.
            tile.group = 6 * row + column;
        }
    }
}

}  // namespace tavori
