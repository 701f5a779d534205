// The text pipeline: UTF-8 and UTF-16 to CP932, lone LF to CR LF in every encoding, Shift-JIS
// bytes otherwise kept.
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

TEST_F(TextFile, ShiftJisKeepsItsBytesAndGetsCrLfLineEnds) {
    const struct {
        std::string file, expected;
    } cases[] = {
        // LF, CR LF and mixed ends; ゼ holds a 0x5B trail byte.
        {cat({kA, kI, "\n", kU, "\n"}), cat({kA, kI, "\r\n", kU, "\r\n"})},
        {cat({kA, "\r\n", kI, "\n\n", "\x83\x5B["}), cat({kA, "\r\n", kI, "\r\n\r\n", "\x83\x5B["})},
        // A lone CR stays text; a CR or LF after a lead byte is its second byte.
        {"a\rb\r", "a\rb\r"},
        {"\x82\n\x82\r\n", "\x82\n\x82\r\r\n"},
        // ASCII with half-width katakana (ﾎｰﾑｽ is also two well-formed UTF-8 pairs).
        {"\xCE\xB0\xD1\xBD 1\r\n", "\xCE\xB0\xD1\xBD 1\r\n"},
        // Malformed UTF-8 (é, then a stray continuation byte) is taken as Shift-JIS.
        {"\xE3\x81\x82\xA0", "\xE3\x81\x82\xA0"},
    };
    for (const auto& c : cases) EXPECT_EQ(load(c.file), c.expected) << c.file;
}

TEST_F(TextFile, Utf16WithEitherMarkIsConverted) {
    // あ LF い 😀 (a surrogate pair CP932 lacks) CR LF, then an unpaired surrogate and an odd byte.
    const std::string little("\xFF\xFE\x42\x30\x0A\x00\x44\x30\x3D\xD8\x00\xDE\x0D\x00\x0A\x00\x00\xDC" "a", 19);
    const std::string big("\xFE\xFF\x30\x42\x00\x0A\x30\x44\xD8\x3D\xDE\x00\x00\x0D\x00\x0A\xDC\x00" "a", 19);
    const std::string expected = cat({kA, "\r\n", kI, "?\r\n??"});
    EXPECT_EQ(load(little), expected);
    EXPECT_EQ(load(big), expected);
    EXPECT_EQ(load("\xFF\xFE"), "");
}

TEST(LooksLikeUtf8, NeedsAThreeOrFourByteSequenceAndWellFormedBytes) {
    EXPECT_TRUE(looksLikeUtf8("\xEF\xBB\xBF"));
    EXPECT_TRUE(looksLikeUtf8("\xEF\xBB\xBF" "abc"));
    EXPECT_TRUE(looksLikeUtf8("\xF0\x9F\x98\x80"));
    EXPECT_FALSE(looksLikeUtf8(""));
    EXPECT_FALSE(looksLikeUtf8("abc\xC3\xA9"));           // two-byte sequences only
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
