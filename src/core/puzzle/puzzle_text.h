// Reading pa.dat and choosing one of its CR LF-terminated lines.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/platform.h"
#include "common/random.h"
#include "puzzle/puzzle_state.h"

namespace tavori {

// Fills puzzleText from pa.dat beside the executable (a UTF-8 file is converted first); a
// missing file is the empty text, a longer one keeps its first 63,999 bytes.
void readPuzzleFile(PuzzleState& puzzle, Platform& platform);

// Number of CR LF pairs, walking character by character so that a CR that is the second
// byte of a double-byte character ends nothing. A last line without CR LF is not counted.
std::int32_t countPuzzleLines(std::string_view text);

// Line `index` (0-based) without its CR LF, cut to 63 bytes at a character boundary; empty
// when there is no such CR LF-terminated line.
std::string puzzleLineAt(std::string_view text, std::int32_t index);

// Chooses line k := one draw modulo the line count into puzzleLine. With no line to choose
// no draw is taken and puzzleLine is empty. Returns whether a line was chosen.
bool choosePuzzleLine(PuzzleState& puzzle, RandomGenerator& random);

}  // namespace tavori
