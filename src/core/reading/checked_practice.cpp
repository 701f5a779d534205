// The stretch counted page by page, its whole sentences handed to the reading test's question
// maker, and the answer screen drawn with the reading test's.
#include "reading/checked_practice.h"

#include <algorithm>

#include "phrases/phrase_segmenter.h"
#include "readingtest/sentence_spans.h"
#include "readingtest/test_screens.h"

namespace tavori {

namespace {

std::int64_t percentOf(std::int64_t characters, std::int64_t textCharacters) {
    return textCharacters > 0 ? std::clamp<std::int64_t>(characters * 100 / textCharacters, 0, 100) : 0;
}

void startStretch(CheckedPractice& checked) {
    checked.stretchStart = -1;
    checked.stretchEnd = -1;
    checked.stretchCharacters = 0;
}

}  // namespace

void noteShownForCheck(CheckedPractice& checked, std::int64_t start, std::int64_t end, std::int64_t characters,
                       std::int64_t charactersBefore) {
    if (!checked.on) {
        return;
    }
    if (checked.stretchStart < 0 || start != checked.stretchEnd) {
        checked.stretchStart = start;
        checked.stretchCharacters = 0;
        checked.charactersBeforeStretch = charactersBefore;
    }
    checked.stretchEnd = end;
    checked.stretchCharacters += characters;
}

bool checkedQuestionDue(const CheckedPractice& checked) {
    return checked.on && !checked.question && checked.stretchCharacters >= kStretchCharacters;
}

bool askAboutStretch(CheckedPractice& checked, std::string_view text, std::int64_t textCharacters,
                     RandomGenerator& random) {
    const auto start = static_cast<std::size_t>(std::clamp<std::int64_t>(checked.stretchStart, 0, static_cast<std::int64_t>(text.size())));
    const auto end = static_cast<std::size_t>(std::clamp<std::int64_t>(checked.stretchEnd, 0, static_cast<std::int64_t>(text.size())));
    const std::string_view stretch = text.substr(start, end > start ? end - start : 0);
    std::vector<SentenceSpan> sentences = sentenceSpans(stretch);
    // A sentence reaching the stretch's end may go on on the next page; one at its start may
    // have begun on the page before it.
    if (!sentences.empty() && sentences.back().end == stretch.size() && end < text.size()) sentences.pop_back();
    if (!sentences.empty() && start > 0) sentences.erase(sentences.begin());
    std::vector<TestQuestion> questions;
    if (!sentences.empty()) {
        const std::string_view whole = stretch.substr(sentences.front().start, sentences.back().end - sentences.front().start);
        questions = makeQuestions(whole, phraseStarts(whole), 1, random);
    }
    if (questions.empty()) {
        if (checked.stretchCharacters >= kLongestStretch) startStretch(checked);
        return false;
    }
    checked.question = std::move(questions.front());
    checked.chosenRow = -1;
    checked.drawDue = true;
    const std::int64_t before = checked.charactersBeforeStretch;
    checked.heading = "確認 " + std::to_string(checked.pace.asked + 1) + "問目　いま読んだ " +
                      std::to_string(checked.stretchCharacters) + " 字（進み " +
                      std::to_string(percentOf(before, textCharacters)) + "～" +
                      std::to_string(percentOf(before + checked.stretchCharacters, textCharacters)) +
                      "%）から　1・2・3で答える";
    return true;
}

void drawCheckedQuestion(CheckedPractice& checked, Context& context) {
    checked.drawDue = false;
    if (checked.question) {
        drawQuestionScreen(context, checked.heading, *checked.question, checked.chosenRow);
    }
}

std::int32_t answerCheckedQuestion(CheckedPractice& checked, int row, std::int32_t perMinute) {
    const bool right = row == checked.question->answer;
    const std::int32_t next = answerAtPace(checked.pace, perMinute, right);
    checked.chosenRow = row;
    checked.drawDue = true;
    checked.heading = std::string(right ? "正解" : "不正解") + "　" + std::to_string(next) + " 文字/分" +
                      (next > perMinute ? "に上げて" : next < perMinute ? "に下げて" : "のまま") +
                      "続けます（Space・→・クリック）";
    return next;
}

void finishCheckedQuestion(CheckedPractice& checked) {
    checked.question.reset();
    checked.chosenRow = -1;
    checked.drawDue = false;
    startStretch(checked);
}

void setCheckedQuestionAside(CheckedPractice& checked) {
    if (checked.question) {
        finishCheckedQuestion(checked);
        checked.pageDue = true;
    }
}

}  // namespace tavori
