// Reading pa.dat, counting its CR LF lines character by character and choosing one of them.
#include <gtest/gtest.h>

#include "puzzle/puzzle_text.h"
#include "puzzle_fixture.h"

namespace tavori {
namespace {

using testing::PuzzleFixture;

// あいう, かきくけこ in Shift-JIS.
const std::string kAiu = "\x82\xA0\x82\xA2\x82\xA4";
const std::string kKakikukeko = "\x82\xA9\x82\xAB\x82\xAD\x82\xAF\x82\xB1";

TEST(PuzzleLines, OnlyCrLfPairsCountAndALastLineWithoutOneNeverDoes) {
    EXPECT_EQ(countPuzzleLines(""), 0);
    EXPECT_EQ(countPuzzleLines("abc"), 0);
    EXPECT_EQ(countPuzzleLines("abc\r\n"), 1);
    EXPECT_EQ(countPuzzleLines("a\r\n\r\nb"), 2);
    // A lone CR or LF is ordinary text.
    EXPECT_EQ(countPuzzleLines("a\rb\nc\r\n"), 1);
    EXPECT_EQ(puzzleLineAt("a\rb\nc\r\n", 0), "a\rb\nc");
    EXPECT_EQ(countPuzzleLines("a\n\r"), 0);
    EXPECT_EQ(puzzleLineAt("a\r\nb", 1), "");
}

TEST(PuzzleLines, ACrTakenAsATrailByteEndsNothing) {
    // 0x82 0x0D is one character, so the LF after it is ordinary and the line runs on.
    const std::string text = "\x82\r\nX\r\nY\r\n";
    EXPECT_EQ(countPuzzleLines(text), 2);
    EXPECT_EQ(puzzleLineAt(text, 0), "\x82\r\nX");
    EXPECT_EQ(puzzleLineAt(text, 1), "Y");
    // A lead byte right before CR LF swallows the CR: no line end at all.
    EXPECT_EQ(countPuzzleLines("ab\x82\r\n"), 0);
    // A lead byte as the very last byte reads nothing past the text.
    EXPECT_EQ(countPuzzleLines(std::string_view("a\r\n\x82", 4)), 1);
    // The LF of a CR LF is never a trail byte: 0x0A after a CR is not a lead's partner.
    EXPECT_EQ(puzzleLineAt(kAiu + "\r\n" + kKakikukeko + "\r\n", 1), kKakikukeko);
}

TEST(PuzzleLines, ALineOf64BytesOrMoreIsCutTo63AtACharacterBoundary) {
    std::string doubleBytes;
    for (int i = 0; i < 32; ++i) doubleBytes += "\x88\x9F";  // 64 bytes
    EXPECT_EQ(puzzleLineAt(doubleBytes + "\r\n", 0), doubleBytes.substr(0, 62));
    EXPECT_EQ(puzzleLineAt("a" + doubleBytes + "\r\n", 0), "a" + doubleBytes.substr(0, 62));
    const std::string sixtyThree(63, 'z');
    EXPECT_EQ(puzzleLineAt(sixtyThree + "\r\n", 0), sixtyThree);
    EXPECT_EQ(puzzleLineAt(sixtyThree + "yy\r\n", 0), sixtyThree);
}

class PuzzleFile : public PuzzleFixture {
protected:
    // The generator's state after `draws` draws from the fixture's seed.
    static std::uint32_t stateAfter(int draws) {
        RandomGenerator replay(kSeed);
        for (int i = 0; i < draws; ++i) replay.next();
        return replay.state();
    }
};

TEST_F(PuzzleFile, OneLineIsAlwaysChosenWithOneDraw) {
    writePuzzleFile(kAiu + "\r\n");
    for (int attempt = 0; attempt < 5; ++attempt) {
        readPuzzleFile(puzzle, platform);
        EXPECT_TRUE(choosePuzzleLine(puzzle, random));
        EXPECT_EQ(puzzle.puzzleLine, kAiu);
        EXPECT_EQ(random.state(), stateAfter(attempt + 1));
    }
}

TEST_F(PuzzleFile, TheDrawModuloTheLineCountPicksTheLine) {
    writePuzzleFile("zero\r\n\r\ntwo\r\nnever");
    readPuzzleFile(puzzle, platform);
    RandomGenerator replay(kSeed);
    const std::string expected[] = {"zero", "", "two"};
    int emptyChosen = 0;
    for (int attempt = 0; attempt < 30; ++attempt) {
        const int k = replay.next() % 3;
        choosePuzzleLine(puzzle, random);
        EXPECT_EQ(puzzle.puzzleLine, expected[k]);
        emptyChosen += k == 1 ? 1 : 0;
    }
    EXPECT_GT(emptyChosen, 0);  // an empty line is as choosable as any other
}

TEST_F(PuzzleFile, NoCrLfLineMeansNoChoiceAndNoDraw) {
    for (const char* content : {static_cast<const char*>(nullptr), "", "one line without its end"}) {
        platform.files.clear();
        if (content != nullptr) writePuzzleFile(content);
        puzzle.puzzleLine = "stale";
        readPuzzleFile(puzzle, platform);
        EXPECT_FALSE(choosePuzzleLine(puzzle, random));
        EXPECT_EQ(puzzle.puzzleLine, "");
        EXPECT_EQ(random.state(), stateAfter(0));
    }
}

TEST_F(PuzzleFile, OnlyTheFirst63999BytesAreUsed) {
    // The first line ends exactly at the bound; the second lies beyond it.
    writePuzzleFile(std::string(63997, 'a') + "\r\nb\r\n");
    readPuzzleFile(puzzle, platform);
    EXPECT_EQ(puzzle.puzzleText.size(), 63999u);
    EXPECT_EQ(countPuzzleLines(puzzle.puzzleText), 1);
    // 64,000 bytes whose only CR LF straddles the bound: the CR stays, the LF is cut.
    writePuzzleFile(std::string(63998, 'a') + "\r\n");
    readPuzzleFile(puzzle, platform);
    EXPECT_EQ(countPuzzleLines(puzzle.puzzleText), 0);
}

TEST_F(PuzzleFile, TheTextEndsAtItsFirstNul) {
    writePuzzleFile(std::string("a\r\n\0b\r\n", 7));
    readPuzzleFile(puzzle, platform);
    EXPECT_EQ(puzzle.puzzleText, "a\r\n");
}

TEST_F(PuzzleFile, EveryEncodingAndLineEndGivesCrLfShiftJis) {
    // UTF-8 with LF; Shift-JIS with LF, and with LF and CR LF mixed.
    for (const std::string& file : {std::string("あいう\nかきくけこ\n"), kAiu + "\n" + kKakikukeko + "\n",
                                    kAiu + "\r\n" + kKakikukeko + "\n"}) {
        writePuzzleFile(file);
        readPuzzleFile(puzzle, platform);
        EXPECT_EQ(puzzle.puzzleText, kAiu + "\r\n" + kKakikukeko + "\r\n");
    }
}

}  // namespace
}  // namespace tavori
