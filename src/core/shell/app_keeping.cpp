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

}  // namespace

void App::restoreKept() {
    const std::optional<std::string> bytes = platform_.readStoredFile(kSettingsFileName, kSettingsFileLimit);
    if (!bytes) {
        return;
    }
    keptText_ = *bytes;
    kept_ = parseSettings(*bytes);
    shell_.displayTicks = kept_.displayTicks.value_or(shell_.displayTicks);
    shell_.pacePerMinute = kept_.pacePerMinute.value_or(shell_.pacePerMinute);
    for (const auto& exercise : exercises_) {
        exercise->restoreSettings(kept_, platform_);
    }
}

void App::keepPlaceOf(const Exercise& exercise) {
    if (!exercise.keepsPlace()) {
        return;
    }
    exercise.keepPlace(kept_);
    keepSettings();
}
void App::keepSettings() {
    StoredSettings now = kept_;
    now.displayTicks = shell_.displayTicks;
    // A reader who has never chosen a pace finds no line for it.
    if (shell_.pacePerMinute > 0 || now.pacePerMinute) {
        now.pacePerMinute = shell_.pacePerMinute;
    }
    for (const auto& exercise : exercises_) {
        exercise->keepSettings(now);
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
    sessionExercise_ = &current();
    sessionStart_ = platform_.localTime();
    current().beginSession();
}

std::optional<SessionRecord> App::sessionSoFar() const {
    if (sessionExercise_ == nullptr) {
        return std::nullopt;
    }
    SessionRecord record;
    record.start = sessionStart_;
    record.displayTicks = shell_.displayTicks;
    record.pacePerMinute = shell_.pacePerMinute;
    for (const auto& exercise : exercises_) {
        exercise->recordSettings(record);
    }
    return sessionExercise_->sessionFigures(record) ? std::optional(record) : std::nullopt;
}

void App::endSession() {
    if (const std::optional<SessionRecord> record = sessionSoFar()) {
        platform_.appendToStoredFile(kHistoryFileName, historyHeader(), historyLine(*record));
    }
    sessionExercise_ = nullptr;
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
