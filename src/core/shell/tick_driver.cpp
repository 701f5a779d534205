// The sleep rule and the hand-over of the grid points slept through, over App's public calls.
#include "shell/tick_driver.h"

#include "shell/app.h"

namespace tavori {

namespace {

class AppTicks final : public Ticked {
public:
    explicit AppTicks(App& app) : app_(app) {}
    void tick() override { app_.tick(); }
    bool waitsForInput() const override { return app_.waitsForInput(); }
    bool stepsOnlyRepeat() const override { return app_.stepsOnlyRepeat(); }
    void passSteps(std::int64_t count) override { app_.passSteps(count); }

private:
    App& app_;
};

std::unique_ptr<Ticked> adapterFor(App& app) { return std::make_unique<AppTicks>(app); }

}  // namespace

TickDriver::TickDriver(App& app, TickSleep rule) : ownAdapter_(adapterFor(app)), program_(*ownAdapter_), rule_(rule) {}

TickDriver::TickDriver(Ticked& program, TickSleep rule) : program_(program), rule_(rule) {}

TickDriver::~TickDriver() = default;

void TickDriver::start(std::int64_t now) {
    grid_.emplace(now);
    asleep_ = false;
    settle();
}

void TickDriver::stop() { grid_.reset(); }

bool TickDriver::step(std::int64_t now) {
    if (!grid_ || asleep_ || !grid_->takeDue(now)) return false;
    program_.tick();
    settle();
    return true;
}

void TickDriver::settle() {
    switch (rule_) {
        case TickSleep::WhileStepsOnlyRepeat:
            asleep_ = program_.waitsForInput() || program_.stepsOnlyRepeat();
            return;
        case TickSleep::WhileWaitingForInput:
            asleep_ = program_.waitsForInput();
            return;
        case TickSleep::Never:
            asleep_ = false;
            return;
    }
}

std::int64_t TickDriver::wake(std::int64_t now) {
    if (!asleep_ || !grid_) return 0;
    asleep_ = false;
    // The next grid point steps again; those before it went by as steps that drew nothing new.
    const std::int64_t passed = grid_->skipPassed(now);
    if (passed <= 0 || !program_.stepsOnlyRepeat()) return 0;
    program_.passSteps(passed);
    return passed;
}

void TickDriver::skipMissed(std::int64_t now) {
    if (grid_) grid_->skipPassed(now);
}

std::optional<std::int64_t> TickDriver::nextDue() const {
    if (!grid_ || asleep_) return std::nullopt;
    return grid_->nextDueMicroseconds();
}

}  // namespace tavori
