// Speed reading behind the shell's exercise interface: paging keys, the pause, the reading
// settings and text, the place kept in each text, and its line of the record.
#pragma once

#include "reading/reading.h"
#include "shell/exercise.h"

namespace tavori {

class ReadingExercise final : public Exercise {
public:
    static constexpr Mode kMode = Mode::SpeedReading;

    ReadingState& state() { return reading_; }
    const ReadingState& state() const { return reading_; }

    Mode mode() const override { return kMode; }
    void step(Context& context) override;
    // Paused, a step draws nothing and counts nothing.
    bool stateRepeatsSteps(const ShellState& shell) const override;
    // A question of checked practice waits for its answer.
    bool waitsForInput() const override;
    Outcome pointerDown(Context& context, int x, int y) override;
    void repaint(Context& context) override;

    std::span<const KeyBinding> keys() const override;
    bool selectedBy(CommandAction action) const override;
    bool splitsSession(CommandMeaning meaning) const override;
    void select(CommandMeaning meaning) override;
    std::string proposedFileName() const override { return reading_.readingFileName; }
    void openFile(std::string name, Platform& platform, const StoredSettings& kept) override;
    bool ownsCommand(CommandAction action) const override;
    bool commandAvailable(CommandMeaning meaning) const override;
    bool runCommand(CommandMeaning meaning, Context& context) override;
    std::optional<bool> commandChecked(CommandMeaning meaning) const override;
    void displayTimeChanged(const ShellState& shell) override;

    std::string statusLine() const override;
    void beginSession() override;
    bool sessionFigures(SessionRecord& record) const override;
    void recordSettings(SessionRecord& record) const override;

    void restoreSettings(const StoredSettings& kept, Platform& platform) override;
    void startUp(Platform& platform, const StoredSettings& kept) override;
    void keepSettings(StoredSettings& now) const override;
    bool keepsPlace() const override { return true; }
    void keepPlace(StoredSettings& kept) const override;

private:
    // Names the text now loaded, and resumes it where it was left.
    void identifyAndResume(const StoredSettings& kept);
    // Checked practice: the answer in `row`, and the paging going on after it (the next page,
    // the last one again for ←, the first for Home).
    void answerQuestion(int row, Context& context);
    void goOnAfterQuestion(CommandAction action, Context& context);
    bool questionUnanswered() const { return reading_.checked.question && reading_.checked.chosenRow < 0; }

    ReadingState reading_;
    TextIdentity identity_;
    struct Counters {
        std::int64_t characters = 0, ticks = 0, pageTicks = 0, asked = 0, right = 0;
    };
    Counters atSessionStart_;
};

}  // namespace tavori
