// Speed reading's adapter: what the shell asks of it, carried out over ReadingState.
#include "reading/reading_exercise.h"

#include <algorithm>

#include "files/files.h"
#include "gfx/primitives.h"
#include "readingtest/test_screens.h"
#include "shell/status_line.h"

namespace tavori {

namespace {

constexpr std::string_view kStartUpText = "w.txt";

constexpr KeyBinding kKeys[] = {
    {Key::Space, CommandId::PauseOrResume},   {Key::Right, CommandId::NextPage},
    {Key::PageDown, CommandId::NextPage},     {Key::Left, CommandId::PreviousPage},
    {Key::PageUp, CommandId::PreviousPage},   {Key::Home, CommandId::FromTheBeginning},
    {Key::Up, CommandId::ShorterDisplayTime}, {Key::Down, CommandId::LongerDisplayTime},
    // Checked practice's answers: the reading test's items, available only while a question of
    // checked practice waits.
    {Key::One, CommandId::TestAnswerFirst},   {Key::Two, CommandId::TestAnswerFirst + 1},
    {Key::Three, CommandId::TestAnswerFirst + 2},
};

}  // namespace

void ReadingExercise::step(Context& context) {
    // Checked practice moves a pace in 文字/分: turned on at seconds a page, it starts at one.
    if (reading_.checked.on && context.shell.pacePerMinute == 0) {
        context.shell.pacePerMinute = kFirstCheckedPace;
        paceChanged(reading_, context.shell);
    }
    stepSpeedReading(reading_, context);
}

bool ReadingExercise::stateRepeatsSteps(const ShellState& /*shell*/) const {
    const CheckedPractice& checked = reading_.checked;
    return (reading_.paused || checked.question) && !checked.drawDue && !checked.pageDue;
}

bool ReadingExercise::waitsForInput() const {
    return reading_.checked.question && !reading_.checked.drawDue;
}

Outcome ReadingExercise::pointerDown(Context& context, int x, int y) {
    if (questionUnanswered()) {
        if (const std::optional<int> row = choiceRowAt(context.shell, x, y)) answerQuestion(*row, context);
    } else if (reading_.checked.question) {
        goOnAfterQuestion(CommandAction::NextPage, context);
    }
    return Outcome::None;
}

void ReadingExercise::repaint(Context& context) {
    if (reading_.checked.question) drawCheckedQuestion(reading_.checked, context);
}

void ReadingExercise::answerQuestion(int row, Context& context) {
    if (!questionUnanswered() || row < 0 || row > 2) return;
    context.shell.pacePerMinute = answerCheckedQuestion(reading_.checked, row, context.shell.pacePerMinute);
    paceChanged(reading_, context.shell);
    drawCheckedQuestion(reading_.checked, context);
}

void ReadingExercise::goOnAfterQuestion(CommandAction action, Context& context) {
    finishCheckedQuestion(reading_.checked);
    clearScreen(context.window, context.shell.clientWidth, context.shell.clientHeight);
    if (action == CommandAction::FromTheBeginning) {
        showFirstPage(reading_, context);
        return;
    }
    if (action == CommandAction::PreviousPage && !reading_.pagesShown.empty()) {
        // The page last shown before the question, again.
        reading_.readingPosition = reading_.pagesShown.back().start;
        reading_.pagesShown.pop_back();
    }
    showNextPage(reading_, context);
}

std::span<const KeyBinding> ReadingExercise::keys() const { return kKeys; }

bool ReadingExercise::selectedBy(CommandAction action) const {
    return action == CommandAction::LoadReadingText || action == CommandAction::SetLineWidth ||
           action == CommandAction::SetLines || action == CommandAction::ToggleVertical ||
           action == CommandAction::TogglePhraseRows || action == CommandAction::SetPhraseFlash ||
           action == CommandAction::ToggleCheckedPractice;
}

// Each session of reading runs in one direction and one way of cutting the text (bytes, phrase
// rows, flashes): the one on screen ends with the pages it showed, and the next begins with the
// command's own step. A row count ends the flashes.
bool ReadingExercise::splitsSession(CommandMeaning meaning) const {
    return meaning.action == CommandAction::ToggleVertical || meaning.action == CommandAction::TogglePhraseRows ||
           meaning.action == CommandAction::SetPhraseFlash || meaning.action == CommandAction::ToggleCheckedPractice ||
           (meaning.action == CommandAction::SetLines && reading_.phrasesPerFlash > 0);
}

void ReadingExercise::select(CommandMeaning meaning) {
    // The shell has cleared the window: a question waiting is drawn again.
    reading_.checked.drawDue = reading_.checked.question.has_value();
    switch (meaning.action) {
        case CommandAction::SetLineWidth:
            reading_.bytesPerLine = meaning.value;
            measureSpeedAfresh(reading_);
            return;
        case CommandAction::SetLines:
            reading_.linesPerScreen = meaning.value;
            reading_.phrasesPerFlash = 0;
            measureSpeedAfresh(reading_);
            return;
        case CommandAction::TogglePhraseRows:
            reading_.phraseRows = !reading_.phraseRows;
            measureSpeedAfresh(reading_);
            return;
        case CommandAction::SetPhraseFlash:
            // The flash in force chosen again goes back to pages.
            reading_.phrasesPerFlash = reading_.phrasesPerFlash == meaning.value ? 0 : meaning.value;
            measureSpeedAfresh(reading_);
            return;
        case CommandAction::ToggleVertical:
            reading_.vertical = !reading_.vertical;
            measureSpeedAfresh(reading_);
            return;
        case CommandAction::ToggleCheckedPractice:
            // Off, the pace stays where the answers left it, and a question waiting goes.
            reading_.checked.on = !reading_.checked.on;
            setCheckedQuestionAside(reading_.checked);
            reading_.checked.stretchStart = -1;
            reading_.checked.stretchCharacters = 0;
            return;
        default:
            return;
    }
}

void ReadingExercise::openFile(std::string name, Platform& platform, const StoredSettings& kept) {
    reading_.readingFileName = std::move(name);
    loadReadingText(reading_, platform, reading_.readingFileName);
    identifyAndResume(kept);
}

bool ReadingExercise::ownsCommand(CommandAction action) const {
    return action == CommandAction::PauseOrResume || action == CommandAction::NextPage ||
           action == CommandAction::PreviousPage || action == CommandAction::FromTheBeginning ||
           action == CommandAction::TestAnswer;
}

// A question waiting is answered before anything else: the paging keys wait for the answer.
bool ReadingExercise::commandAvailable(CommandMeaning meaning) const {
    if (meaning.action == CommandAction::TestAnswer) {
        return questionUnanswered();
    }
    return !questionUnanswered();
}

bool ReadingExercise::runCommand(CommandMeaning meaning, Context& context) {
    if (meaning.action == CommandAction::TestAnswer) {
        answerQuestion(meaning.value, context);
        // The pace the answer set is kept at once.
        return true;
    }
    if (reading_.checked.question) {
        goOnAfterQuestion(meaning.action, context);
        return false;
    }
    switch (meaning.action) {
        case CommandAction::PauseOrResume:
            reading_.paused = !reading_.paused;
            if (!reading_.paused) {
                measureSpeedAfresh(reading_);
            }
            // A pause is where a reader may stop for the day.
            return reading_.paused;
        case CommandAction::NextPage:
            if (!askCheckedQuestionIfDue(reading_, context)) showNextPage(reading_, context);
            return false;
        case CommandAction::PreviousPage:
            showPreviousPage(reading_, context);
            return false;
        case CommandAction::FromTheBeginning:
            showFirstPage(reading_, context);
            return false;
        default:
            return false;
    }
}

std::optional<bool> ReadingExercise::commandChecked(CommandMeaning meaning) const {
    switch (meaning.action) {
        case CommandAction::SetLineWidth:
            return meaning.value == reading_.bytesPerLine;
        case CommandAction::SetLines:
            return meaning.value == reading_.linesPerScreen;
        case CommandAction::PauseOrResume:
            return reading_.paused;
        case CommandAction::ToggleVertical:
            return reading_.vertical;
        case CommandAction::TogglePhraseRows:
            return reading_.phraseRows;
        case CommandAction::SetPhraseFlash:
            return meaning.value == reading_.phrasesPerFlash;
        case CommandAction::ToggleCheckedPractice:
            return reading_.checked.on;
        default:
            return std::nullopt;
    }
}

void ReadingExercise::displayTimeChanged(const ShellState& shell) {
    // Seconds a page end checked practice: it moves a pace, and seconds are the reader's choice.
    if (reading_.checked.on && shell.pacePerMinute == 0) {
        reading_.checked.on = false;
        setCheckedQuestionAside(reading_.checked);
    }
    paceChanged(reading_, shell);
}

std::string ReadingExercise::statusLine() const {
    std::string line = fileNameOf(reading_.readingFileName, kStartUpText);
    const std::string gap(kStatusGap);
    // Before the speeds, so that speeds read in columns are not taken for those read in rows.
    if (reading_.vertical) {
        line += gap + "縦書き";
    }
    if (reading_.phrasesPerFlash > 0) {
        line += gap + "フレーズ " + std::to_string(reading_.phrasesPerFlash) + "文節";
    } else if (reading_.phraseRows) {
        line += gap + "文節で折り返し";
    }
    const ReadingState::Figures& figures = reading_.figures;
    if (figures.percent >= 0) {
        line += gap + "進み " + std::to_string(figures.percent) + "%";
        line += gap + "表示 " + std::to_string(figures.nominalPerMinute) + " 文字/分";
        if (figures.measuredPerMinute >= 0) {
            line += gap + "実測 " + std::to_string(figures.measuredPerMinute) + " 文字/分";
        }
    }
    const CheckedPace& checked = reading_.checked.pace;
    if (reading_.checked.on) {
        const std::int64_t asked = checked.asked - atSessionStart_.asked;
        const std::int64_t right = checked.right - atSessionStart_.right;
        line += gap + "確認 正解 " + std::to_string(right) + "/" + std::to_string(asked);
        if (asked > 0) line += "（" + std::to_string(right * 100 / asked) + "%）";
        if (checked.heldNow > 0) line += gap + "保てた速さ " + std::to_string(checked.heldNow) + " 文字/分";
        if (questionUnanswered()) line += gap + "確認の問題　1・2・3で答える";
    }
    if (reading_.paused) {
        line += gap + "一時停止";
    }
    return line;
}

void ReadingExercise::beginSession() {
    atSessionStart_ = Counters{reading_.charactersShownInAll, reading_.ticksInAll, reading_.pageTicksInAll,
                               reading_.checked.pace.asked, reading_.checked.pace.right};
    reading_.checked.pace.highestHeld = 0;
}

bool ReadingExercise::sessionFigures(SessionRecord& record) const {
    const auto perMinute = [](std::int64_t characters, std::int64_t ticks) { return ticks > 0 ? characters * 600 / ticks : 0; };
    record.exercise = RecordedExercise::Reading;
    record.textName = fileNameOf(reading_.readingFileName, kStartUpText);
    record.charactersShown = reading_.charactersShownInAll - atSessionStart_.characters;
    const std::int64_t ticks = reading_.ticksInAll - atSessionStart_.ticks;
    // Ticks are tenths of a second.
    record.activeMilliseconds = ticks * 100;
    record.nominalPerMinute = perMinute(record.charactersShown, reading_.pageTicksInAll - atSessionStart_.pageTicks);
    record.measuredPerMinute = perMinute(record.charactersShown, ticks);
    record.questions = reading_.checked.pace.asked - atSessionStart_.asked;
    record.rightAnswers = reading_.checked.pace.right - atSessionStart_.right;
    record.heldPerMinute = record.questions > 0 ? reading_.checked.pace.highestHeld : 0;
    return record.charactersShown > 0;
}

void ReadingExercise::recordSettings(SessionRecord& record) const {
    record.characters = reading_.bytesPerLine / 2;
    record.rows = reading_.linesPerScreen;
    record.vertical = reading_.vertical;
    record.phraseRows = reading_.phraseRows;
    record.phrasesPerFlash = reading_.phrasesPerFlash;
}

void ReadingExercise::restoreSettings(const StoredSettings& kept, Platform& platform) {
    reading_.bytesPerLine = kept.bytesPerLine.value_or(reading_.bytesPerLine);
    reading_.linesPerScreen = kept.linesPerScreen.value_or(reading_.linesPerScreen);
    reading_.vertical = kept.vertical.value_or(reading_.vertical);
    reading_.phraseRows = kept.phraseRows.value_or(reading_.phraseRows);
    reading_.phrasesPerFlash = kept.phrasesPerFlash.value_or(reading_.phrasesPerFlash);
    reading_.checked.on = kept.checkedPractice.value_or(reading_.checked.on);
    // A text that is no longer there leaves the one beside the program.
    if (kept.textPath && platform.openFile(*kept.textPath)) {
        reading_.readingFileName = *kept.textPath;
    }
}

void ReadingExercise::startUp(Platform& platform, const StoredSettings& kept) {
    loadReadingText(reading_, platform,
                    reading_.readingFileName.empty() ? siblingPath(platform, "w", ".txt") : reading_.readingFileName);
    identifyAndResume(kept);
}

void ReadingExercise::keepSettings(StoredSettings& now) const {
    now.bytesPerLine = reading_.bytesPerLine;
    now.linesPerScreen = reading_.linesPerScreen;
    // A reader who has never set a page in columns finds no line for it.
    if (reading_.vertical || now.vertical) {
        now.vertical = reading_.vertical;
    }
    if (reading_.phraseRows || now.phraseRows) {
        now.phraseRows = reading_.phraseRows;
    }
    if (reading_.phrasesPerFlash > 0 || now.phrasesPerFlash) {
        now.phrasesPerFlash = reading_.phrasesPerFlash;
    }
    if (reading_.checked.on || now.checkedPractice) {
        now.checkedPractice = reading_.checked.on;
    }
    if (!reading_.readingFileName.empty()) {
        now.textPath = reading_.readingFileName;
    }
}

void ReadingExercise::keepPlace(StoredSettings& kept) const {
    const std::int64_t pageStart = reading_.pagesShown.empty() ? reading_.readingPosition : reading_.pagesShown.back().start;
    // A text never paged past its beginning needs no place of its own.
    if (identity_.length > 0 && (pageStart > 0 || placeOf(kept.places, identity_))) {
        tavori::keepPlace(kept.places, KeptPlace{identity_, pageStart});
    }
}

void ReadingExercise::identifyAndResume(const StoredSettings& kept) {
    const std::vector<char>& text = reading_.readingText;
    const auto length = static_cast<std::size_t>(std::find(text.begin(), text.end(), '\0') - text.begin());
    identity_ = identifyText(std::string_view(text.data(), length));
    resumeAtPage(reading_, placeOf(kept.places, identity_).value_or(0));
}

}  // namespace tavori
