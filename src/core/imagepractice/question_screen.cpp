// The rows laid out from the client size, the step's phases (question due, flash, answer rows,
// answered) and the click test strictly inside a row.
#include "imagepractice/question_screen.h"

#include <algorithm>
#include <cstdint>

#include "common/saturating_count.h"
#include "gfx/primitives.h"
#include "imagepractice/image_practice.h"
#include "imagepractice/question.h"

namespace tavori {

namespace {

// A single space is stretched over the whole box, blanking it in the background colour.
constexpr std::string_view kBlank = " ";

// The rows' common left edge and the window's vertical middle, from the client size.
struct RowLayout {
    int left;
    int middle;

    static RowLayout of(const ShellState& shell) {
        return RowLayout{shell.clientWidth / 2 - kRowWidth / 2, shell.clientHeight / 2};
    }
    int sentenceTop() const { return middle + kSentenceRowOffset; }
    int answerTop(int row) const { return middle + kAnswerRowSpacing * row; }
};

void drawRowText(Canvas& canvas, const RowLayout& layout, int top, std::string_view text) {
    drawTextBox(canvas, text, layout.left, top, kRowWidth, kRowHeight, kWhite, kBlack);
}

void drawRowFrame(Canvas& canvas, const RowLayout& layout, int top) {
    drawFrame(canvas, layout.left - kFrameMargin, top - kFrameMargin, layout.left + kRowWidth + kFrameMargin,
              top + kRowHeight + kFrameMargin, kGreen);
}

// The sentence row's frame, then the first, second and third answer row's.
void drawFourFrames(Canvas& canvas, const RowLayout& layout) {
    drawRowFrame(canvas, layout, layout.sentenceTop());
    for (int row = 0; row < 3; ++row) {
        drawRowFrame(canvas, layout, layout.answerTop(row));
    }
}

bool inAnswerRows(const ImagePracticeState& image, std::int32_t displayTicks) {
    return image.questionPhase == QuestionPhase::Shown && image.questionSteps >= displayTicks;
}

}  // namespace

int compareText(std::string_view a, std::string_view b) {
    if (a == b) {
        return 1;
    }
    return a.size() < b.size() && b.substr(0, a.size()) == a ? -1 : 0;
}

void stepImagePractice(ImagePracticeState& image, Context& context) {
    Canvas& canvas = context.window;
    const RowLayout layout = RowLayout::of(context.shell);
    if (image.questionPhase == QuestionPhase::Due) {
        buildQuestion(image, context.random);
        image.wrongThisQuestion = 0;
        image.ticksSinceCandidates = -1;
        for (int row = 0; row < 3; ++row) {
            drawRowText(canvas, layout, layout.answerTop(row), kBlank);
        }
        drawRowText(canvas, layout, layout.sentenceTop(), image.shownSentence);
        drawFourFrames(canvas, layout);
        image.questionPhase = QuestionPhase::Shown;
        image.questionSteps = 1;
    } else if (inAnswerRows(image, context.shell.displayTicks)) {
        // The answer rows redraw at every step; the step count no longer changes.
        ++image.ticksSinceCandidates;
        drawRowText(canvas, layout, layout.sentenceTop(), kBlank);
        for (int row = 0; row < 3; ++row) {
            drawRowText(canvas, layout, layout.answerTop(row), image.candidates[static_cast<std::size_t>(row)]);
        }
        drawFourFrames(canvas, layout);
    } else if (image.questionPhase == QuestionPhase::Answered) {
        // The sentence comes back above the candidates, which stay as drawn before.
        drawRowText(canvas, layout, layout.sentenceTop(), image.shownSentence);
        drawFourFrames(canvas, layout);
    } else {
        ++image.questionSteps;
    }
}

bool imagePracticeStepRepeats(const ImagePracticeState& image, std::int32_t displayTicks) {
    return image.questionPhase == QuestionPhase::Answered || inAnswerRows(image, displayTicks);
}

void passImagePracticeSteps(ImagePracticeState& image, std::int64_t count) {
    if (image.questionPhase != QuestionPhase::Answered) {
        image.ticksSinceCandidates = addSteps(image.ticksSinceCandidates, count);
    }
}

void answerWithRow(ImagePracticeState& image, Context& context, int row) {
    const RowLayout layout = RowLayout::of(context.shell);
    clickImagePractice(image, context, layout.left + kRowWidth / 2, layout.answerTop(row) + kRowHeight / 2);
}

bool questionAnswered(const ImagePracticeState& image) { return image.questionPhase == QuestionPhase::Answered; }

void clickImagePractice(ImagePracticeState& image, Context& context, int x, int y) {
    if (image.questionPhase == QuestionPhase::Answered) {
        image.questionPhase = QuestionPhase::Due;
        return;
    }
    const RowLayout layout = RowLayout::of(context.shell);
    const int left = layout.left;
    if (x <= left || x >= left + kRowWidth) {
        return;
    }
    for (int row = 0; row < 3; ++row) {
        const int top = layout.answerTop(row);
        const bool inside = top < y && y < top + kRowHeight;
        if (!inside) {
            continue;
        }
        if (compareText(image.candidates[static_cast<std::size_t>(row)], image.shownSentence) == 1) {
            image.questionPhase = QuestionPhase::Answered;
            ++image.questionsAnswered;
            image.rightAtFirstTry += image.wrongThisQuestion == 0 ? 1 : 0;
            image.answerTicks += std::max(image.ticksSinceCandidates, 0);
        } else {
            ++image.wrongAnswers;
            ++image.wrongThisQuestion;
        }
    }
}

}  // namespace tavori
