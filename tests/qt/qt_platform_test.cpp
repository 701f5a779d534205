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
#include <memory>

#include "main_window.h"
#include "qt_platform.h"
#include "qt_translations.h"
#include "shell/menu.h"
#include "stored_files.h"
#include "support/app_state_access.h"
#include "support/stored_file_contract.h"

namespace tavori::qt {
namespace {

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

// A configuration folder of the test's own with a Japanese name, not yet made, and the
// program's own platform.
struct QtStoredFileTraits {
    struct Store {
        QTemporaryDir temporary;
        const QString folder = temporary.filePath(QStringLiteral("設定/tavori"));
        const ScopedEnvironment environment{{"TAVORI_CONFIG_DIR", folder.toUtf8().constData()}};
        MainWindow window{AppConfig{1, ""}};
    };
    static std::unique_ptr<Store> make() { return std::make_unique<Store>(); }
    static Platform& platform(Store& store) { return store.window.platform(); }
    static bool folderExists(Store& store) { return QFileInfo::exists(store.folder); }
    static std::vector<std::string> entries(Store& store) {
        std::vector<std::string> names;
        for (const QString& name : QDir(store.folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden)) {
            names.push_back(name.toStdString());
        }
        return names;
    }
    static std::string expectedPath(Store& store, std::string_view name) {
        return (store.folder + "/" + QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()))).toStdString();
    }
    // Under a regular file, where no folder can be made.
    static void breakFolder(Store& store) {
        writeFile(store.temporary.filePath("file").toStdString(), "");
        qputenv("TAVORI_CONFIG_DIR", store.temporary.filePath("file/tavori").toUtf8());
    }
    static void mendFolder(Store& store) { qputenv("TAVORI_CONFIG_DIR", store.folder.toUtf8()); }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Qt, StoredFileContract, QtStoredFileTraits);
INSTANTIATE_TYPED_TEST_SUITE_P(Qt, SharedStoredFileContract, QtStoredFileTraits);

}  // namespace
}  // namespace tavori::qt
