// File faults through the whole program: a chosen file that is gone, cannot be read, changes
// while it is read or is far too large, for the reading text, the template and the sentences.
#include <gtest/gtest.h>

#include <string>

#include "files/files.h"
#include "shell/app.h"
#include "shell/menu.h"
#include "support/app_state_access.h"
#include "support/fake_platform.h"

namespace tavori {
namespace {

using testing::FakePlatform;

// "あいう" and "かき" as Shift-JIS lines.
constexpr std::string_view kReadingText = "\x82\xA0\x82\xA2\x82\xA4\r\n\x82\xA9\x82\xAB\r\n";
constexpr std::string_view kTemplate = "[main]\r\nx[s]\r\n\r\n[s]\r\ny\r\n\r\n";

class FileFaults : public ::testing::Test {
protected:
    FileFaults() : app(platform, AppConfig{3, ""}) {
        platform.addFile(platform.besideExecutable("w.txt"), std::string(kReadingText));
        platform.addFile(platform.besideExecutable("tvr.tvr3"), std::string(kTemplate));
        app.startUp();
    }

    // The reading text's bytes up to its terminator.
    std::string readingText() { return std::string(app.reading().readingText.data()); }

    // Loads `path` as the reading text through the dialog, as the menu command does.
    void loadReading(const std::string& path) {
        platform.dialogAnswers.push_back(path);
        app.command(CommandId::LoadReadingText);
    }
    void loadTemplate(const std::string& path) {
        platform.dialogAnswers.push_back(path);
        app.command(CommandId::LoadTemplate);
    }
    // A question built now: its sentence, or "" for the empty template.
    std::string askQuestion() {
        AppStateAccess::shell(app).currentMode = Mode::ImagePractice;
        AppStateAccess::imagePractice(app).questionPhase = QuestionPhase::Due;
        app.tick();
        return app.imagePractice().shownSentence;
    }

    FakePlatform platform;
    App app;
};

TEST_F(FileFaults, FileRemovedBetweenTheDialogAndTheLoadIsEmptyContent) {
    // The dialog answers with a file that no longer exists by the time it is opened.
    loadReading("/books/gone.txt");
    EXPECT_EQ(app.reading().readingFileName, "/books/gone.txt");
    EXPECT_EQ(readingText(), "");
    EXPECT_GE(app.reading().readingText.size(), static_cast<std::size_t>(kLoadPadding));
    EXPECT_EQ(app.shell().currentMode, Mode::SpeedReading);
    for (int tick = 0; tick < 20; ++tick) app.tick();  // pages of nothing: blank rows
    EXPECT_EQ(app.reading().readingPosition, 0);

    ASSERT_EQ(askQuestion(), "xy");
    loadTemplate("/books/gone.tvr3");
    EXPECT_EQ(askQuestion(), "");
    EXPECT_EQ(app.shell().currentMode, Mode::ImagePractice);
}

TEST_F(FileFaults, FolderOrUnreadableFileIsLikeAMissingOne) {
    // A platform opens neither a folder nor a file it may not read: it answers null, and the
    // program cannot tell these from a missing file. (tests/qt covers the real system calls.)
    loadReading("/books/");
    EXPECT_EQ(readingText(), "");
    loadTemplate("/books/");
    EXPECT_EQ(askQuestion(), "");
}

TEST_F(FileFaults, FileShorterThanItsSizeSaidLeavesTheRestZero) {
    // The file was cut after its size was taken: the reads end early and the rest stays zero.
    platform.addFile("/books/cut.txt", std::string(kReadingText));
    platform.files["/books/cut.txt"].reportedSize = 5000;
    loadReading("/books/cut.txt");
    EXPECT_EQ(readingText(), kReadingText);
    EXPECT_GE(app.reading().readingText.size(), 5000u + static_cast<std::size_t>(kLoadPadding));

    platform.addFile("/books/cut.tvr3", std::string(kTemplate));
    platform.files["/books/cut.tvr3"].reportedSize = 400;
    loadTemplate("/books/cut.tvr3");
    EXPECT_EQ(askQuestion(), "xy");
}

TEST_F(FileFaults, FileLongerThanItsSizeSaidIsReadToThatSize) {
    // The file grew after its size was taken: only the bytes the size promised are read.
    platform.addFile("/books/grown.txt", std::string(kReadingText) + "more and more");
    platform.files["/books/grown.txt"].reportedSize = static_cast<std::int64_t>(kReadingText.size());
    loadReading("/books/grown.txt");
    EXPECT_EQ(readingText(), kReadingText);

    platform.addFile("/books/grown.tvr3", std::string(kTemplate) + "[main]\r\nz\r\n");
    platform.files["/books/grown.tvr3"].reportedSize = static_cast<std::int64_t>(kTemplate.size());
    loadTemplate("/books/grown.tvr3");
    EXPECT_EQ(askQuestion(), "xy");
}

TEST_F(FileFaults, ReadFailingPartWayKeepsWhatWasRead) {
    platform.addFile("/books/bad.txt", std::string(kReadingText));
    platform.files["/books/bad.txt"].failAfter = 6;  // the first line's three characters
    loadReading("/books/bad.txt");
    EXPECT_EQ(readingText(), "\x82\xA0\x82\xA2\x82\xA4");
}

TEST_F(FileFaults, FileFarTooLargeForMemoryIsEmptyContent) {
    // A size no 32-bit count can hold with its padding: refused before any memory is taken,
    // for a Shift-JIS file and for one that would be converted from UTF-8 as well.
    for (const std::string& content : {std::string(kReadingText), std::string("\xE8\xAA\xAD\n")}) {
        platform.addFile("/books/huge.txt", content);
        platform.files["/books/huge.txt"].reportedSize = std::int64_t{1} << 40;
        loadReading("/books/huge.txt");
        EXPECT_EQ(readingText(), "");
    }
    platform.addFile("/books/huge.tvr3", std::string(kTemplate));
    platform.files["/books/huge.tvr3"].reportedSize = std::int64_t{1} << 40;
    loadTemplate("/books/huge.tvr3");
    EXPECT_EQ(askQuestion(), "");

    // The sentence file: no line to choose, so the tiles show whatever the picture holds.
    platform.addFile(platform.besideExecutable("pa.dat"), "\x82\xA0\r\n");
    platform.files[platform.besideExecutable("pa.dat")].reportedSize = std::int64_t{1} << 40;
    app.command(CommandId::Puzzle);
    EXPECT_EQ(app.puzzle().puzzlePhase, PuzzlePhase::Playing);
    EXPECT_EQ(app.puzzle().stepsSinceScatter, 0);
    EXPECT_EQ(app.puzzle().puzzleText, "");
    EXPECT_EQ(app.puzzle().puzzleLine, "");
    app.tick();
}

}  // namespace
}  // namespace tavori
