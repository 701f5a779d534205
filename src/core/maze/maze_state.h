// The maze's data: the four cell grids, the size parameters and the cycle's flags.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tavori {

// A field of a cell's record: 0 or 1. A byte is enough, and keeps the four grids small
// (200 KB) so that making a MazeState, as every App does, costs next to nothing.
using CellBit = std::int8_t;

// One cell's record; what the fields mean depends on the grid that holds it. Each field is 0
// or 1; `up`, `down`, `left`, `right` concern the side toward y − 1, y + 1, x − 1, x + 1.
struct CellSides {
    CellBit flag = 0;
    CellBit up = 0;
    CellBit down = 0;
    CellBit left = 0;
    CellBit right = 0;

    friend bool operator==(const CellSides&, const CellSides&) = default;
};

// The four sides, in the order the fields are stored.
enum class Side { Up, Down, Left, Right };

// One side's field of a cell, for reading or writing (Cell is CellSides or const CellSides).
template <typename Cell>
auto& sideOf(Cell& cell, Side side) {
    switch (side) {
        case Side::Up: return cell.up;
        case Side::Down: return cell.down;
        case Side::Left: return cell.left;
        case Side::Right: return cell.right;
    }
    return cell.right;
}

constexpr Side oppositeOf(Side side) {
    switch (side) {
        case Side::Up: return Side::Down;
        case Side::Down: return Side::Up;
        case Side::Left: return Side::Right;
        case Side::Right: return Side::Left;
    }
    return Side::Left;
}

constexpr int stepXOf(Side side) { return side == Side::Right ? 1 : side == Side::Left ? -1 : 0; }
constexpr int stepYOf(Side side) { return side == Side::Down ? 1 : side == Side::Up ? -1 : 0; }

// 100 × 100 cells indexed (x, y): x the column growing rightward, y the row growing downward.
// The cells live on the heap, not in the App, which a front end may keep on its stack.
// Callers keep x and y within 0 … 99.
class MazeGrid {
public:
    static constexpr int kSide = 100;

    MazeGrid() : cells_(static_cast<std::size_t>(kSide) * kSide) {}

    CellSides& operator()(int x, int y) { return cells_[index(x, y)]; }
    const CellSides& operator()(int x, int y) const { return cells_[index(x, y)]; }

    void fill(const CellSides& value) { cells_.assign(cells_.size(), value); }

    friend bool operator==(const MazeGrid&, const MazeGrid&) = default;

private:
    static std::size_t index(int x, int y) {
        return static_cast<std::size_t>(x) * kSide + static_cast<std::size_t>(y);
    }

    std::vector<CellSides> cells_;
};

// The smallest and largest size parameter the grids can hold: a size needs one maze cell
// beside the frame on each side, and the frame's far column (index = size) must fit in 0 … 99.
inline constexpr std::int32_t kMinMazeSize = 3;
inline constexpr std::int32_t kMaxMazeSize = MazeGrid::kSide - 1;

struct MazeState {
    // Size parameters: maze cells are x = 1 … mazeWidth − 1, y = 1 … mazeHeight − 1; column 0,
    // column mazeWidth, row 0 and row mazeHeight are the border frame around them. Always
    // within kMinMazeSize … kMaxMazeSize (App sets only 9 or 11): the routines rely on it.
    std::int32_t mazeWidth = 11;
    std::int32_t mazeHeight = 11;
    // The cycle: a step has work to do; that step draws the route (else it makes a new maze).
    bool mazeStepPending = false;
    bool mazeSolutionNext = false;
    // The last solver run found targets with exactly three on the route.
    bool mazeAccepted = false;
    // Marked maze cells, as counted at the start of the last click.
    std::int32_t markCount = 0;
    // Target attempts the last solver run made (1 … 1000); a figure for measurements.
    std::int32_t targetAttempts = 0;
    // The maze on screen was drawn at this steady time (−1 before any), and solved this many
    // milliseconds later (−1 while it is not); mazes solved since the program started.
    std::int64_t drawnAtMilliseconds = -1;
    std::int64_t solvedInMilliseconds = -1;
    std::int32_t mazesSolved = 0;
    std::int64_t solvingMilliseconds = 0;

    // flag: cell not yet joined; sides: wall present.
    MazeGrid wallGrid;
    // flag: cell marked by the user; sides: open (no wall).
    MazeGrid openGrid;
    // flag: cell holds a target; sides: the wall follower left the cell through that side.
    MazeGrid trailGrid;
    // flag: cell on the route; sides: the route passes through that side.
    MazeGrid pathGrid;
};

// Whether (x, y) is one of the maze's own cells (not the frame, not outside).
constexpr bool isMazeCell(const MazeState& maze, int x, int y) {
    return x >= 1 && x <= maze.mazeWidth - 1 && y >= 1 && y <= maze.mazeHeight - 1;
}

// Calls visit(x, y) for every maze cell, column by column.
template <typename Visit>
void forEachMazeCell(const MazeState& maze, Visit visit) {
    for (int x = 1; x <= maze.mazeWidth - 1; ++x) {
        for (int y = 1; y <= maze.mazeHeight - 1; ++y) {
            visit(x, y);
        }
    }
}

// What each grid's flag says about cell (x, y).
inline bool isUnjoined(const MazeState& maze, int x, int y) { return maze.wallGrid(x, y).flag == 1; }
inline bool isMarked(const MazeState& maze, int x, int y) { return maze.openGrid(x, y).flag == 1; }
inline bool isTarget(const MazeState& maze, int x, int y) { return maze.trailGrid(x, y).flag == 1; }
inline bool isOnRoute(const MazeState& maze, int x, int y) { return maze.pathGrid(x, y).flag == 1; }

}  // namespace tavori
