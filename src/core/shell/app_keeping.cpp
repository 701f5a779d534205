// What App keeps between runs: the settings file read at start-up and written after a change,
// the place in each text, and one line of the record for each session of an exercise.
#include <algorithm>
#include <cstring>

#include "record/history.h"
#include "record/report.h"
#include "shell/app.h"

namespace tavori {

namespace {

constexpr std::string_view kReportFileName = "report.html";
// Some 300,000 sessions, fifty a day for sixteen years: a record that long is read and charted
// in a fraction of a second, and a larger file (a hostile one of a million short lines) is not
// read at all rather than keep the reader waiting.
constexpr std::int64_t kHistoryFileLimit = std::int64_t{32} << 20;
constexpr std::string_view kDefaultTemplateName = "tvr.tvr3";

std::string fileNameOf(const std::string& path, std::string_view otherwise) {
    return path.empty() ? std::string(otherwise) : path.substr(path.find_last_of("/\\") + 1);
}

}  // namespace

void App::identifyReadingText() {
    const std::vector<char>& text = reading_.readingText;
    const auto length = static_cast<std::size_t>(std::find(text.begin(), text.end(), '\0') - text.begin());
    readingIdentity_ = identifyText(std::string_view(text.data(), length));
}

void App::restoreKept() {
    const std::optional<std::string> bytes = platform_.readStoredFile(kSettingsFileName, kSettingsFileLimit);
    if (!bytes) {
        return;
    }
    keptText_ = *bytes;
    kept_ = parseSettings(*bytes);
    shell_.displayTicks = kept_.displayTicks.value_or(shell_.displayTicks);
    reading_.bytesPerLine = kept_.bytesPerLine.value_or(reading_.bytesPerLine);
    reading_.linesPerScreen = kept_.linesPerScreen.value_or(reading_.linesPerScreen);
    reading_.vertical = kept_.vertical.value_or(reading_.vertical);
    if (kept_.mazeSize) {
        maze_.mazeWidth = maze_.mazeHeight = *kept_.mazeSize;
        mazeSizeChosen_ = true;
    }
    // A text or template that is no longer there leaves the one beside the program.
    if (kept_.textPath && platform_.openFile(*kept_.textPath)) {
        reading_.readingFileName = *kept_.textPath;
    }
    if (kept_.templatePath && platform_.openFile(*kept_.templatePath)) {
        imagePractice_.templateFileName = *kept_.templatePath;
    }
}

void App::keepReadingPlace() {
    const std::int64_t pageStart = reading_.pagesShown.empty() ? reading_.readingPosition : reading_.pagesShown.back().start;
    // A text never paged past its beginning needs no place of its own.
    if (readingIdentity_.length > 0 && (pageStart > 0 || placeOf(kept_.places, readingIdentity_))) {
        keepPlace(kept_.places, KeptPlace{readingIdentity_, pageStart});
    }
    keepSettings();
}

void App::keepSettings() {
    StoredSettings now = kept_;
    now.displayTicks = shell_.displayTicks;
    now.bytesPerLine = reading_.bytesPerLine;
    now.linesPerScreen = reading_.linesPerScreen;
    if (mazeSizeChosen_) {
        now.mazeSize = maze_.mazeWidth;
    }
    // A reader who has never set a page in columns finds no line for it.
    if (reading_.vertical || now.vertical) {
        now.vertical = reading_.vertical;
    }
    if (!reading_.readingFileName.empty()) {
        now.textPath = reading_.readingFileName;
    }
    if (imagePractice_.templateFileName != kDefaultTemplateName) {
        now.templatePath = imagePractice_.templateFileName;
    }
    std::string text = formatSettings(now);
    // Written once per change: a folder that cannot be written is not tried again for it.
    if (text != keptText_) {
        // Another copy of the program may have written since: its settings give way to these,
        // the last written, but the places it kept in other texts stay, after this one's.
        const std::optional<std::string> onDisk = platform_.readStoredFile(kSettingsFileName, kSettingsFileLimit);
        if (onDisk && *onDisk != keptText_) {
            const StoredSettings theirs = parseSettings(*onDisk);
            for (const KeptPlace& place : theirs.places) {
                if (!placeOf(now.places, place.text)) {
                    now.places.push_back(place);
                }
            }
            now.places.resize(std::min(now.places.size(), kKeptPlaces));
            text = formatSettings(now);
        }
        platform_.writeStoredFile(kSettingsFileName, text);
        keptText_ = std::move(text);
    }
    kept_ = std::move(now);
}

void App::beginSession() {
    session_ = SessionStart{shell_.currentMode,
                            platform_.localTime(),
                            reading_.charactersShownInAll,
                            reading_.ticksInAll,
                            reading_.pageTicksInAll,
                            imagePractice_.questionsAnswered,
                            imagePractice_.rightAtFirstTry,
                            imagePractice_.wrongAnswers,
                            imagePractice_.answerTicks,
                            maze_.mazesSolved,
                            maze_.solvingMilliseconds,
                            puzzle_.puzzlesSolved,
                            puzzle_.solvingTicks,
                            true};
}

std::optional<SessionRecord> App::sessionSoFar() const {
    if (!session_.running) {
        return std::nullopt;
    }
    SessionRecord record;
    record.start = session_.at;
    record.displayTicks = shell_.displayTicks;
    record.characters = reading_.bytesPerLine / 2;
    record.rows = reading_.linesPerScreen;
    record.mazeSize = maze_.mazeWidth - 1;
    record.vertical = reading_.vertical;
    const auto perMinute = [](std::int64_t characters, std::int64_t ticks) { return ticks > 0 ? characters * 600 / ticks : 0; };
    const auto mean = [](std::int64_t total, std::int64_t count) { return count > 0 ? total / count : 0; };
    bool anything = false;
    switch (session_.mode) {
        case Mode::SpeedReading: {
            record.exercise = RecordedExercise::Reading;
            record.textName = fileNameOf(reading_.readingFileName, "w.txt");
            record.charactersShown = reading_.charactersShownInAll - session_.characters;
            const std::int64_t ticks = reading_.ticksInAll - session_.ticks;
            record.activeMilliseconds = ticks * 100;
            record.nominalPerMinute = perMinute(record.charactersShown, reading_.pageTicksInAll - session_.pageTicks);
            record.measuredPerMinute = perMinute(record.charactersShown, ticks);
            anything = record.charactersShown > 0;
            break;
        }
        case Mode::ImagePractice:
            record.exercise = RecordedExercise::ImagePractice;
            record.textName = fileNameOf(imagePractice_.templateFileName, kDefaultTemplateName);
            record.questions = imagePractice_.questionsAnswered - session_.questions;
            record.rightFirstTime = imagePractice_.rightAtFirstTry - session_.rightFirstTime;
            record.wrongAnswers = imagePractice_.wrongAnswers - session_.wrong;
            // Ticks are tenths of a second.
            record.meanAnswerMilliseconds = mean((imagePractice_.answerTicks - session_.answerTicks) * 100, record.questions);
            anything = record.questions > 0 || record.wrongAnswers > 0;
            break;
        case Mode::Maze:
            record.exercise = RecordedExercise::Maze;
            record.mazesSolved = maze_.mazesSolved - session_.mazes;
            record.meanMazeMilliseconds = mean(maze_.solvingMilliseconds - session_.mazeMilliseconds, record.mazesSolved);
            anything = record.mazesSolved > 0;
            break;
        case Mode::Puzzle:
            record.exercise = RecordedExercise::Puzzle;
            record.puzzlesSolved = puzzle_.puzzlesSolved - session_.puzzles;
            record.meanPuzzleMilliseconds = mean((puzzle_.solvingTicks - session_.puzzleTicks) * 100, record.puzzlesSolved);
            // Tiles on the screen for a step or more were shown.
            anything = record.puzzlesSolved > 0 || puzzle_.puzzleState > 1;
            break;
    }
    return anything ? std::optional(record) : std::nullopt;
}

void App::endSession() {
    if (const std::optional<SessionRecord> record = sessionSoFar()) {
        platform_.appendToStoredFile(kHistoryFileName, historyHeader(), historyLine(*record));
    }
    session_.running = false;
}

void App::openRecord() {
    std::vector<SessionRecord> sessions;
    if (const auto history = platform_.readStoredFile(kHistoryFileName, kHistoryFileLimit)) {
        sessions = parseHistory(*history);
    }
    // The session on screen counts too, though it is recorded only when it ends.
    if (const std::optional<SessionRecord> current = sessionSoFar()) {
        sessions.push_back(*current);
    }
    if (platform_.writeStoredFile(kReportFileName, reportHtml(sessions, platform_.localTime()))) {
        platform_.openWithShell(platform_.storedFilePath(kReportFileName), ShellOwner::MainWindow);
    }
}

}  // namespace tavori
