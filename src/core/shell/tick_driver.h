// When the 100 ms tick steps and when it may sleep, decided once for every front end: the front
// end owns the clock and the timer, the driver says when the timer is next due.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "shell/tick_grid.h"

namespace tavori {

class App;

// What the driver steps and asks: the App in the program, a script in tests.
class Ticked {
public:
    virtual ~Ticked() = default;
    virtual void tick() = 0;
    virtual bool waitsForInput() const = 0;
    virtual bool stepsOnlyRepeat() const = 0;
    virtual void passSteps(std::int64_t count) = 0;
};

// When the tick may sleep. The program sleeps whenever no step could change what is on screen;
// the narrower rules are the earlier designs, kept so that benchmarks can compare with them.
enum class TickSleep {
    WhileStepsOnlyRepeat,  // while the core waits for input or its steps only repeat the picture
    WhileWaitingForInput,  // only while the core waits for input
    Never,                 // a step at every grid point
};

// A front end calls step() when its timer fires, settle() after every call into the core and
// wake() before every other call (input, command, paint, destroy), then arms its timer for
// nextDue(). Asleep, the timer is not armed at all; woken, the grid points slept through are
// taken without steps and, where steps only repeated, handed to passSteps so every count is as
// if they had run. Times are microseconds of the front end's monotonic clock.
class TickDriver {
public:
    explicit TickDriver(App& app, TickSleep rule = TickSleep::WhileStepsOnlyRepeat);
    explicit TickDriver(Ticked& program, TickSleep rule = TickSleep::WhileStepsOnlyRepeat);
    TickDriver(const TickDriver&) = delete;
    TickDriver& operator=(const TickDriver&) = delete;
    ~TickDriver();

    // Starts the grid at `now`; the first step is due one period later.
    void start(std::int64_t now);
    // No step is due any more (the window is going away).
    void stop();

    // The timer fired at `now`: runs one step when a grid point has passed since the last and
    // the tick is awake (after a stall, one step for all the points missed), then settles.
    // True when a step ran.
    bool step(std::int64_t now);
    // After every call into the core: whether the tick may sleep until the next call.
    void settle();
    // Before every call but a step. Returns the grid points handed to passSteps.
    std::int64_t wake(std::int64_t now);
    // The front end could not tick up to `now` (a hidden browser tab): those points pass without
    // steps and are not made up for, asleep or not.
    void skipMissed(std::int64_t now);

    // The time the front end's timer is to fire next: the next grid point, or none while the
    // tick sleeps or has stopped.
    std::optional<std::int64_t> nextDue() const;
    bool asleep() const { return asleep_; }
    std::int64_t stepsRun() const { return grid_ ? grid_->stepsTaken() : 0; }

private:
    std::unique_ptr<Ticked> ownAdapter_;  // set when driving an App
    Ticked& program_;
    TickSleep rule_;
    std::optional<TickGrid> grid_;
    bool asleep_ = false;
};

}  // namespace tavori
