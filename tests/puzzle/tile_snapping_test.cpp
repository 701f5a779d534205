// Grabbing, dragging and dropping tiles: hit tests, group moves, snap bounds and chains.
#include <gtest/gtest.h>


#include "puzzle_fixture.h"
#include "shell/app.h"
#include "shell/menu.h"
#include "support/app_state_access.h"

namespace tavori {
namespace {

using testing::FakePlatform;
using testing::PuzzleFixture;

constexpr Colour kRed = rgb(255, 0, 0);

using TileDrop = PuzzleFixture;

TEST_F(TileDrop, TheWorkedExampleSnapsBesideTheLeftNeighbour) {
    place(0, 0, 180, 210);
    dragTileTo(1, 0, 300, 200);
    EXPECT_EQ(tile(1, 0).x, 280);
    EXPECT_EQ(tile(1, 0).y, 210);
    EXPECT_TRUE(joined(0, 0, 1, 0));
    EXPECT_EQ(tile(0, 0).group, 1);  // the neighbour takes the grabbed tile's id
    EXPECT_EQ(tile(0, 0).x, 180);
    EXPECT_FALSE(joined(1, 0, 2, 0));
}

TEST_F(TileDrop, FiftyPixelsApartSnapsFiftyOneDoesNotOnEverySide) {
    struct Case {
        int column, row;  // the dropped tile; its neighbour [1][1] lies at (500, 300)
        int x, y;         // where it is dropped
        bool snaps;
    };
    const Case cases[] = {
        {0, 1, 350, 300, true},  {0, 1, 349, 300, false},  // left of [1][1]: a 50 / 51 px gap
        {2, 1, 650, 300, true},  {2, 1, 651, 300, false},  // right of it
        {1, 0, 500, 150, true},  {1, 0, 500, 149, false},  // above it
        {1, 2, 500, 450, true},  {1, 2, 500, 451, false},  // below it
        // Edges overlapping by a full 100 px snap; by 101 the facing edges are past each other.
        {0, 1, 500, 300, true},  {0, 1, 501, 300, false},
        {2, 1, 500, 300, true},  {2, 1, 499, 300, false},
        {1, 0, 500, 300, true},  {1, 0, 500, 301, false},
        {1, 2, 500, 300, true},  {1, 2, 500, 299, false},
        // Offset across by 50 snaps, by 51 not, either way.
        {0, 1, 400, 350, true},  {0, 1, 400, 351, false},  {0, 1, 400, 250, true},  {0, 1, 400, 249, false},
        {1, 0, 550, 200, true},  {1, 0, 551, 200, false},  {1, 0, 450, 200, true},  {1, 0, 449, 200, false},
    };
    for (const Case& test : cases) {
        separateTiles();
        place(1, 1, 500, 300);
        dragTileTo(test.column, test.row, test.x, test.y);
        EXPECT_EQ(joined(test.column, test.row, 1, 1), test.snaps)
            << "[" << test.column << "][" << test.row << "] at " << test.x << "," << test.y;
        if (test.snaps) {
            EXPECT_EQ(tile(test.column, test.row).x, 500 + 100 * (test.column - 1));
            EXPECT_EQ(tile(test.column, test.row).y, 300 + 100 * (test.row - 1));
        } else {
            EXPECT_EQ(tile(test.column, test.row).x, test.x);
            EXPECT_EQ(tile(test.column, test.row).y, test.y);
        }
    }
}

TEST_F(TileDrop, OnlyTrueNeighboursSnap) {
    place(0, 0, 500, 300);
    // Where [1][0] would belong: a diagonal neighbour, a tile two columns on, and the tile
    // below [0][0] all stay apart.
    for (const auto& [column, row] : {std::pair{1, 1}, std::pair{2, 0}, std::pair{0, 1}}) {
        dropTileAt(column, row, 600, 300);
        EXPECT_FALSE(joined(column, row, 0, 0)) << column << "," << row;
        place(column, row, 2000 + 250 * column, 2000 + 250 * row);
    }
    // [0][1] to the right of [0][0] is on the wrong side.
    dropTileAt(0, 1, 600, 300);
    EXPECT_FALSE(joined(0, 1, 0, 0));
}

TEST_F(TileDrop, OneReleaseJoinsAChainOfGroups) {
    // [0][0] and [0][1] are already one group; [1][1] lies where only [0][1] reaches it.
    place(0, 0, 500, 300);
    place(0, 1, 500, 400);
    tile(0, 1).group = tile(0, 0).group;
    place(1, 1, 540, 400);
    dragTileTo(1, 0, 590, 310);
    for (const auto& [column, row] : {std::pair{0, 0}, std::pair{0, 1}, std::pair{1, 1}}) {
        EXPECT_TRUE(joined(column, row, 1, 0)) << column << "," << row;
    }
    // Laid out around the grabbed tile, which snapped beside [0][0].
    EXPECT_EQ(tile(1, 0).x, 600);
    EXPECT_EQ(tile(1, 0).y, 300);
    EXPECT_EQ(tile(1, 1).x, 600);
    EXPECT_EQ(tile(1, 1).y, 400);
    EXPECT_EQ(tile(0, 1).x, 500);
}

TEST_F(TileDrop, TheDropThatPutsThePictureBackWholeCountsItOnce) {
    // Every tile in place and one group but [1][0], which comes to its place after 42 steps.
    for (int row = 0; row < kTileRows; ++row) {
        for (int column = 0; column < kTileColumns; ++column) {
            place(column, row, 100 + 100 * column, 100 + 100 * row);
            tile(column, row).group = column == 1 && row == 0 ? 1 : 99;
        }
    }
    puzzle.stepsSinceScatter = 42;
    dragTileTo(1, 0, 700, 500);
    EXPECT_EQ(puzzle.puzzlesSolved, 0);
    dragTileTo(1, 0, 205, 95);
    EXPECT_EQ(puzzle.puzzlesSolved, 1);
    EXPECT_EQ(puzzle.solvingTicks, 42);
    dragTileTo(1, 0, 200, 100);
    EXPECT_EQ(puzzle.puzzlesSolved, 1);
}

TEST_F(TileDrop, ANeighbourOfAnotherTileInTheGroupComesToTheGroup) {
    // Group {[0][0], [1][0]}; [2][0] lies beside [1][0]; [0][0] is grabbed.
    place(0, 0, 100, 100);
    place(1, 0, 200, 100);
    tile(1, 0).group = tile(0, 0).group;
    place(2, 0, 330, 120);
    dragTileTo(0, 0, 100, 100);
    EXPECT_TRUE(joined(2, 0, 0, 0));
    EXPECT_EQ(tile(0, 0).x, 100);
    EXPECT_EQ(tile(1, 0).x, 200);
    EXPECT_EQ(tile(1, 0).y, 100);
    EXPECT_EQ(tile(2, 0).x, 300);
    EXPECT_EQ(tile(2, 0).y, 100);
}

TEST_F(TileDrop, DraggingOneTileMovesItsWholeGroupInPictureOrder) {
    place(1, 1, 300, 300);
    place(2, 1, 400, 300);
    place(1, 2, 300, 400);
    tile(2, 1).group = tile(1, 1).group;
    tile(1, 2).group = tile(1, 1).group;
    grabTile(puzzle, context, 420, 330);  // on [2][1], 20 and 30 px into it
    ASSERT_EQ(puzzle.grabbedColumn, 2);
    dragTile(puzzle, context, 50, 10);
    EXPECT_EQ(tile(2, 1).x, 30);
    EXPECT_EQ(tile(2, 1).y, -20);
    EXPECT_EQ(tile(1, 1).x, -70);  // outside the client area, still in place in the group
    EXPECT_EQ(tile(1, 1).y, -20);
    EXPECT_EQ(tile(1, 2).x, -70);
    EXPECT_EQ(tile(1, 2).y, 80);
    EXPECT_EQ(tile(0, 0).x, 2000);  // other groups stay
}

TEST(PuzzleRelease, WithoutAMoveStillSnaps) {
    FakePlatform platform;
    App app(platform, AppConfig{5, ""});
    app.startUp();
    app.command(CommandId::Puzzle);
    auto& tiles = AppStateAccess::puzzle(app).tiles;
    tiles[0][0].x = 100;
    tiles[0][0].y = 100;
    tiles[1][0].x = 210;
    tiles[1][0].y = 90;
    for (const auto& [column, row] : {std::pair{2, 0}, std::pair{1, 1}, std::pair{0, 1}}) {
        tiles[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)].x = 3000;
    }
    app.mouseDown(250, 150);
    ASSERT_EQ(app.puzzle().grabbedColumn, 1);
    app.mouseUp(250, 150);
    EXPECT_EQ(tiles[1][0].group, tiles[0][0].group);
    EXPECT_EQ(tiles[1][0].x, 200);
    EXPECT_EQ(tiles[1][0].y, 100);
    EXPECT_FALSE(app.puzzle().buttonDown);
    EXPECT_TRUE(app.puzzle().tileGrabbed);  // not cleared by the release
}

TEST(PuzzleRelease, FarOutsideTheWindowStillDrops) {
    FakePlatform platform;
    App app(platform, AppConfig{5, ""});
    app.startUp();
    app.command(CommandId::Puzzle);
    auto& tiles = AppStateAccess::puzzle(app).tiles;
    tiles[0][0].x = 100;
    tiles[0][0].y = 100;
    tiles[1][0].x = 4000;
    tiles[1][0].y = 4000;
    app.mouseDown(4000, 4000);
    app.mouseMove(-3000, 70000);
    app.mouseMove(200, 100);
    app.mouseUp(-3000, 70000);  // where it is released plays no part
    EXPECT_EQ(tiles[1][0].group, tiles[0][0].group);
    EXPECT_EQ(tiles[1][0].x, 200);
    EXPECT_FALSE(app.puzzle().buttonDown);
}

using TileGrab = PuzzleFixture;

TEST_F(TileGrab, BoundsAreInclusiveOver101Pixels) {
    place(3, 2, 300, 200);
    for (const auto& [x, y] : {std::pair{300, 200}, std::pair{400, 300}, std::pair{400, 200}}) {
        grabTile(puzzle, context, x, y);
        EXPECT_TRUE(puzzle.tileGrabbed) << x << "," << y;
        EXPECT_EQ(puzzle.grabbedColumn, 3);
        EXPECT_EQ(puzzle.grabbedRow, 2);
        EXPECT_EQ(puzzle.grabOffsetX, 300 - x);
        EXPECT_EQ(puzzle.grabOffsetY, 200 - y);
    }
    for (const auto& [x, y] : {std::pair{299, 250}, std::pair{401, 250}, std::pair{350, 199}, std::pair{350, 301}}) {
        grabTile(puzzle, context, x, y);
        EXPECT_FALSE(puzzle.tileGrabbed) << x << "," << y;
        EXPECT_EQ(puzzle.grabbedColumn, -1);
        EXPECT_EQ(puzzle.grabbedRow, -1);
    }
}

TEST_F(TileGrab, WhereTilesOverlapThePressTakesTheLowerOne) {
    // [0][1] is painted over [4][0], yet the press takes [4][0], the first in paint order.
    place(4, 0, 100, 100);
    place(0, 1, 120, 120);
    grabTile(puzzle, context, 150, 150);
    EXPECT_EQ(puzzle.grabbedColumn, 4);
    EXPECT_EQ(puzzle.grabbedRow, 0);
}

TEST_F(TileGrab, APressOnNoTileMakesMovesAndReleasesDoNothing) {
    platform.window().fillRect(0, 0, 1000, 600, kRed);
    const TileTable before = puzzle.tiles;
    grabTile(puzzle, context, 10, 10);
    ASSERT_FALSE(puzzle.tileGrabbed);
    dragTile(puzzle, context, 500, 500);
    EXPECT_EQ(platform.window().countPixels(0, 0, 1000, 600, kRed), 1000 * 600);
    // A stale flag without a grabbed index is harmless too.
    puzzle.tileGrabbed = true;
    dropTile(puzzle, context, 0, 0);
    dragTile(puzzle, context, 0, 0);
    for (int column = 0; column < 5; ++column) {
        for (int row = 0; row < 3; ++row) {
            EXPECT_EQ(tile(column, row).x, before[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)].x);
        }
    }
}

TEST_F(TileGrab, ADragFillsTheClientAreaBlackThenDrawsTheTiles) {
    platform.work().fillRect(0, 0, 500, 300, kBlue);
    platform.window().fillRect(0, 0, 1000, 600, kRed);
    place(2, 2, 10, 10);
    grabTile(puzzle, context, 10, 10);
    dragTile(puzzle, context, 300, 200);
    EXPECT_EQ(platform.window().countPixels(0, 0, 1000, 600, kRed), 0);
    EXPECT_EQ(platform.window().countPixels(300, 200, 400, 300, kBlue), 100 * 100);
    EXPECT_EQ(platform.window().countPixels(0, 0, 1000, 600, kBlue), 100 * 100);
    // The drop repaints the same way.
    platform.window().fillRect(0, 0, 1000, 600, kRed);
    dropTile(puzzle, context, 300, 200);
    EXPECT_EQ(platform.window().countPixels(0, 0, 1000, 600, kRed), 0);
    EXPECT_EQ(platform.window().countPixels(300, 200, 400, 300, kBlue), 100 * 100);
}

}  // namespace
}  // namespace tavori
