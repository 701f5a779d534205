// Each exercise's figures put in the order a reader scans them: what, how far, how fast.
#include "shell/status_line.h"

#include <algorithm>

#include "puzzle/tile_groups.h"

namespace tavori {

namespace {

constexpr std::string_view kGap = "　";  // an ideographic space between the figures

// Tenths as "12.3".
std::string tenths(std::int64_t value) {
    value = std::max<std::int64_t>(value, 0);
    return std::to_string(value / 10) + "." + std::to_string(value % 10);
}

std::string fileNameOf(const std::string& path) {
    if (path.empty()) {
        return "w.txt";  // the start-up text
    }
    return path.substr(path.find_last_of("/\\") + 1);
}

std::string readingLine(const ReadingState& reading) {
    std::string line = fileNameOf(reading.readingFileName);
    // Before the speeds, so that speeds read in columns are not taken for those read in rows.
    if (reading.vertical) {
        line += std::string(kGap) + "縦書き";
    }
    const ReadingState::Figures& figures = reading.figures;
    if (figures.percent >= 0) {
        line += std::string(kGap) + "進み " + std::to_string(figures.percent) + "%";
        line += std::string(kGap) + "表示 " + std::to_string(figures.nominalPerMinute) + " 文字/分";
        if (figures.measuredPerMinute >= 0) {
            line += std::string(kGap) + "実測 " + std::to_string(figures.measuredPerMinute) + " 文字/分";
        }
    }
    if (reading.paused) {
        line += std::string(kGap) + "一時停止";
    }
    return line;
}

std::string imagePracticeLine(const ImagePracticeState& image) {
    std::string line = "回答 " + std::to_string(image.questionsAnswered) + std::string(kGap) + "一度で正解 " +
                       std::to_string(image.rightAtFirstTry) + std::string(kGap) + "誤り " +
                       std::to_string(image.wrongAnswers);
    if (image.questionsAnswered > 0) {
        // Ticks are tenths of a second.
        line += std::string(kGap) + "平均 " + tenths(image.answerTicks / image.questionsAnswered) + " 秒";
    }
    return line;
}

std::string mazeLine(const MazeState& maze) {
    std::string line = maze.solvedInMilliseconds >= 0 ? "この迷路 " + tenths(maze.solvedInMilliseconds / 100) + " 秒"
                                                      : std::string("目標を探しています");
    line += std::string(kGap) + "解いた迷路 " + std::to_string(maze.mazesSolved);
    if (maze.mazesSolved > 0) {
        line += std::string(kGap) + "平均 " + tenths(maze.solvingMilliseconds / maze.mazesSolved / 100) + " 秒";
    }
    return line;
}

std::string puzzleLine(const PuzzleState& puzzle) {
    const int joined = joinedTileCount(puzzle.tiles);
    // The step count runs from 1 at the scattering, ten steps a second.
    const std::int64_t seconds = std::max<std::int64_t>(puzzle.puzzleState - 1, 0) / 10;
    return std::to_string(seconds) + " 秒" + std::string(kGap) + "つながったタイル " + std::to_string(joined) + "/" +
           std::to_string(kTileColumns * kTileRows);
}

}  // namespace

std::string composeStatusLine(const StatusSources& sources) {
    switch (sources.shell.currentMode) {
        case Mode::SpeedReading:
            return readingLine(sources.reading);
        case Mode::ImagePractice:
            return imagePracticeLine(sources.imagePractice);
        case Mode::Maze:
            return mazeLine(sources.maze);
        case Mode::Puzzle:
            return sources.puzzle.puzzleState == 0 ? std::string() : puzzleLine(sources.puzzle);
    }
    return {};
}

}  // namespace tavori
