// How long the maze step takes to make and draw a new maze, rejected attempts included.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "maze/maze.h"
#include "support/fake_platform.h"

namespace tavori {
namespace {

// Wall-clock times of single calls, for the median and the worst over all seeds.
class CallTimes {
public:
    template <typename Call>
    void time(Call call) {
        const auto start = std::chrono::steady_clock::now();
        call();
        const auto stop = std::chrono::steady_clock::now();
        micros_.push_back(std::chrono::duration<double, std::micro>(stop - start).count());
    }

    void report(benchmark::State& state) {
        std::sort(micros_.begin(), micros_.end());
        state.counters["median_us"] = micros_[micros_.size() / 2];
        state.counters["p99_us"] = micros_[micros_.size() * 99 / 100];
        state.counters["worst_us"] = micros_.back();
    }

private:
    std::vector<double> micros_;
};

// One new maze per iteration, each from its own seed, on a 1000 × 600 window: the clear, the
// generation with every rejected attempt, the targets and the walls. Reports the median and
// the worst single step over all seeds, and the most target attempts a step needed.
void newMazeStep(benchmark::State& state) {
    const auto size = static_cast<std::int32_t>(state.range(0));
    testing::FakePlatform platform(1000, 600);
    ShellState shell;
    shell.currentMode = Mode::Maze;
    shell.clientWidth = 1000;
    shell.clientHeight = 600;
    MazeState maze;
    maze.mazeWidth = size;
    maze.mazeHeight = size;
    CallTimes times;
    std::int32_t worstAttempts = 0;
    std::uint32_t seed = 0;
    for (auto _ : state) {
        RandomGenerator random(seed++ * 2654435761u);
        Context context{platform, random, shell};
        maze.mazeStepPending = true;
        maze.mazeSolutionNext = false;
        times.time([&] { stepMaze(maze, context); });
        worstAttempts = std::max(worstAttempts, maze.targetAttempts);
        benchmark::DoNotOptimize(maze.mazeSolutionNext);
    }
    times.report(state);
    state.counters["most_target_attempts"] = worstAttempts;
}
BENCHMARK(newMazeStep)->Arg(9)->Arg(11)->Iterations(5000)->Unit(benchmark::kMicrosecond);

// Generation and targets alone, without drawing: the cost of the rejected attempts.
void makeMazeOnly(benchmark::State& state) {
    MazeState maze;
    maze.mazeWidth = static_cast<std::int32_t>(state.range(0));
    maze.mazeHeight = maze.mazeWidth;
    std::uint32_t seed = 0;
    std::int32_t mostMazes = 0;
    CallTimes times;
    for (auto _ : state) {
        RandomGenerator random(seed++ * 2654435761u);
        times.time([&] { mostMazes = std::max(mostMazes, makeAcceptedMaze(maze, random)); });
    }
    times.report(state);
    state.counters["most_mazes"] = mostMazes;
}
BENCHMARK(makeMazeOnly)->Arg(9)->Arg(11)->Iterations(5000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tavori
