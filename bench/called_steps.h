// Steps that only call a function, for the tick benches that drive a tick without a window's
// program: its driver never sleeps, so each grid point runs one.
#pragma once

#include <functional>

#include "shell/tick_driver.h"

namespace tavori::bench {

struct CalledSteps final : Ticked {
    explicit CalledSteps(std::function<void()> onStep) : call(std::move(onStep)) {}
    std::function<void()> call;
    void tick() override { call(); }
    bool waitsForInput() const override { return false; }
    bool stepsOnlyRepeat() const override { return false; }
    void passSteps(std::int64_t) override {}
};

}  // namespace tavori::bench
