// The puzzle's state: the sentence file, the chosen line, the tile table and the grab.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tavori {

inline constexpr int kTileColumns = 5;
inline constexpr int kTileRows = 3;
// Tiles are squares of this size, cut from the 500 × 300 picture in workBitmap.
inline constexpr std::int32_t kTileSize = 100;

// The text of pa.dat keeps at most this many bytes: the file's buffer holds 64,000 bytes
// including the terminating NUL.
inline constexpr std::size_t kPuzzleTextLimit = 63999;
// The chosen line keeps at most this many bytes (a 64-byte buffer with its NUL).
inline constexpr std::size_t kPuzzleLineLimit = 63;

struct Tile {
    std::int32_t x = 0;  // left edge on the screen, client coordinates
    std::int32_t y = 0;  // top edge on the screen
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t srcX = 0;  // top-left corner of the tile's piece in workBitmap
    std::int32_t srcY = 0;
    std::int32_t srcWidth = 0;
    std::int32_t srcHeight = 0;
    // Tiles with equal ids have been joined and move together.
    std::int32_t group = 0;
};

// Indexed [column][row], as tile [c][r] shows the piece at (100 × c, 100 × r).
using TileTable = std::array<std::array<Tile, kTileRows>, kTileColumns>;

enum class PuzzlePhase {
    SetUpDue,  // the next step reads the sentences, draws the picture and scatters the tiles
    Playing,   // every step draws the tiles where they lie
};

struct PuzzleState {
    std::string puzzleText;  // the bytes of pa.dat up to its first NUL, at most 63,999
    std::string puzzleLine;  // the chosen line without its CR LF, at most 63 bytes
    PuzzlePhase puzzlePhase = PuzzlePhase::SetUpDue;
    // Steps that drew the tiles since the set-up scattered them: ten a second, they time the
    // solving; held at the largest std::int32_t.
    std::int32_t stepsSinceScatter = 0;
    TileTable tiles{};

    bool buttonDown = false;   // the left button is held in the puzzle mode
    bool tileGrabbed = false;  // the last press hit a tile; a release does not clear it
    std::int32_t grabbedColumn = 0;  // table index of the tile the last press hit, −1 for none
    std::int32_t grabbedRow = 0;
    std::int32_t grabOffsetX = 0;  // grabbed tile's corner minus the pointer at the press
    std::int32_t grabOffsetY = 0;

    // Puzzles put back whole since the program started and the steps they took; whether the
    // one on screen has been counted.
    std::int32_t puzzlesSolved = 0;
    std::int64_t solvingTicks = 0;
    bool solvedCounted = false;
};

}  // namespace tavori
