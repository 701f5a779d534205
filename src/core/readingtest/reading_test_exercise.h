// The reading test behind the shell's exercise interface: its pop-up's items and keys, the
// screens, the record's line for each test. It reads the speed-reading exercise's layout, text
// and place, which the reader tests themselves in.
#pragma once

#include "reading/reading_exercise.h"
#include "readingtest/reading_test.h"
#include "shell/exercise.h"

namespace tavori {

class ReadingTestExercise final : public Exercise {
public:
    static constexpr Mode kMode = Mode::ReadingTest;

    explicit ReadingTestExercise(const ReadingExercise& reading) : reading_(reading) {}

    ReadingTestState& state() { return test_; }
    const ReadingTestState& state() const { return test_; }

    Mode mode() const override { return kMode; }
    void step(Context& context) override;
    bool stateRepeatsSteps(const ShellState& /*shell*/) const override { return !test_.drawDue && !setUpDue_; }
    bool waitsForInput() const override { return !test_.drawDue && !setUpDue_; }
    Outcome pointerDown(Context& context, int x, int y) override;
    void repaint(Context& context) override;

    std::span<const KeyBinding> keys() const override;
    bool selectedBy(CommandAction action) const override;
    bool splitsSession(CommandMeaning meaning) const override;
    void select(CommandMeaning meaning) override;
    bool ownsCommand(CommandAction action) const override;
    bool commandAvailable(CommandMeaning meaning) const override;
    bool runCommand(CommandMeaning meaning, Context& context) override;

    std::string statusLine() const override { return testStatusLine(test_); }
    void beginSession() override { startsAtSessionStart_ = starts_; }
    bool sessionFigures(SessionRecord& record) const override;

private:
    // Sets up the test chosen (or the results) with the platform, at the step after the command.
    void setUp(Context& context);

    const ReadingExercise& reading_;
    ReadingTestState test_;
    bool setUpDue_ = false;
    CommandMeaning chosen_;
    // The tests whose clock started, since the program started and when the session began.
    std::int64_t starts_ = 0;
    std::int64_t startsAtSessionStart_ = 0;
};

}  // namespace tavori
