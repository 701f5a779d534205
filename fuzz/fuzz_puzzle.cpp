// Fuzzes the puzzle: a sentence file set up into tiles at a client size from the input (tiny and
// huge ones included), then presses, moves and releases from the input, checking the tile table.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "common/context.h"
#include "common/input_bounds.h"
#include "puzzle/puzzle.h"
#include "support/fake_platform.h"

namespace {

void check(bool holds) {
    if (!holds) __builtin_trap();
}

int clientExtent(FuzzedDataProvider& input, int usual) {
    switch (input.ConsumeIntegralInRange(0, 7)) {
        case 0: return input.ConsumeIntegralInRange(0, 101);  // no room to scatter
        case 1: return input.ConsumeIntegralInRange(0, 65535);  // anything a window can be
        default: return input.ConsumeIntegralInRange(0, usual);
    }
}

// Held as App holds every pointer before the puzzle sees it.
int pointer(FuzzedDataProvider& input, int extent) {
    switch (input.ConsumeIntegralInRange(0, 7)) {
        case 0: return tavori::heldPointer(input.ConsumeIntegral<std::int32_t>());  // any int at all
        case 1: return input.ConsumeIntegral<std::int16_t>();  // what a window message carries
        default: return input.ConsumeIntegralInRange(-20, extent + 20);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavori;
    static testing::FakePlatform platform(16, 12);  // small, so drawing is clipped and cheap
    FuzzedDataProvider input(data, size);
    ShellState shell;
    shell.currentMode = Mode::Puzzle;
    shell.clientWidth = clientExtent(input, 600);
    shell.clientHeight = clientExtent(input, 400);
    RandomGenerator random(input.ConsumeIntegral<std::uint32_t>());
    const int events = input.ConsumeIntegralInRange(0, 40);
    std::string actions = input.ConsumeBytesAsString(static_cast<std::size_t>(events) * 12);
    platform.addFile(platform.besideExecutable("pa.dat"), input.ConsumeRemainingBytesAsString());

    Context context{platform, random, shell};
    PuzzleState puzzle;
    stepPuzzle(puzzle, context);
    check(puzzle.puzzlePhase == PuzzlePhase::Playing);
    check(puzzle.puzzleLine.size() <= kPuzzleLineLimit && puzzle.puzzleText.size() <= kPuzzleTextLimit);
    FuzzedDataProvider actionInput(reinterpret_cast<const std::uint8_t*>(actions.data()), actions.size());
    bool buttonDown = false;
    for (int event = 0; event < events && actionInput.remaining_bytes() > 0; ++event) {
        const int kind = actionInput.ConsumeIntegralInRange(0, 3);
        const int x = pointer(actionInput, shell.clientWidth);
        const int y = pointer(actionInput, shell.clientHeight);
        // Routed as the shell routes them: moves and releases only while the button is down.
        if (kind == 0) {
            buttonDown = true;
            grabTile(puzzle, context, x, y);
        } else if (kind == 1 && buttonDown) {
            dragTile(puzzle, context, x, y);
        } else if (kind == 2 && buttonDown) {
            if (puzzle.tileGrabbed) dropTile(puzzle, context, x, y);
            buttonDown = false;
        } else {
            stepPuzzle(puzzle, context);
        }
        // Every tile keeps its piece of the picture and its size; groups are ids of tiles.
        for (int column = 0; column < kTileColumns; ++column) {
            for (int row = 0; row < kTileRows; ++row) {
                const Tile& tile = puzzle.tiles[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)];
                check(tile.srcX == kTileSize * column && tile.srcY == kTileSize * row);
                check(tile.width == kTileSize && tile.height == kTileSize);
                check(tile.group >= 0 && tile.group <= 6 * (kTileRows - 1) + kTileColumns - 1);
            }
        }
        // Tiles of one group keep their picture offsets from each other.
        for (int a = 0; a < kTileColumns * kTileRows; ++a) {
            for (int b = a + 1; b < kTileColumns * kTileRows; ++b) {
                const Tile& first = puzzle.tiles[static_cast<std::size_t>(a % kTileColumns)][static_cast<std::size_t>(a / kTileColumns)];
                const Tile& second = puzzle.tiles[static_cast<std::size_t>(b % kTileColumns)][static_cast<std::size_t>(b / kTileColumns)];
                if (first.group == second.group) {
                    check(std::int64_t{second.x} - first.x == std::int64_t{second.srcX} - first.srcX);
                    check(std::int64_t{second.y} - first.y == std::int64_t{second.srcY} - first.srcY);
                }
            }
        }
    }
    platform.window().clearTextRuns();
    platform.work().clearTextRuns();
    return 0;
}
