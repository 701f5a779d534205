// The cost of a release that joins a chain of groups: the snap scan alone, and the whole drop
// with its black fill and fifteen tile copies onto a 1000 × 600 window.
#include <benchmark/benchmark.h>

#include "common/context.h"
#include "puzzle/puzzle.h"
#include "puzzle/tile_groups.h"
#include "support/fake_platform.h"

namespace tavori {
namespace {

// Every tile alone in its group and 10 px off its place in the picture, so a release of
// tile [0][0] joins all fifteen, each through a tile that joined earlier in the same scan.
TileTable scatteredChain() {
    TileTable tiles{};
    for (int row = 0; row < kTileRows; ++row) {
        for (int column = 0; column < kTileColumns; ++column) {
            tiles[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)] =
                Tile{100 + 110 * column, 100 + 110 * row, 100, 100, 100 * column, 100 * row, 100, 100,
                     6 * row + column};
        }
    }
    return tiles;
}

void snapScanJoiningAChain(benchmark::State& state) {
    const TileTable start = scatteredChain();
    for (auto _ : state) {
        TileTable tiles = start;
        snapGroupToNeighbours(tiles, tiles[0][0].group);
        layOutGroup(tiles, 0, 0);
        benchmark::DoNotOptimize(tiles);
    }
}
BENCHMARK(snapScanJoiningAChain);

void dropJoiningAChainWithRepaint(benchmark::State& state) {
    testing::FakePlatform platform(1000, 600);
    RandomGenerator random(1);
    ShellState shell;
    shell.currentMode = Mode::Puzzle;
    shell.clientWidth = 1000;
    shell.clientHeight = 600;
    Context context{platform, random, shell};
    PuzzleState puzzle;
    puzzle.puzzlePhase = PuzzlePhase::Playing;
    const TileTable start = scatteredChain();
    for (auto _ : state) {
        puzzle.tiles = start;
        grabTile(puzzle, context, 150, 150);
        dropTile(puzzle, context, 150, 150);
        benchmark::DoNotOptimize(puzzle.tiles);
    }
    state.counters["joined"] = puzzle.tiles[4][2].group == puzzle.tiles[0][0].group ? 1 : 0;
}
BENCHMARK(dropJoiningAChainWithRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tavori
