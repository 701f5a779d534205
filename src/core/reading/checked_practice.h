// Checked practice: after each stretch of about 1,000 characters shown, the paging stops for one
// question made from that stretch alone, and the answer moves the pace (reading/checked_pace.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/context.h"
#include "reading/checked_pace.h"
#include "readingtest/question_maker.h"

namespace tavori {

// About two minutes at an ordinary reader's pace: long enough for several sentences to ask
// about, short enough that the question is about what was just read.
inline constexpr std::int64_t kStretchCharacters = 1000;
// A stretch that gave no question by then (a list, a text with no sentence of 8 to 40
// characters) starts over, so that a text without sentences is not searched at every page.
inline constexpr std::int64_t kLongestStretch = 3000;
// The pace checked practice starts at when seconds a page were in force: an ordinary adult
// reader's (about 600 文字/分), from which it climbs or falls to the reader's own.
inline constexpr std::int32_t kFirstCheckedPace = 600;

struct CheckedPractice {
    bool on = false;
    CheckedPace pace;
    // The stretch shown since the last question: the text's bytes [start, end), its characters
    // and the text's characters before it. start < 0: nothing shown yet.
    std::int64_t stretchStart = -1;
    std::int64_t stretchEnd = -1;
    std::int64_t stretchCharacters = 0;
    std::int64_t charactersBeforeStretch = 0;
    // The question on screen, its heading (UTF-8) and the row chosen (−1 until answered).
    std::optional<TestQuestion> question;
    std::string heading;
    int chosenRow = -1;
    bool drawDue = false;  // the question is to be drawn (again) at the next step
    bool pageDue = false;  // the question was set aside: the next step clears it and pages on
};

// Counts a page or flash shown, bytes [start, end) of the text, into the stretch. A page that
// does not follow it (going back, starting over, the text wrapping to its beginning) starts a
// new stretch: the question is then about pages read in a row.
void noteShownForCheck(CheckedPractice& checked, std::int64_t start, std::int64_t end, std::int64_t characters,
                       std::int64_t charactersBefore);

bool checkedQuestionDue(const CheckedPractice& checked);

// Makes the question about the stretch from `text` (the loaded text up to its end). Only the
// stretch's whole sentences are asked about: its first, begun on an earlier page unless the
// stretch opens the text, and a last one that runs on past it are left out, so nothing that is
// still to come is named. Returns whether a question was made; a stretch that gives none goes on
// growing until kLongestStretch, then starts over.
bool askAboutStretch(CheckedPractice& checked, std::string_view text, std::int64_t textCharacters,
                     RandomGenerator& random);

void drawCheckedQuestion(CheckedPractice& checked, Context& context);

// Notes the answer in `row`, given at `perMinute`: returns the pace to go on at, and the
// heading says whether it was right and that pace.
std::int32_t answerCheckedQuestion(CheckedPractice& checked, int row, std::int32_t perMinute);

// The question answered goes: the next stretch starts with the next page shown.
void finishCheckedQuestion(CheckedPractice& checked);
// The question goes unanswered (the item turned off, another text): the next step pages on.
void setCheckedQuestionAside(CheckedPractice& checked);

}  // namespace tavori
