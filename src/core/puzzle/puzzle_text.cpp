// CR LF found only at character boundaries, the text cut to its bound, one draw choosing the
// line, and the line cut to its own bound at a character boundary.
#include "puzzle/puzzle_text.h"

#include "common/sjis.h"
#include "files/files.h"
#include "files/text_file.h"

namespace tavori {

namespace {

constexpr std::size_t kNoLineEnd = std::string_view::npos;

// Index of the CR of the CR LF that ends the line starting at `start`, or kNoLineEnd when
// the text ends first. A lead byte takes the byte after it along, even a CR.
std::size_t findLineEnd(std::string_view text, std::size_t start) {
    return findAtCharacter(text, "\r\n", start);
}

}  // namespace

void readPuzzleFile(PuzzleState& puzzle, Platform& platform) {
    const LoadedFile loaded = loadTextFile(platform, siblingPath(platform, "pa", ".dat"));
    // A line cut by the bound has lost its CR LF, so it can never be chosen.
    puzzle.puzzleText.assign(loaded.text().substr(0, kPuzzleTextLimit));
}

std::int32_t countPuzzleLines(std::string_view text) {
    std::int32_t count = 0;
    std::size_t start = 0;
    for (std::size_t end = findLineEnd(text, start); end != kNoLineEnd; end = findLineEnd(text, start)) {
        ++count;
        start = end + 2;
    }
    return count;
}

std::string puzzleLineAt(std::string_view text, std::int32_t index) {
    if (index < 0) {
        return {};
    }
    std::size_t start = 0;
    for (std::int32_t line = 0;; ++line) {
        const std::size_t end = findLineEnd(text, start);
        if (end == kNoLineEnd) {
            return {};
        }
        if (line == index) {
            const std::string_view chosen = text.substr(start, end - start);
            return std::string(chosen.substr(0, characterBoundaryAtMost(chosen, kPuzzleLineLimit)));
        }
        start = end + 2;
    }
}

bool choosePuzzleLine(PuzzleState& puzzle, RandomGenerator& random) {
    const std::int32_t lineCount = countPuzzleLines(puzzle.puzzleText);
    if (lineCount == 0) {
        // Nothing to choose from: no draw, so the scatter's draws stay as they would be.
        puzzle.puzzleLine.clear();
        return false;
    }
    puzzle.puzzleLine = puzzleLineAt(puzzle.puzzleText, random.below(lineCount));
    return true;
}

}  // namespace tavori
