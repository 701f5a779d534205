// The set-up step: the sentence painted into the work bitmap, the scatter and its draws, and
// the tiles drawn at every later step.
#include <gtest/gtest.h>

#include <limits>

#include "puzzle/tile_drawing.h"
#include "puzzle/tile_scatter.h"
#include "puzzle_fixture.h"
#include "shell/app.h"
#include "shell/menu.h"

namespace tavori {
namespace {

using testing::FakePlatform;
using testing::PuzzleFixture;

constexpr Colour kRed = rgb(255, 0, 0);

// Five full-width characters: あいうえお, 10 bytes.
const std::string kFiveCharacters = "\x82\xA0\x82\xA2\x82\xA4\x82\xA6\x82\xA8";

class PuzzleSetUp : public PuzzleFixture {
protected:
    void setUp() {
        puzzle.puzzlePhase = PuzzlePhase::SetUpDue;
        stepPuzzle(puzzle, context);
    }
};

TEST_F(PuzzleSetUp, GlyphsAreSizedToTheLineAndTheRestOfTheBitmapKeepsItsContents) {
    platform.work().fillRect(0, 0, 500, 400, kRed);
    writePuzzleFile(kFiveCharacters + "\r\n");
    setUp();
    const auto& runs = platform.work().textRuns();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].bytes, kFiveCharacters);
    EXPECT_EQ(runs[0].x, 0);
    EXPECT_EQ(runs[0].y, 0);
    EXPECT_EQ(runs[0].cellHeight, 300);
    EXPECT_EQ(runs[0].charWidth, 49);  // 500 ÷ 10 − 1
    EXPECT_EQ(runs[0].foreground, kWhite);
    EXPECT_EQ(runs[0].background, Colour{0x00FF0000});
    // 490 × 300 painted (blue cells with a white mark each); the strip from 490 and the rows
    // below 300 keep what they held.
    EXPECT_EQ(platform.work().countPixels(0, 0, 490, 300, kRed), 0);
    EXPECT_EQ(platform.work().countPixels(0, 0, 490, 300, kBlue), 490 * 300 - 5);
    EXPECT_EQ(platform.work().countPixels(490, 0, 500, 400, kRed), 10 * 400);
    EXPECT_EQ(platform.work().countPixels(0, 300, 500, 400, kRed), 500 * 100);
}

TEST_F(PuzzleSetUp, AnEmptyOrMissingLineLeavesTheBitmapButStillScatters) {
    for (const std::string content : {"\r\n", "no line end"}) {
        platform.work().fillRect(0, 0, 500, 400, kRed);
        writePuzzleFile(content);
        separateTiles();
        setUp();
        EXPECT_TRUE(platform.work().textRuns().empty());
        EXPECT_EQ(platform.work().countPixels(0, 0, 500, 400, kRed), 500 * 400);
        EXPECT_LT(tile(4, 2).x, 1000);  // scattered over the window again
        EXPECT_EQ(puzzle.puzzlePhase, PuzzlePhase::Playing);
        EXPECT_EQ(puzzle.stepsSinceScatter, 0);
    }
}

TEST_F(PuzzleSetUp, DrawsTheLineThenScattersXThenYRowByRow) {
    writePuzzleFile("a\r\nb\r\nc\r\n");
    shell.clientWidth = 777;
    shell.clientHeight = 333;
    setUp();
    RandomGenerator replay(kSeed);
    EXPECT_EQ(puzzle.puzzleLine, std::string(1, "abc"[replay.next() % 3]));
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 5; ++column) {
            const int x = replay.next() % 677;
            const int y = replay.next() % 233;
            EXPECT_EQ(tile(column, row).x, x) << column << "," << row;
            EXPECT_EQ(tile(column, row).y, y) << column << "," << row;
            EXPECT_EQ(tile(column, row).srcX, 100 * column);
            EXPECT_EQ(tile(column, row).srcY, 100 * row);
            EXPECT_EQ(tile(column, row).width, 100);
            EXPECT_EQ(tile(column, row).height, 100);
            EXPECT_EQ(tile(column, row).srcWidth, 100);
            EXPECT_EQ(tile(column, row).srcHeight, 100);
            EXPECT_EQ(tile(column, row).group, 6 * row + column);
        }
    }
    EXPECT_EQ(random.state(), replay.state());
}

TEST_F(PuzzleSetUp, WithoutALineTheScatterTakesTheFirstDraws) {
    setUp();  // no pa.dat
    RandomGenerator replay(kSeed);
    EXPECT_EQ(tile(0, 0).x, replay.next() % 900);
    EXPECT_EQ(tile(0, 0).y, replay.next() % 500);
}

TEST(TileScatter, TilesStayWithinTheClientAreaLessOneTile) {
    RandomGenerator random(7);
    TileTable tiles{};
    for (const std::int32_t extent : {101, 102, 150, 1000, 40000}) {
        for (int round = 0; round < 50; ++round) {
            scatterTiles(tiles, random, extent, extent);
            for (const auto& column : tiles) {
                for (const Tile& tile : column) {
                    EXPECT_GE(tile.x, 0);
                    EXPECT_LE(tile.x, extent - 101);
                    EXPECT_GE(tile.y, 0);
                    EXPECT_LE(tile.y, extent - 101);
                }
            }
        }
    }
}

TEST(TileScatter, AnAxisWithoutRoomPutsTilesAtZeroAndStillTakesItsDraw) {
    const std::pair<std::int32_t, std::int32_t> sizes[] = {{0, 0}, {1, 1}, {100, 100}, {0, 700}, {700, 100}, {65535, 65535}};
    for (const auto& [width, height] : sizes) {
        RandomGenerator random(99);
        RandomGenerator replay(99);
        TileTable tiles{};
        scatterTiles(tiles, random, width, height);
        for (int row = 0; row < 3; ++row) {
            for (int column = 0; column < 5; ++column) {
                const int drawX = replay.next();
                const int drawY = replay.next();
                const Tile& tile = tiles[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)];
                EXPECT_EQ(tile.x, width > 100 ? drawX % (width - 100) : 0) << width;
                EXPECT_EQ(tile.y, height > 100 ? drawY % (height - 100) : 0) << height;
            }
        }
        EXPECT_EQ(random.state(), replay.state());
    }
}

TEST_F(PuzzleSetUp, NothingIsDrawnUntilTheNextStepThenTilesAreDrawnWithoutClearing) {
    writePuzzleFile(kFiveCharacters + "\r\n");
    platform.window().fillRect(0, 0, 1000, 600, kRed);
    setUp();
    EXPECT_EQ(platform.window().countPixels(0, 0, 1000, 600, kRed), 1000 * 600);
    stepPuzzle(puzzle, context);
    EXPECT_EQ(puzzle.stepsSinceScatter, 1);
    // Every tile's top-left pixel shows its piece; red remains where no tile lies.
    EXPECT_EQ(platform.window().pixel(tile(0, 0).x, tile(0, 0).y), kBlue);
    EXPECT_GT(platform.window().countPixels(0, 0, 1000, 600, kRed), 0);
    stepPuzzle(puzzle, context);
    EXPECT_EQ(puzzle.stepsSinceScatter, 2);
    puzzle.stepsSinceScatter = std::numeric_limits<std::int32_t>::max();
    stepPuzzle(puzzle, context);
    EXPECT_EQ(puzzle.stepsSinceScatter, std::numeric_limits<std::int32_t>::max());
}

TEST_F(PuzzleSetUp, TheBitmapRowsBelow300NeverReachTheScreen) {
    platform.work().fillRect(0, 0, 500, 300, kBlue);
    platform.work().fillRect(0, 300, 500, 400, kRed);
    for (int round = 0; round < 5; ++round) {
        setUp();
        stepPuzzle(puzzle, context);
    }
    EXPECT_EQ(platform.window().countPixels(0, 0, 1000, 600, kRed), 0);
}

TEST_F(PuzzleSetUp, TilesAreCopiedRowByRowLaterOnTop) {
    // Each piece of the bitmap in its own colour: tile [c][r] shows colour 10 × r + c + 1.
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 5; ++column) {
            platform.work().fillRect(100 * column, 100 * row, 100 * column + 100, 100 * row + 100,
                                     static_cast<Colour>(10 * row + column + 1));
        }
    }
    // [4][0] and [0][1] on one spot: row 1 is painted after row 0 (column order would differ).
    place(4, 0, 100, 100);
    place(0, 1, 150, 100);
    // [1][0] and [2][0] overlap too: the later column is on top.
    place(1, 0, 400, 300);
    place(2, 0, 450, 300);
    drawTiles(platform.window(), platform.work(), puzzle.tiles);
    EXPECT_EQ(platform.window().pixel(120, 150), Colour{5});
    EXPECT_EQ(platform.window().pixel(160, 150), Colour{11});
    EXPECT_EQ(platform.window().pixel(199, 199), Colour{11});
    EXPECT_EQ(platform.window().pixel(420, 350), Colour{2});
    EXPECT_EQ(platform.window().pixel(460, 350), Colour{3});
}

TEST(PuzzleCommand, StartsANewPuzzleAtOnceAndReadsTheFileAfresh) {
    FakePlatform platform;
    platform.addFile(platform.besideExecutable("pa.dat"), "first\r\n");
    App app(platform, AppConfig{3, ""});
    app.startUp();
    app.command(CommandId::Puzzle);
    EXPECT_EQ(app.puzzle().puzzlePhase, PuzzlePhase::Playing);
    EXPECT_EQ(app.puzzle().stepsSinceScatter, 0);
    EXPECT_EQ(app.puzzle().puzzleLine, "first");
    EXPECT_EQ(platform.window().countPixels(0, 0, 1000, 600, kBlack), 1000 * 600);
    app.tick();
    EXPECT_EQ(app.puzzle().stepsSinceScatter, 1);
    EXPECT_LT(platform.window().countPixels(0, 0, 1000, 600, kBlack), 1000 * 600);
    platform.addFile(platform.besideExecutable("pa.dat"), "second\r\n");
    app.command(CommandId::Puzzle);
    EXPECT_EQ(app.puzzle().puzzleLine, "second");
    EXPECT_EQ(app.puzzle().tiles[4][2].group, 16);
}

}  // namespace
}  // namespace tavori
