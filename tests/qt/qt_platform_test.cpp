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

TEST(QtPlatform, ReadingDialogHasItsTitleAndFilterAndACancelKeepsTheTextAndPosition) {
    MainWindow window(AppConfig{1, ""});
    window.startUp();
    window.app().reading().readingText.assign(100, 'x');
    window.app().reading().readingPosition = 7;
    const auto [title, filters] = cancelDialogOf(window, 720);
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
    window.app().imagePractice().templateFile = indexTemplateText(std::vector<char>(kept.c_str(), kept.c_str() + kept.size() + 1), kept.size());
    const auto [title, filters] = cancelDialogOf(window, 851);
    EXPECT_EQ(title, QStringLiteral("ファイルを開く"));
    EXPECT_EQ(filters, QStringList{QStringLiteral("tvr3 Files(*.tvr3)")});
    EXPECT_EQ(window.app().imagePractice().templateFileName, "tvr.tvr3");

    EXPECT_EQ(window.app().shell().currentMode, Mode::ImagePractice);
    // The new question was flashed at once, from the template kept.
    EXPECT_EQ(window.app().imagePractice().questionState, 1);
    EXPECT_EQ(window.app().imagePractice().shownSentence, "kept");
}

}  // namespace
}  // namespace tavori::qt
