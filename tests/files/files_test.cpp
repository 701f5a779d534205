// Whole-file loading (sizes, chunks, padding, failures), sibling paths and the dialog wrapper.
#include <gtest/gtest.h>

#include <algorithm>

#include "files/files.h"
#include "support/fake_platform.h"

namespace tavori {
namespace {

using testing::FakePlatform;

// Counts and sizes every read request the loader makes.
class CountingPlatform : public FakePlatform {
public:
    std::vector<std::int64_t> requests;

    std::unique_ptr<InputFile> openFile(const std::string& path) override {
        auto file = FakePlatform::openFile(path);
        if (!file) {
            return nullptr;
        }
        return std::make_unique<CountingFile>(std::move(file), requests);
    }

private:
    class CountingFile : public InputFile {
    public:
        CountingFile(std::unique_ptr<InputFile> inner, std::vector<std::int64_t>& requests)
            : inner_(std::move(inner)), requests_(requests) {}
        std::int64_t size() override { return inner_->size(); }
        std::int64_t read(char* destination, std::int64_t count) override {
            requests_.push_back(count);
            return inner_->read(destination, count);
        }

    private:
        std::unique_ptr<InputFile> inner_;
        std::vector<std::int64_t>& requests_;
    };
};

bool allZero(const std::vector<char>& block, std::size_t from) {
    return std::all_of(block.begin() + static_cast<std::ptrdiff_t>(from), block.end(),
                       [](char byte) { return byte == '\0'; });
}

// A file of `length` bytes, none of them zero, varying so a misplaced chunk shows.
std::string patterned(std::size_t length) {
    std::string content(length, '\0');
    for (std::size_t i = 0; i < length; ++i) content[i] = static_cast<char>('A' + i % 23);
    return content;
}

TEST(LoadWholeFile, EmptyFileIsSizeZeroWithZeroPaddingAndNoRead) {
    CountingPlatform platform;
    platform.addFile("/d/empty.txt", "");
    const LoadedFile loaded = loadWholeFile(platform, "/d/empty.txt");
    EXPECT_EQ(loaded.size, 0);
    EXPECT_EQ(loaded.block.size(), static_cast<std::size_t>(kLoadPadding));
    EXPECT_TRUE(allZero(loaded.block, 0));
    EXPECT_TRUE(loaded.text().empty());
    EXPECT_TRUE(platform.requests.empty());
}

TEST(LoadWholeFile, ReadsInChunksOf65520AtTheChunkBound) {
    for (const std::size_t length : {std::size_t{65520}, std::size_t{65521}, std::size_t{3 * 65520 + 7}}) {
        CountingPlatform platform;
        const std::string content = patterned(length);
        platform.addFile("/d/big.txt", content);
        const LoadedFile loaded = loadWholeFile(platform, "/d/big.txt");
        ASSERT_EQ(loaded.size, static_cast<std::int32_t>(length));
        ASSERT_EQ(loaded.block.size(), length + static_cast<std::size_t>(kLoadPadding));
        EXPECT_EQ(std::string(loaded.block.data(), length), content);
        EXPECT_TRUE(allZero(loaded.block, length));
        EXPECT_EQ(loaded.text().size(), length);
        // Full 65,520-byte requests, the last one asking only for the rest.
        std::vector<std::int64_t> expected(length / 65520, 65520);
        if (length % 65520 != 0) expected.push_back(static_cast<std::int64_t>(length % 65520));
        EXPECT_EQ(platform.requests, expected) << length;
    }
}

TEST(LoadWholeFile, UnopenableFileIsEmptyContent) {
    FakePlatform platform;
    for (const std::string& path : {std::string("/d/missing.txt"), std::string()}) {
        const LoadedFile loaded = loadWholeFile(platform, path);
        EXPECT_EQ(loaded.size, kFileCannotBeOpened);
        EXPECT_GE(loaded.block.size(), static_cast<std::size_t>(kLoadPadding) - 1);
        EXPECT_TRUE(allZero(loaded.block, 0));
        EXPECT_TRUE(loaded.text().empty());
    }
}

TEST(LoadWholeFile, LongAndNonAsciiPathsLoadLikeAnyOther) {
    FakePlatform platform;
    // Longer than 127 bytes: the path goes to the system whole, never cut or refused.
    const std::string longPath = "/home/reader/" + std::string(200, 'x') + "/text.txt";
    const std::string japanesePath = "/home/読者/本棚/最初の一冊.txt";
    platform.addFile(longPath, "long");
    platform.addFile(japanesePath, "kana");
    EXPECT_EQ(loadWholeFile(platform, longPath).text(), "long");
    EXPECT_EQ(loadWholeFile(platform, japanesePath).text(), "kana");
    EXPECT_EQ(platform.openedPaths, (std::vector<std::string>{longPath, japanesePath}));
}

TEST(LoadWholeFile, ReadFailingPartWayKeepsTheSizeAndLeavesTheRestZero) {
    FakePlatform platform;
    const std::string content = patterned(100000);
    platform.addFile("/d/bad.txt", content);
    platform.files["/d/bad.txt"].failAfter = 70000;
    const LoadedFile loaded = loadWholeFile(platform, "/d/bad.txt");
    EXPECT_EQ(loaded.size, 100000);
    EXPECT_EQ(std::string(loaded.block.data(), 70000), content.substr(0, 70000));
    EXPECT_TRUE(allZero(loaded.block, 70000));
    // The text ends where the read stopped.
    EXPECT_EQ(loaded.text().size(), 70000u);
}

TEST(LoadWholeFile, SizeBeyondWhatA32BitCountHoldsIsNoMemoryWithoutABlock) {
    FakePlatform platform;
    platform.addFile("/d/huge.txt", "x");
    for (const std::int64_t reported : {std::int64_t{3'000'000'000}, std::int64_t{2'147'483'647 - 65520 + 1}}) {
        platform.files["/d/huge.txt"].reportedSize = reported;
        const LoadedFile loaded = loadWholeFile(platform, "/d/huge.txt");
        EXPECT_EQ(loaded.size, kNoMemoryForFile) << reported;
        EXPECT_TRUE(loaded.block.empty());
        EXPECT_TRUE(loaded.text().empty());
    }
}

TEST(SiblingPath, ReplacesTheExecutablesNameInItsOwnFolder) {
    FakePlatform platform;
    platform.exePath = "C:\\app\\prog.exe";
    EXPECT_EQ(siblingPath(platform, "w", ".txt"), "C:\\app\\w.txt");
    platform.exePath = "/opt/tavori/bin/tavori";
    EXPECT_EQ(siblingPath(platform, "tvr", ".tvr3"), "/opt/tavori/bin/tvr.tvr3");
    // Long and non-ASCII folders are kept whole.
    const std::string folder = "D:\\" + std::string(300, 'f') + "\\速読\\";
    platform.exePath = folder + "tavori.exe";
    EXPECT_EQ(siblingPath(platform, "最初にお読みください", ".html"), folder + "最初にお読みください.html");
    // A bare name (no folder) gives a bare sibling.
    platform.exePath = "tavori";
    EXPECT_EQ(siblingPath(platform, "pa", ".dat"), "pa.dat");
}

TEST(ChooseOpenFile, ProposesTheBufferAndKeepsItOnCancel) {
    FakePlatform platform;
    std::string name = "/d/old.txt";
    platform.dialogAnswers = {std::string("/d/new.txt"), std::nullopt};
    chooseOpenFile(platform, FileFilter{"txt Files(*.txt)", "*.txt"}, name);
    EXPECT_EQ(name, "/d/new.txt");
    chooseOpenFile(platform, FileFilter{"txt Files(*.txt)", "*.txt"}, name);
    EXPECT_EQ(name, "/d/new.txt");
    ASSERT_EQ(platform.dialogRequests.size(), 2u);
    EXPECT_EQ(platform.dialogRequests[0].title, "ファイルを開く");
    EXPECT_EQ(platform.dialogRequests[0].description, "txt Files(*.txt)");
    EXPECT_EQ(platform.dialogRequests[0].pattern, "*.txt");
    EXPECT_EQ(platform.dialogRequests[0].proposedName, "/d/old.txt");
    EXPECT_EQ(platform.dialogRequests[1].proposedName, "/d/new.txt");
}

}  // namespace
}  // namespace tavori
