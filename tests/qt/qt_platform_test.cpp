// The Linux platform services: files, the dialog's filter and title, the help document.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>

#include <fstream>

#include "main_window.h"
#include "qt_platform.h"
#include "shell/menu.h"
#include "support/app_state_access.h"

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

TEST(QtPlatform, Utf8ToCp932ReplacesWhatItCannotHold) {
    MainWindow window(AppConfig{1, ""});
    EXPECT_EQ(window.platform().utf8ToCp932("あa"), "\x82\xA0" "a");
    EXPECT_EQ(window.platform().utf8ToCp932("😀b"), "?b");
}

// Runs a command whose dialog the test cancels; returns the dialog's title and filters.
std::pair<QString, QStringList> cancelDialogOf(MainWindow& window, int command) {
    std::pair<QString, QStringList> seen;
    QTimer::singleShot(200, [&seen] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog != nullptr) {
            seen = {dialog->windowTitle(), dialog->nameFilters()};
            dialog->reject();
        }
    });
    window.app().command(command);
    return seen;
}

TEST(QtPlatform, ReadingDialogHasItsTitleAndFilterAndACancelEmptiesTheText) {
    MainWindow window(AppConfig{1, ""});
    window.startUp();
    AppStateAccess::reading(window.app()).readingText.assign(100, 'x');
    const auto [title, filters] = cancelDialogOf(window, CommandId::LoadReadingText);
    EXPECT_EQ(title, QStringLiteral("ファイルを開く"));
    EXPECT_EQ(filters, QStringList{QStringLiteral("txt Files(*.txt)")});
    EXPECT_EQ(window.app().shell().currentMode, Mode::SpeedReading);
    EXPECT_EQ(window.app().reading().readingText.front(), '\0');
}

TEST(QtPlatform, TemplateDialogHasItsFilterAndACancelReloadsTheInitialName) {
    MainWindow window(AppConfig{1, ""});
    window.startUp();
    const auto [title, filters] = cancelDialogOf(window, CommandId::LoadTemplate);
    EXPECT_EQ(title, QStringLiteral("ファイルを開く"));
    EXPECT_EQ(filters, QStringList{QStringLiteral("tvr3 Files(*.tvr3)")});
    EXPECT_EQ(window.app().imagePractice().templateFileName, "tvr.tvr3");
    EXPECT_EQ(window.app().shell().currentMode, Mode::ImagePractice);
    // The new question was flashed at once.
    EXPECT_EQ(window.app().imagePractice().questionState, 1);
}

}  // namespace
}  // namespace tavori::qt
