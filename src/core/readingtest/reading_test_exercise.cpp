// The reading test's adapter: what the shell asks of it, carried out over ReadingTestState.
#include "readingtest/reading_test_exercise.h"

#include <algorithm>

#include "readingtest/test_screens.h"
#include "record/history.h"
#include "shell/status_line.h"

namespace tavori {

namespace {

constexpr KeyBinding kKeys[] = {
    {Key::Space, CommandId::TestNext},         {Key::Return, CommandId::TestNext},
    {Key::Right, CommandId::TestNext},         {Key::PageDown, CommandId::TestNext},
    {Key::Left, CommandId::TestPreviousPage},  {Key::PageUp, CommandId::TestPreviousPage},
    {Key::One, CommandId::TestAnswerFirst},    {Key::Two, CommandId::TestAnswerFirst + 1},
    {Key::Three, CommandId::TestAnswerFirst + 2}, {Key::Escape, CommandId::TestAbandon},
};

// About this many characters of the reader's own text make a test, as long as a bundled one.
constexpr int kOwnTextCharacters = 2000;

bool underWay(const ReadingTestState& test) {
    return test.phase == TestPhase::Intro || test.phase == TestPhase::Reading || test.phase == TestPhase::Question ||
           test.phase == TestPhase::Answered;
}

std::vector<SessionRecord> recordedSessions(Platform& platform) {
    const auto history = platform.readStoredFile(kHistoryFileName, kHistoryFileLimit);
    return history ? parseHistory(*history) : std::vector<SessionRecord>{};
}

}  // namespace

void ReadingTestExercise::setUp(Context& context) {
    setUpDue_ = false;
    const std::vector<SessionRecord> sessions = recordedSessions(context.platform);
    noteEarlierResults(test_, sessions);
    if (chosen_.action == CommandAction::ShowTestResults) {
        // The last finished test in the record (a test on screen was written there as this
        // choice ended its session), compared with those before it.
        const auto last = std::find_if(sessions.rbegin(), sessions.rend(), [](const SessionRecord& session) {
            return session.exercise == RecordedExercise::ReadingTest && !session.abandoned;
        });
        if (last == sessions.rend()) {
            test_.phase = TestPhase::None;
        } else {
            noteEarlierResults(test_, std::span(sessions).first(static_cast<std::size_t>(sessions.rend() - last) - 1));
            test_.test = resultOf(*last);
            test_.phase = TestPhase::Result;
        }
        test_.drawDue = true;
        return;
    }
    const ReadingState& reading = reading_.state();
    const TestLayout layout{reading.bytesPerLine, reading.linesPerScreen, reading.vertical, reading.phraseRows};
    const int level = std::clamp(chosen_.value, 0, kTestLevels);
    TestPassage passage;
    if (level == kOwnTextLevel) {
        const std::vector<char>& text = reading.readingText;
        const std::string_view whole(text.data(), static_cast<std::size_t>(std::find(text.begin(), text.end(), '\0') - text.begin()));
        const std::int64_t place = reading.pagesShown.empty() ? reading.readingPosition : reading.pagesShown.back().start;
        passage.title = fileNameOf(reading.readingFileName, "w.txt");
        passage.text = passageText(excerptFrom(whole, static_cast<std::size_t>(std::max<std::int64_t>(place, 0)), kOwnTextCharacters));
    } else {
        // The level's two passages in turn, by the tests of that level already recorded, so
        // that a reader compares like with like week on week.
        const auto taken = std::count_if(sessions.begin(), sessions.end(), [level](const SessionRecord& session) {
            return session.exercise == RecordedExercise::ReadingTest && !session.abandoned && session.testLevel == level;
        });
        passage = loadBundledPassage(context.platform, level, static_cast<int>(taken % 2));
    }
    setUpTest(test_, std::move(passage), level, layout);
}

void ReadingTestExercise::step(Context& context) {
    if (setUpDue_) setUp(context);
    if (test_.drawDue) {
        test_.drawDue = false;
        drawTestScreen(test_, context);
    }
}

Outcome ReadingTestExercise::pointerDown(Context& context, int x, int y) {
    if (test_.phase == TestPhase::Question) {
        if (const std::optional<int> row = choiceRowAt(context.shell, x, y)) testAnswer(test_, context, *row);
        return Outcome::None;
    }
    runCommand(commandMeaning(CommandId::TestNext), context);
    return Outcome::None;
}

void ReadingTestExercise::repaint(Context& context) {
    if (!setUpDue_) drawTestScreen(test_, context);
}

std::span<const KeyBinding> ReadingTestExercise::keys() const { return kKeys; }

bool ReadingTestExercise::selectedBy(CommandAction action) const {
    return action == CommandAction::StartReadingTest || action == CommandAction::ShowTestResults;
}

// A new test or the results, chosen during a test, end its session (abandoning it) first.
bool ReadingTestExercise::splitsSession(CommandMeaning meaning) const { return selectedBy(meaning.action); }

void ReadingTestExercise::select(CommandMeaning meaning) {
    // A test left for another exercise, or for this choice, is over.
    if (underWay(test_)) test_.phase = TestPhase::Abandoned;
    chosen_ = meaning;
    setUpDue_ = true;
}

bool ReadingTestExercise::ownsCommand(CommandAction action) const {
    return action == CommandAction::TestNext || action == CommandAction::TestPreviousPage ||
           action == CommandAction::TestAnswer || action == CommandAction::AbandonTest;
}

bool ReadingTestExercise::commandAvailable(CommandMeaning meaning) const {
    switch (meaning.action) {
        case CommandAction::TestNext:
            return test_.phase == TestPhase::Intro || test_.phase == TestPhase::Reading || test_.phase == TestPhase::Answered;
        case CommandAction::TestPreviousPage: return test_.phase == TestPhase::Reading;
        case CommandAction::TestAnswer: return test_.phase == TestPhase::Question;
        case CommandAction::AbandonTest: return underWay(test_);
        default: return true;
    }
}

bool ReadingTestExercise::runCommand(CommandMeaning meaning, Context& context) {
    switch (meaning.action) {
        case CommandAction::TestNext: {
            const bool wasIntro = test_.phase == TestPhase::Intro;
            testNext(test_, context);
            if (wasIntro && testStarted(test_)) ++starts_;
            return false;
        }
        case CommandAction::TestPreviousPage: testPreviousPage(test_, context); return false;
        case CommandAction::TestAnswer: testAnswer(test_, context, meaning.value); return false;
        case CommandAction::AbandonTest:
            abandonTest(test_);
            step(context);
            return false;
        default: return false;
    }
}

bool ReadingTestExercise::sessionFigures(SessionRecord& record) const {
    // A test belongs to the session its clock started in; one merely introduced is not one.
    if (starts_ == startsAtSessionStart_) return false;
    const TestResult& result = test_.test;
    record.exercise = RecordedExercise::ReadingTest;
    record.textName = result.title;
    record.testLevel = result.level;
    record.abandoned = test_.phase != TestPhase::Result;
    record.charactersShown = result.characters;
    record.activeMilliseconds = result.milliseconds;
    record.measuredPerMinute = record.abandoned ? 0 : result.perMinute();
    record.questions = record.abandoned ? 0 : result.questions;
    record.rightAnswers = record.abandoned ? 0 : result.right;
    record.meanAnswerMilliseconds = result.questions > 0 ? result.answerMilliseconds / result.questions : 0;
    record.effectivePerMinute = record.abandoned ? 0 : result.effectivePerMinute();
    return true;
}

}  // namespace tavori
