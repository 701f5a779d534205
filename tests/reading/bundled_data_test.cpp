// The bundled reading text and help document: their encodings, line ends, length and content.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "common/sjis.h"
#include "files/text_file.h"
#include "reading/reading.h"
#include "reading/reading_test_support.h"

namespace tavori {
namespace {

// The source tree's data folder's file, or nothing when it cannot be read: a test then fails,
// since a missing bundled file is a broken build, not a reason to pass.
std::optional<std::string> readDataFile(const std::filesystem::path& name) {
    std::ifstream in(std::filesystem::path(TAVORI_SOURCE_DATA_DIR) / name, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(BundledReadingText, IsShiftJisWithCrLfAndAtLeast8000FullWidthCharacters) {
    const auto text = readDataFile("w.txt");
    ASSERT_TRUE(text) << "the bundled data folder cannot be read";
    // Kept byte for byte by the loader: it must not pass for UTF-8.
    EXPECT_FALSE(looksLikeUtf8(*text));
    EXPECT_EQ(text->find('\0'), std::string::npos);
    int doubleByte = 0;
    int lineEnds = 0;
    for (std::size_t i = 0; i < text->size(); ++i) {
        const char byte = (*text)[i];
        if (isLeadByte(byte)) {
            ASSERT_LT(i + 1, text->size()) << "lead byte without its partner at the end";
            ++doubleByte;
            ++i;
        } else if (byte == '\r') {
            ASSERT_LT(i + 1, text->size());
            ASSERT_EQ((*text)[i + 1], '\n') << "lone CR at " << i;
            ++lineEnds;
            ++i;
        } else {
            ASSERT_NE(byte, '\n') << "lone LF at " << i;
        }
    }
    EXPECT_GE(doubleByte, 8000);
    EXPECT_GE(lineEnds, 40);
    EXPECT_EQ(text->substr(text->size() - 2), "\r\n");
}

TEST(BundledReadingText, PagesThroughToItsEndAndBackToTheStart) {
    const auto text = readDataFile("w.txt");
    ASSERT_TRUE(text) << "the bundled data folder cannot be read";
    ReadingState reading = testing::readingOver(*text, 16, 16);
    PageRows rows;
    int pages = 0;
    do {
        buildReadingPage(reading, rows);
        ++pages;
        ASSERT_LT(pages, 10000);
    } while (reading.readingPosition != 0);
    // 8,000 characters and more make over a thousand rows of eight: some seventy pages of 16.
    EXPECT_GT(pages, 62);
}

TEST(BundledHelpDocument, IsUtf8HtmlDescribingEveryMenuAndFormat) {
    const auto html = readDataFile(std::filesystem::path(u8"最初にお読みください.html"));
    ASSERT_TRUE(html) << "the bundled data folder cannot be read";
    EXPECT_TRUE(looksLikeUtf8(*html));
    EXPECT_NE(html->find("<meta charset=\"utf-8\">"), std::string::npos);
    for (const char* topic : {"ファイル", "表示時間", "速読み練習", "イメージ練習", "パズル", "迷路", "ヘルプ",
                              "w.txt", "tvr.tvr3", "pa.dat", "[main]", "print(", "select(", "*.", "Shift-JIS",
                              "UTF-8"}) {
        EXPECT_NE(html->find(topic), std::string::npos) << topic;
    }
}

}  // namespace
}  // namespace tavori
