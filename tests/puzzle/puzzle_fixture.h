// A puzzle over the fake platform with a seeded generator, and helpers to lay tiles out by hand.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "common/context.h"
#include "puzzle/puzzle.h"
#include "support/fake_platform.h"

namespace tavori::testing {

class PuzzleFixture : public ::testing::Test {
protected:
    static constexpr std::uint32_t kSeed = 12345;

    PuzzleFixture() : random(kSeed), context{platform, random, shell} {
        shell.currentMode = Mode::Puzzle;
        shell.clientWidth = 1000;
        shell.clientHeight = 600;
        separateTiles();
    }

    Tile& tile(int column, int row) {
        return puzzle.tiles[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)];
    }

    // Every tile alone in its group, 250 px from its picture neighbours: too far for any snap.
    void separateTiles() {
        for (int row = 0; row < kTileRows; ++row) {
            for (int column = 0; column < kTileColumns; ++column) {
                tile(column, row) = Tile{2000 + 250 * column, 2000 + 250 * row, 100, 100,
                                         100 * column, 100 * row, 100, 100, 6 * row + column};
            }
        }
        puzzle.puzzlePhase = PuzzlePhase::Playing;
    }

    void place(int column, int row, int x, int y) {
        tile(column, row).x = x;
        tile(column, row).y = y;
    }

    // Press in the middle of the tile, move so its corner lands on (x, y), release.
    void dragTileTo(int column, int row, int x, int y) {
        const Tile& moved = tile(column, row);
        grabTile(puzzle, context, moved.x + 50, moved.y + 50);
        ASSERT_TRUE(puzzle.tileGrabbed);
        ASSERT_EQ(puzzle.grabbedColumn, column);
        ASSERT_EQ(puzzle.grabbedRow, row);
        dragTile(puzzle, context, x + 50, y + 50);
        dropTile(puzzle, context, x + 50, y + 50);
    }

    // Puts the tile at (x, y) and presses and releases on it without a move.
    void dropTileAt(int column, int row, int x, int y) {
        place(column, row, x, y);
        grabTile(puzzle, context, x + 1, y + 1);
        ASSERT_EQ(puzzle.grabbedColumn, column);
        ASSERT_EQ(puzzle.grabbedRow, row);
        dropTile(puzzle, context, x + 1, y + 1);
    }

    bool joined(int column1, int row1, int column2, int row2) {
        return tile(column1, row1).group == tile(column2, row2).group;
    }

    void writePuzzleFile(std::string content) {
        platform.addFile(platform.besideExecutable("pa.dat"), std::move(content));
    }

    FakePlatform platform;
    RandomGenerator random;
    ShellState shell;
    Context context;
    PuzzleState puzzle;
};

}  // namespace tavori::testing
