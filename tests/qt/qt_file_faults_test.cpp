// File faults on the real file system, through the Linux platform's file opening and the
// whole-file loader: files removed, folders, unreadable files, files that change while read
// and files far too large for memory.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <fstream>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "files/files.h"
#include "main_window.h"
#include "qt_platform.h"

namespace tavori::qt {
namespace {

class QtFileFaults : public ::testing::Test {
protected:
    QtFileFaults() : window(AppConfig{1, ""}) {}

    std::string pathOf(const std::string& name) const { return folder.path().toStdString() + "/" + name; }
    static void writeFile(const std::string& path, const std::string& content) {
        std::ofstream(path, std::ios::binary) << content;
    }
    static bool emptyContent(const LoadedFile& loaded) {
        return loaded.size == kFileCannotBeOpened && loaded.text().empty() &&
               loaded.block.size() == static_cast<std::size_t>(kLoadPadding);
    }

    MainWindow window;
    QTemporaryDir folder;
};

TEST_F(QtFileFaults, FileRemovedAfterBeingChosenIsEmptyContent) {
    const std::string path = pathOf("chosen.txt");
    writeFile(path, "text");
    ASSERT_EQ(::unlink(path.c_str()), 0);
    EXPECT_TRUE(emptyContent(loadWholeFile(window.platform(), path)));
}

TEST_F(QtFileFaults, FolderChosenAsTheFileIsEmptyContent) {
    const std::string path = pathOf("looks-like.txt");
    ASSERT_EQ(::mkdir(path.c_str(), 0755), 0);
    EXPECT_EQ(window.platform().openFile(path), nullptr);
    EXPECT_TRUE(emptyContent(loadWholeFile(window.platform(), path)));
}

TEST_F(QtFileFaults, FileWithoutReadPermissionIsEmptyContent) {
    const std::string path = pathOf("secret.txt");
    const std::string readable = pathOf("open.txt");
    writeFile(path, "secret");
    writeFile(readable, "open");
    ASSERT_EQ(::chmod(path.c_str(), 0), 0);
    ASSERT_EQ(::chmod(readable.c_str(), 0644), 0);
    if (::geteuid() != 0) {
        EXPECT_EQ(window.platform().openFile(path), nullptr);
        EXPECT_TRUE(emptyContent(loadWholeFile(window.platform(), path)));
        return;
    }
    // Root may read any file, so the open is tried by a child that has become "nobody".
    ASSERT_EQ(::chmod(folder.path().toStdString().c_str(), 0755), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        constexpr uid_t kNobody = 65534;
        if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(3);
        const bool secretOpened = window.platform().openFile(path) != nullptr;
        const bool readableOpened = window.platform().openFile(readable) != nullptr;
        ::_exit(secretOpened ? 1 : readableOpened ? 0 : 2);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) >= 2) {
        GTEST_SKIP() << "running as root and no other user can reach the temporary folder";
    }
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the file without read permission was opened";
}

TEST_F(QtFileFaults, FileCutWhileReadEndsItsReadsEarly) {
    const std::string path = pathOf("cut.txt");
    writeFile(path, "0123456789");
    auto file = window.platform().openFile(path);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->size(), 10);  // the size as the file was opened
    ASSERT_EQ(::truncate(path.c_str(), 4), 0);
    char buffer[16] = {};
    EXPECT_EQ(file->read(buffer, 10), 4);
    EXPECT_EQ(file->read(buffer, 10), 0);  // the loader then leaves the rest zero
}

TEST_F(QtFileFaults, FileGrowingWhileReadIsReadToItsOpeningSize) {
    const std::string path = pathOf("grows.txt");
    writeFile(path, "0123");
    auto file = window.platform().openFile(path);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->size(), 4);
    std::ofstream(path, std::ios::binary | std::ios::app) << "456789";
    // The loader asks for no more than the size it was told; the file gives just that.
    char buffer[16] = {};
    EXPECT_EQ(file->read(buffer, 4), 4);
    EXPECT_EQ(std::string(buffer), "0123");
}

TEST_F(QtFileFaults, FileFarLargerThanMemoryIsRefusedWithoutReading) {
    // A sparse 3 GB file: its size is known at once, and no 32-bit count holds it with padding.
    const std::string path = pathOf("huge.txt");
    writeFile(path, "");
    ASSERT_EQ(::truncate(path.c_str(), std::int64_t{3} << 30), 0);
    const LoadedFile loaded = loadWholeFile(window.platform(), path);
    EXPECT_EQ(loaded.size, kNoMemoryForFile);
    EXPECT_TRUE(loaded.block.empty());
    EXPECT_TRUE(loaded.text().empty());
}

}  // namespace
}  // namespace tavori::qt
