// The rules every platform's stored files keep, written once and run on each platform through
// its traits: `Store` (a configuration folder of the test's own, not yet made, and a platform
// whose stored files live there), `make()` giving one as a std::unique_ptr, `platform(store)`,
// `folderExists(store)`, `entries(store)` (the folder's names, sorted), `expectedPath(store,
// name)`, `breakFolder(store)` and `mendFolder(store)` (the folder can no longer be made or
// written, and then again). SharedStoredFileContract adds what holds when two programs use the
// files at once, for the platforms whose stored files are the system's files.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "common/platform.h"

namespace tavori {

template <typename Traits>
class StoredFileContract : public ::testing::Test {
protected:
    std::unique_ptr<typename Traits::Store> store_ = Traits::make();
    Platform& platform_ = Traits::platform(*store_);
};

TYPED_TEST_SUITE_P(StoredFileContract);

TYPED_TEST_P(StoredFileContract, WritesReplaceTheWholeFileAndReadsKeepToTheLimit) {
    Platform& platform = this->platform_;
    EXPECT_EQ(platform.readStoredFile("s.txt", 100), std::nullopt);
    EXPECT_FALSE(TypeParam::folderExists(*this->store_));  // not made by a read
    ASSERT_TRUE(platform.writeStoredFile("s.txt", std::string(5000, 'a')) && platform.writeStoredFile("s.txt", "短い"));
    EXPECT_TRUE(TypeParam::folderExists(*this->store_));
    EXPECT_EQ(platform.readStoredFile("s.txt", 6), "短い");
    EXPECT_EQ(platform.readStoredFile("s.txt", 5), std::nullopt);  // longer than the limit
    EXPECT_TRUE(platform.writeStoredFile("e.txt", "") && platform.readStoredFile("e.txt", 0) == "");
    EXPECT_EQ(platform.storedFilePath("s.txt"), TypeParam::expectedPath(*this->store_, "s.txt"));
    EXPECT_EQ(TypeParam::entries(*this->store_), (std::vector<std::string>{"e.txt", "s.txt"}));  // no temporary file
}

TYPED_TEST_P(StoredFileContract, AppendsWriteTheHeaderOnceAndEndACutLineFirst) {
    Platform& platform = this->platform_;
    ASSERT_TRUE(platform.appendToStoredFile("h.tsv", "H\n", "a\n") && platform.appendToStoredFile("h.tsv", "H\n", "b\n"));
    EXPECT_EQ(platform.readStoredFile("h.tsv", 100), "H\na\nb\n");
    // A line cut short by a crash gets its end before the next, which is then whole.
    ASSERT_TRUE(platform.writeStoredFile("h.tsv", "H\ncut") && platform.appendToStoredFile("h.tsv", "H\n", "next\n"));
    EXPECT_EQ(platform.readStoredFile("h.tsv", 100), "H\ncut\nnext\n");
    EXPECT_EQ(TypeParam::entries(*this->store_), std::vector<std::string>{"h.tsv"});
}

TYPED_TEST_P(StoredFileContract, NamesThatAreNotPlainFileNamesAreRefused) {
    using namespace std::literals;
    Platform& platform = this->platform_;
    for (const std::string_view name : {""sv, "."sv, ".."sv, "../x"sv, "..\\x"sv, "a/b"sv, "a\\b"sv, "a\0b"sv}) {
        EXPECT_FALSE(platform.writeStoredFile(name, "x")) << name;
        EXPECT_FALSE(platform.appendToStoredFile(name, "H\n", "x\n")) << name;
        EXPECT_EQ(platform.readStoredFile(name, 9), std::nullopt) << name;
    }
    EXPECT_FALSE(TypeParam::folderExists(*this->store_));
}

TYPED_TEST_P(StoredFileContract, AFolderThatCannotBeWrittenFailsAndTheOldFileStaysWhole) {
    Platform& platform = this->platform_;
    ASSERT_TRUE(platform.writeStoredFile("s.txt", "kept") && platform.appendToStoredFile("h.tsv", "H\n", "a\n"));
    TypeParam::breakFolder(*this->store_);
    EXPECT_FALSE(platform.writeStoredFile("s.txt", "lost"));
    EXPECT_FALSE(platform.appendToStoredFile("h.tsv", "H\n", "b\n"));
    TypeParam::mendFolder(*this->store_);
    EXPECT_EQ(platform.readStoredFile("s.txt", 100), "kept");
    EXPECT_EQ(platform.readStoredFile("h.tsv", 100), "H\na\n");
    EXPECT_EQ(TypeParam::entries(*this->store_), (std::vector<std::string>{"h.tsv", "s.txt"}));
}

REGISTER_TYPED_TEST_SUITE_P(StoredFileContract, WritesReplaceTheWholeFileAndReadsKeepToTheLimit,
                            AppendsWriteTheHeaderOnceAndEndACutLineFirst, NamesThatAreNotPlainFileNamesAreRefused,
                            AFolderThatCannotBeWrittenFailsAndTheOldFileStaysWhole);

template <typename Traits>
class SharedStoredFileContract : public StoredFileContract<Traits> {};

TYPED_TEST_SUITE_P(SharedStoredFileContract);

// Two programs writing and appending at once, and a third reading: every read sees one whole
// version, every append lands whole, and only the first writes the header.
TYPED_TEST_P(SharedStoredFileContract, WritersAndAppendersAtOnceNeverTear) {
    Platform& platform = this->platform_;
    ASSERT_TRUE(platform.writeStoredFile("s.txt", "短い"));
    const std::string contents[] = {std::string(100000, 'a'), std::string(100000, 'b')};
    constexpr int kRounds = 20;
    std::vector<std::thread> writers;
    std::vector<int> failures(2);
    for (std::size_t each = 0; each < 2; ++each) {
        writers.emplace_back([&, each] {
            for (int round = 0; round < kRounds; ++round) {
                failures[each] += !platform.writeStoredFile("s.txt", contents[each]) +
                                  !platform.appendToStoredFile("h.tsv", "H\n", each ? "b\n" : "a\n");
            }
        });
    }
    for (int read = 0; read < 100; ++read) {
        // A reader that lets go now and then: one that never does holds off every move.
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        const auto seen = platform.readStoredFile("s.txt", 100000);
        EXPECT_TRUE(!seen || *seen == "短い" || *seen == contents[0] || *seen == contents[1]);
    }
    for (std::thread& writer : writers) writer.join();
    EXPECT_EQ(failures, (std::vector<int>{0, 0}));  // a move refused while another holds the file is tried again
    const std::string history = platform.readStoredFile("h.tsv", 1000).value_or("");
    EXPECT_TRUE(history.size() == 2 + 2 * 2 * kRounds && history.starts_with("H\n") &&
                history.find_first_not_of("ab\n", 2) == std::string::npos)
        << history;
    EXPECT_EQ(TypeParam::entries(*this->store_), (std::vector<std::string>{"h.tsv", "s.txt"}));
}

REGISTER_TYPED_TEST_SUITE_P(SharedStoredFileContract, WritersAndAppendersAtOnceNeverTear);

}  // namespace tavori
