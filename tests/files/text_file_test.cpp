// UTF-8 detection and conversion to CP932 with CR LF; every other file kept byte for byte.
#include <gtest/gtest.h>

#include <algorithm>

#include "files/text_file.h"
#include "support/fake_platform.h"

namespace tavori {
namespace {

using testing::FakePlatform;

// CP932 bytes of あ, い, う.
constexpr std::string_view kA = "\x82\xA0";
constexpr std::string_view kI = "\x82\xA2";
constexpr std::string_view kU = "\x82\xA4";

std::string cat(std::initializer_list<std::string_view> parts) {
    std::string joined;
    for (const auto part : parts) joined += part;
    return joined;
}

class TextFile : public ::testing::Test {
protected:
    // Loads `content` as a file and returns the loaded text, checking the padding after it.
    std::string load(const std::string& content) {
        platform.addFile("/d/t.txt", content);
        const LoadedFile loaded = loadTextFile(platform, "/d/t.txt");
        EXPECT_GE(loaded.size, 0);
        const auto size = static_cast<std::size_t>(std::max(loaded.size, 0));
        EXPECT_EQ(loaded.block.size(), size + static_cast<std::size_t>(kLoadPadding));
        EXPECT_TRUE(std::all_of(loaded.block.begin() + static_cast<std::ptrdiff_t>(size), loaded.block.end(),
                                [](char byte) { return byte == '\0'; }));
        return std::string(loaded.block.data(), size);
    }

    FakePlatform platform;
};

TEST_F(TextFile, Utf8IsConvertedWithAndWithoutTheMark) {
    // The mark is dropped; each lone LF becomes CR LF.
    EXPECT_EQ(load("\xEF\xBB\xBF" "あい\nう\n"), cat({kA, kI, "\r\n", kU, "\r\n"}));
    EXPECT_EQ(load("あい\nう"), cat({kA, kI, "\r\n", kU}));
    // CR LF ends stay single; a lone CR is left as it is.
    EXPECT_EQ(load("あ\r\nい\r\n"), cat({kA, "\r\n", kI, "\r\n"}));
    EXPECT_EQ(load("\nあ\rい"), cat({"\r\n", kA, "\r", kI}));
    // ASCII inside a UTF-8 file passes through.
    EXPECT_EQ(load("ab あ 12"), cat({"ab ", kA, " 12"}));
    // Only the mark: an empty text.
    EXPECT_EQ(load("\xEF\xBB\xBF"), "");
}

TEST_F(TextFile, CharacterCp932LacksBecomesAQuestionMark) {
    // Hangul and an emoji (a four-byte sequence) have no CP932 form.
    EXPECT_EQ(load("あ한い😀う"), cat({kA, "?", kI, "?", kU}));
}

TEST_F(TextFile, OtherFilesPassByteForByte) {
    // Shift-JIS with a lone LF (text, not a line break) and CR LF.
    const std::string shiftJis = cat({kA, kI, "\n", kU, "\r\n", "\x83\x5B", "["});  // ゼ holds a 0x5B trail byte
    EXPECT_EQ(load(shiftJis), shiftJis);
    // Pure ASCII, LF ends kept.
    EXPECT_EQ(load("plain text\nsecond line\n"), "plain text\nsecond line\n");
    // Malformed UTF-8 (a valid é, then a stray continuation byte) is taken as Shift-JIS.
    const std::string malformed = "\xC3\xA9\x82\xA0\n";
    EXPECT_EQ(load(malformed), malformed);
}

TEST(LooksLikeUtf8, NeedsAMultiByteSequenceAndWellFormedBytes) {
    EXPECT_TRUE(looksLikeUtf8("\xEF\xBB\xBF"));
    EXPECT_TRUE(looksLikeUtf8("\xEF\xBB\xBF" "abc"));
    EXPECT_TRUE(looksLikeUtf8("abc\xC3\xA9"));
    EXPECT_TRUE(looksLikeUtf8("\xF0\x9F\x98\x80"));
    EXPECT_FALSE(looksLikeUtf8(""));
    EXPECT_FALSE(looksLikeUtf8("only ascii\r\n"));
    EXPECT_FALSE(looksLikeUtf8("\x82\xA0\x82\xA2"));   // あい in Shift-JIS
    EXPECT_FALSE(looksLikeUtf8("\xC0\x80"));           // overlong NUL
    EXPECT_FALSE(looksLikeUtf8("\xE0\x80\xAF"));       // overlong "/"
    EXPECT_FALSE(looksLikeUtf8("\xED\xA0\x80"));       // a surrogate
    EXPECT_FALSE(looksLikeUtf8("\xF4\x90\x80\x80"));   // past U+10FFFF
    EXPECT_FALSE(looksLikeUtf8("a\xE3\x81"));          // cut short at the end
    EXPECT_FALSE(looksLikeUtf8("\xE3\x81" "a"));       // cut short before ASCII
}

TEST_F(TextFile, UnopenableFileStaysEmptyContent) {
    const LoadedFile loaded = loadTextFile(platform, "/d/none.txt");
    EXPECT_EQ(loaded.size, kFileCannotBeOpened);
    EXPECT_TRUE(loaded.text().empty());
}

}  // namespace
}  // namespace tavori
