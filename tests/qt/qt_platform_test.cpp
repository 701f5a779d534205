// The Linux platform services: files, the dialog's filter and title, the help document, and the
// stored files in the configuration folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <fstream>
#include <thread>

#include "main_window.h"
#include "qt_platform.h"
#include "qt_translations.h"
#include "shell/menu.h"
#include "stored_files.h"
#include "support/app_state_access.h"

namespace tavori::qt {
namespace {

using namespace std::literals;

void writeFile(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

TEST(QtPlatform, OpensRegularFilesOfAnyPathLength) {
    MainWindow window(AppConfig{1, ""});
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    // A long, non-ASCII path: well past the 127 bytes older systems allowed.
    std::string path = folder.path().toStdString();
    for (int level = 0; level < 6; ++level) {
        path += "/読書の練習フォルダ" + std::to_string(level);
        QDir().mkpath(QString::fromStdString(path));
    }
    path += "/本文.txt";
    ASSERT_GT(path.size(), 127u);
    writeFile(path, "abc");
    auto file = window.platform().openFile(path);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->size(), 3);
    char buffer[8] = {};
    EXPECT_EQ(file->read(buffer, 8), 3);
    EXPECT_EQ(std::string(buffer), "abc");
    EXPECT_EQ(file->read(buffer, 8), 0);
}

TEST(QtPlatform, FoldersAndMissingFilesCannotBeOpened) {
    MainWindow window(AppConfig{1, ""});
    QTemporaryDir folder;
    EXPECT_EQ(window.platform().openFile(folder.path().toStdString()), nullptr);
    EXPECT_EQ(window.platform().openFile(folder.path().toStdString() + "/none.txt"), nullptr);
    EXPECT_EQ(window.platform().openFile(""), nullptr);
}

TEST(QtPlatform, DialogFilterKeepsTheDescriptionAsItIs) {
    EXPECT_EQ(dialogFilter({"txt Files(*.txt)", "*.txt"}), QStringLiteral("txt Files(*.txt)"));
    EXPECT_EQ(dialogFilter({"Texts", "*.txt"}), QStringLiteral("Texts (*.txt)"));
}

TEST(QtPlatform, Utf8ToCp932ReplacesWhatItCannotHold) {
    MainWindow window(AppConfig{1, ""});
    EXPECT_EQ(window.platform().utf8ToCp932("あa"), "\x82\xA0" "a");
    EXPECT_EQ(window.platform().utf8ToCp932("😀b"), "?b");
}

// Runs a command whose dialog the test cancels; returns the dialog's title and filters, and
// the texts of its buttons in `buttons` if given.
std::pair<QString, QStringList> cancelDialogOf(MainWindow& window, int command, QStringList* buttons = nullptr) {
    std::pair<QString, QStringList> seen;
    QTimer::singleShot(200, [&seen, buttons] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog != nullptr) {
            seen = {dialog->windowTitle(), dialog->nameFilters()};
            if (buttons != nullptr) {
                for (const QPushButton* button : dialog->findChildren<QPushButton*>()) {
                    buttons->append(button->text());
                }
            }
            dialog->reject();
        }
    });
    window.app().command(command);
    return seen;
}

TEST(QtPlatform, ReadingDialogHasItsTitleAndFilterAndACancelKeepsTheTextAndPosition) {
    MainWindow window(AppConfig{1, ""});
    window.startUp();
    AppStateAccess::reading(window.app()).readingText.assign(100, 'x');
    AppStateAccess::reading(window.app()).readingPosition = 7;
    const auto [title, filters] = cancelDialogOf(window, CommandId::LoadReadingText);
    EXPECT_EQ(title, QStringLiteral("ファイルを開く"));
    EXPECT_EQ(filters, QStringList{QStringLiteral("txt Files(*.txt)")});
    EXPECT_EQ(window.app().shell().currentMode, Mode::SpeedReading);
    EXPECT_EQ(window.app().reading().readingText, std::vector<char>(100, 'x'));
    EXPECT_EQ(window.app().reading().readingPosition, 7);
}

TEST(QtPlatform, TemplateDialogHasItsFilterAndACancelKeepsTheTemplate) {
    MainWindow window(AppConfig{1, ""});
    window.startUp();
    const std::string kept = "[main]\r\nkept\r\n\r\n";
    AppStateAccess::imagePractice(window.app()).templateFile = indexTemplateText(std::vector<char>(kept.c_str(), kept.c_str() + kept.size() + 1), kept.size());
    const auto [title, filters] = cancelDialogOf(window, CommandId::LoadTemplate);
    EXPECT_EQ(title, QStringLiteral("ファイルを開く"));
    EXPECT_EQ(filters, QStringList{QStringLiteral("tvr3 Files(*.tvr3)")});
    EXPECT_EQ(window.app().imagePractice().templateFileName, "tvr.tvr3");

    EXPECT_EQ(window.app().shell().currentMode, Mode::ImagePractice);
    // The new question was flashed at once, from the template kept.
    EXPECT_EQ(window.app().imagePractice().questionPhase, QuestionPhase::Shown);
    EXPECT_EQ(window.app().imagePractice().questionSteps, 1);
    EXPECT_EQ(window.app().imagePractice().shownSentence, "kept");
}

TEST(QtPlatform, OnAJapaneseSystemTheDialogSpeaksJapaneseUnderItsOwnTitleAndFilter) {
    // The translations the program loads at start-up, as a Japanese system chooses them.
    const QLocale systemLocale;
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    const auto translations = installQtTranslations(QLocale());
    QLocale::setDefault(systemLocale);
    ASSERT_NE(translations, nullptr) << "Qt's translations (qt6-translations-l10n) are missing";
    MainWindow window(AppConfig{1, ""});
    window.startUp();
    QStringList buttons;
    const auto [title, filters] = cancelDialogOf(window, 851, &buttons);
    EXPECT_EQ(title, QStringLiteral("ファイルを開く"));
    EXPECT_EQ(filters, QStringList{QStringLiteral("tvr3 Files(*.tvr3)")});
    EXPECT_TRUE(buttons.contains(QStringLiteral("開く(&O)")) && buttons.contains(QStringLiteral("キャンセル")))
        << buttons.join(u'|').toStdString();
}

// Sets environment variables (null: unsets them) for one test and puts them back afterwards.
class ScopedEnvironment {
public:
    ScopedEnvironment(std::initializer_list<std::pair<const char*, const char*>> values) {
        for (const auto& [name, value] : values) {
            saved_.emplace_back(name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
            value != nullptr ? qputenv(name, value) : qunsetenv(name);
        }
    }
    ~ScopedEnvironment() {
        for (const auto& [name, value] : saved_) value ? qputenv(name, *value) : qunsetenv(name);
    }

private:
    std::vector<std::pair<const char*, std::optional<QByteArray>>> saved_;
};

TEST(QtStoredFiles, FolderFromTheEnvironment) {
    const struct { const char* configDir; const char* xdgConfigHome; const char* expected; } cases[] = {
        {"/tmp/選んだ", "/tmp/xdg", "/tmp/選んだ/s.txt"}, {"", "/tmp/xdg", "/tmp/xdg/tavori/s.txt"},
        {nullptr, "relative", "/tmp/home/.config/tavori/s.txt"}, {nullptr, "", "/tmp/home/.config/tavori/s.txt"}};
    for (const auto& each : cases) {
        const ScopedEnvironment environment{{"TAVORI_CONFIG_DIR", each.configDir}, {"XDG_CONFIG_HOME", each.xdgConfigHome}, {"HOME", "/tmp/home"}};
        EXPECT_EQ(stored::path("s.txt"), each.expected) << each.xdgConfigHome;
    }
}

// A configuration folder of the test's own, not yet made.
class QtStoredFilesInFolder : public ::testing::Test {
protected:
    QTemporaryDir temporary_;
    const QString folder_ = temporary_.filePath(QStringLiteral("設定/tavori"));
    const ScopedEnvironment environment_{{"TAVORI_CONFIG_DIR", folder_.toUtf8().constData()}};
    MainWindow window_{AppConfig{1, ""}};
    Platform& platform_ = window_.platform();
};

TEST_F(QtStoredFilesInFolder, WritesReplaceWholeNeverTornAndAppendsWriteOneHeader) {
    EXPECT_EQ(platform_.readStoredFile("s.txt", 100), std::nullopt);
    EXPECT_FALSE(QFileInfo::exists(folder_));  // not made by a read
    ASSERT_TRUE(platform_.writeStoredFile("s.txt", std::string(5000, 'a')) && platform_.writeStoredFile("s.txt", "短い"));
    EXPECT_EQ(platform_.readStoredFile("s.txt", 6), "短い");
    EXPECT_EQ(platform_.readStoredFile("s.txt", 5), std::nullopt);  // longer than the limit
    EXPECT_EQ(platform_.storedFilePath("s.txt"), (folder_ + "/s.txt").toStdString());

    // Two writers and appenders at once, and a reader.
    const std::string contents[] = {std::string(100000, 'a'), std::string(100000, 'b')};
    std::vector<std::thread> writers;
    for (int each = 0; each < 2; ++each) {
        writers.emplace_back([&, each] {
            for (int i = 0; i < 20; ++i) {
                stored::write("s.txt", contents[each]);
                stored::append("h.tsv", "H\n", each ? "b\n" : "a\n");
            }
        });
    }
    for (int i = 0; i < 100; ++i) {
        const auto seen = platform_.readStoredFile("s.txt", 100000);
        EXPECT_TRUE(!seen || *seen == "短い" || *seen == contents[0] || *seen == contents[1]);
    }
    for (std::thread& writer : writers) writer.join();
    const std::string history = platform_.readStoredFile("h.tsv", 1000).value_or("");
    EXPECT_TRUE(history.size() == 82 && history.rfind("H\n", 0) == 0 && history.find_first_not_of("ab\n", 2) == std::string::npos) << history;
    // A line cut short by a crash gets its end before the next, which is then whole.
    ASSERT_TRUE(platform_.writeStoredFile("h.tsv", "H\ncut") && platform_.appendToStoredFile("h.tsv", "H\n", "next\n"));
    EXPECT_EQ(platform_.readStoredFile("h.tsv", 100), "H\ncut\nnext\n");
    EXPECT_EQ(QDir(folder_).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden), (QStringList{"h.tsv", "s.txt"}));
}

TEST_F(QtStoredFilesInFolder, BadNamesAndAFolderThatCannotBeMadeFailQuietly) {
    for (const std::string_view name : {""sv, "."sv, ".."sv, "../x"sv, "a\\b"sv, "a\0b"sv}) {
        EXPECT_TRUE(!platform_.writeStoredFile(name, "x") && !platform_.appendToStoredFile(name, "", "x") && !platform_.readStoredFile(name, 9)) << name;
    }
    EXPECT_FALSE(QFileInfo::exists(folder_));
    // Under a regular file, which stays as it was.
    const std::string file = temporary_.filePath("file").toStdString();
    writeFile(file, "kept");
    const ScopedEnvironment underAFile{{"TAVORI_CONFIG_DIR", (file + "/tavori").c_str()}};
    EXPECT_FALSE(platform_.writeStoredFile("s.txt", "x") || platform_.appendToStoredFile("h.tsv", "H\n", "x\n"));
    EXPECT_EQ(stored::read("../file", 10), std::nullopt);
    std::ifstream kept(file);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "kept");
}

}  // namespace
}  // namespace tavori::qt
