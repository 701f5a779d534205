// Image practice behind the shell's exercise interface: the answer keys and rows, the template
// file, the score on the status line and in the record.
#pragma once

#include "imagepractice/image_practice.h"
#include "shell/exercise.h"

namespace tavori {

class ImagePracticeExercise final : public Exercise {
public:
    static constexpr Mode kMode = Mode::ImagePractice;

    ImagePracticeState& state() { return image_; }
    const ImagePracticeState& state() const { return image_; }

    Mode mode() const override { return kMode; }
    void step(Context& context) override { stepImagePractice(image_, context); }
    bool stateRepeatsSteps(const ShellState& shell) const override;
    void passSteps(std::int64_t count) override { passImagePracticeSteps(image_, count); }
    Outcome pointerDown(Context& context, int x, int y) override;

    std::span<const KeyBinding> keys() const override;
    bool selectedBy(CommandAction action) const override { return action == CommandAction::LoadTemplate; }
    void select(CommandMeaning meaning) override;
    std::string proposedFileName() const override { return image_.templateFileName; }
    void openFile(std::string name, Platform& platform, const StoredSettings& kept) override;
    bool ownsCommand(CommandAction action) const override;
    bool commandAvailable(CommandMeaning meaning) const override;
    bool runCommand(CommandMeaning meaning, Context& context) override;

    std::string statusLine() const override;
    void beginSession() override;
    bool sessionFigures(SessionRecord& record) const override;

    void restoreSettings(const StoredSettings& kept, Platform& platform) override;
    void startUp(Platform& platform, const StoredSettings& kept) override;
    void keepSettings(StoredSettings& now) const override;

private:
    ImagePracticeState image_;
    struct Counters {
        std::int64_t questions = 0, rightFirstTime = 0, wrong = 0, answerTicks = 0;
    };
    Counters atSessionStart_;
};

}  // namespace tavori
