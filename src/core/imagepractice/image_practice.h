// Image practice: the state of the exercise and the entry points the shell calls.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "common/context.h"
#include "imagepractice/template_file.h"

namespace tavori {

// Where the question on screen stands. A question shown flashes its sentence, then shows the
// answer rows; which of the two is read from its step count and the display time in force, so a
// display time made longer during the answer rows brings the flash back.
enum class QuestionPhase {
    Answered,  // the right row was chosen (and at start): a click asks the next question
    Due,       // the next step builds and draws a question
    Shown,     // flashing or showing the answer rows
};

struct ImagePracticeState {
    std::string templateFileName = "tvr.tvr3";  // the dialog's name buffer
    TemplateFile templateFile;
    // The sentence to flash and the three answer texts in row order; both keep their contents
    // from one question to the next (a failed build leaves the candidates as they were).
    std::string shownSentence;
    std::array<std::string, 3> candidates;
    QuestionPhase questionPhase = QuestionPhase::Answered;
    // Steps since the question was drawn, from 1: the sentence flashes while they are fewer than
    // the display time, then the answer rows show and the count stops.
    std::int32_t questionSteps = 0;
    // The reader's score since the program started.
    std::int32_t questionsAnswered = 0;
    std::int32_t rightAtFirstTry = 0;
    std::int32_t wrongAnswers = 0;
    std::int64_t answerTicks = 0;  // from the candidates' appearing to the right answer, summed
    // This question's wrong answers, and its steps since the candidates appeared (−1 before).
    std::int32_t wrongThisQuestion = 0;
    std::int32_t ticksSinceCandidates = -1;
};

// Loads and indexes a template file (an unloadable file gives the empty template).
void loadTemplateFile(ImagePracticeState& image, Platform& platform, const std::string& fileName);

// One step of the question screen, run after every tick and menu command in this mode.
void stepImagePractice(ImagePracticeState& image, Context& context);
// Whether a step now draws what the last one did and changes only the answer's count of
// steps: before the first question, once answered, and in the answer phase.
bool imagePracticeStepRepeats(const ImagePracticeState& image, std::int32_t displayTicks);
// What `count` such steps do.
void passImagePracticeSteps(ImagePracticeState& image, std::int64_t count);
// A left press at client coordinates (any int, however far outside the window).
void clickImagePractice(ImagePracticeState& image, Context& context, int x, int y);
// What a click in the middle of answer row `row` (0..2) does.
void answerWithRow(ImagePracticeState& image, Context& context, int row);
// Whether the question is answered (or none asked yet), so that a click anywhere asks the next.
bool questionAnswered(const ImagePracticeState& image);

}  // namespace tavori
