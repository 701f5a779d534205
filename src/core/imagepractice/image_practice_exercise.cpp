// Image practice's adapter: what the shell asks of it, carried out over ImagePracticeState.
#include "imagepractice/image_practice_exercise.h"

#include "files/files.h"
#include "shell/status_line.h"

namespace tavori {

namespace {

// The template beside the program, by the name the dialog first proposes.
constexpr std::string_view kDefaultTemplateName = "tvr.tvr3";

constexpr KeyBinding kKeys[] = {
    {Key::One, CommandId::AnswerFirst},       {Key::Two, CommandId::AnswerFirst + 1},
    {Key::Three, CommandId::AnswerFirst + 2}, {Key::Space, CommandId::NextQuestion},
    {Key::Return, CommandId::NextQuestion},
};

}  // namespace

bool ImagePracticeExercise::stateRepeatsSteps(const ShellState& shell) const {
    return imagePracticeStepRepeats(image_, shell.displayTicks);
}

Outcome ImagePracticeExercise::pointerDown(Context& context, int x, int y) {
    clickImagePractice(image_, context, x, y);
    return Outcome::None;
}

std::span<const KeyBinding> ImagePracticeExercise::keys() const { return kKeys; }

// The template, newly chosen or not, asks a question at the step after.
void ImagePracticeExercise::select(CommandMeaning /*meaning*/) { image_.questionPhase = QuestionPhase::Due; }

void ImagePracticeExercise::openFile(std::string name, Platform& platform, const StoredSettings& /*kept*/) {
    image_.templateFileName = std::move(name);
    loadTemplateFile(image_, platform, image_.templateFileName);
}

bool ImagePracticeExercise::ownsCommand(CommandAction action) const {
    return action == CommandAction::AnswerRow || action == CommandAction::NextQuestion;
}

bool ImagePracticeExercise::commandAvailable(CommandMeaning meaning) const {
    return meaning.action != CommandAction::NextQuestion || questionAnswered(image_);
}

bool ImagePracticeExercise::runCommand(CommandMeaning meaning, Context& context) {
    if (meaning.action == CommandAction::AnswerRow) {
        answerWithRow(image_, context, meaning.value);
    } else if (meaning.action == CommandAction::NextQuestion) {
        // A click where no row is, as a click anywhere does once answered.
        clickImagePractice(image_, context, -1, -1);
    }
    return false;
}

std::string ImagePracticeExercise::statusLine() const {
    const std::string gap(kStatusGap);
    std::string line = "回答 " + std::to_string(image_.questionsAnswered) + gap + "一度で正解 " +
                       std::to_string(image_.rightAtFirstTry) + gap + "誤り " + std::to_string(image_.wrongAnswers);
    if (image_.questionsAnswered > 0) {
        // Ticks are tenths of a second.
        line += gap + "平均 " + statusTenths(image_.answerTicks / image_.questionsAnswered) + " 秒";
    }
    return line;
}

void ImagePracticeExercise::beginSession() {
    atSessionStart_ = Counters{image_.questionsAnswered, image_.rightAtFirstTry, image_.wrongAnswers, image_.answerTicks};
}

bool ImagePracticeExercise::sessionFigures(SessionRecord& record) const {
    record.exercise = RecordedExercise::ImagePractice;
    record.textName = fileNameOf(image_.templateFileName, kDefaultTemplateName);
    record.questions = image_.questionsAnswered - atSessionStart_.questions;
    record.rightFirstTime = image_.rightAtFirstTry - atSessionStart_.rightFirstTime;
    record.wrongAnswers = image_.wrongAnswers - atSessionStart_.wrong;
    // Ticks are tenths of a second.
    const std::int64_t answerMilliseconds = (image_.answerTicks - atSessionStart_.answerTicks) * 100;
    record.meanAnswerMilliseconds = record.questions > 0 ? answerMilliseconds / record.questions : 0;
    return record.questions > 0 || record.wrongAnswers > 0;
}

void ImagePracticeExercise::restoreSettings(const StoredSettings& kept, Platform& platform) {
    // A template that is no longer there leaves the one beside the program.
    if (kept.templatePath && platform.openFile(*kept.templatePath)) {
        image_.templateFileName = *kept.templatePath;
    }
}

void ImagePracticeExercise::startUp(Platform& platform, const StoredSettings& /*kept*/) {
    loadTemplateFile(image_, platform,
                     image_.templateFileName == kDefaultTemplateName ? siblingPath(platform, "tvr", ".tvr3")
                                                                     : image_.templateFileName);
}

void ImagePracticeExercise::keepSettings(StoredSettings& now) const {
    if (image_.templateFileName != kDefaultTemplateName) {
        now.templatePath = image_.templateFileName;
    }
}

}  // namespace tavori
