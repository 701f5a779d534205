// Phrase starts at the edges the differential test's texts do not reach: empty and tiny texts,
// single-byte characters, trail bytes that look like ASCII, a cut-off last character, line ends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/cp932_encoder.h"
#include "phrases/phrase_segmenter.h"

namespace tavori {
namespace {

struct PhraseCase {
    const char* name;
    std::string text;  // Shift-JIS
    std::vector<std::size_t> starts;
};

std::string sjis(const char* utf8) { return utf8ToCp932(utf8); }

// Expected starts are BudouX's parser's phrases of the same text as Unicode (a byte no
// character holds read as U+FFFD), turned into byte offsets.
TEST(PhraseStarts, AreBudouxBoundariesAtCharacterStartsLineByLine) {
    const PhraseCase cases[] = {
        {"empty", "", {}},
        {"one character", sjis("あ"), {0}},
        {"ASCII", "abc", {0}},
        {"half-width katakana, one byte each", sjis("ｱｲｳｴｵはｶﾀｶﾅ"), {0, 7}},
        {"a sentence", sjis("私は本を読む。"), {0, 4, 8}},
        // 表 and ソ end in 0x5C, "\": read as a character it would shift every later offset.
        {"0x5C trail bytes", sjis("表示が速い。ソフトを使う。"), {0, 6, 12, 20}},
        {"a lone lead byte at the end", sjis("本を読む") + "\x82", {0, 4}},
        // 0x82 0x0A is one character to the walker, so that LF ends no line.
        {"LF as a trail byte", sjis("あ") + "\x82\x0A" + sjis("い"), {0}},
        {"CR LF and an empty line", sjis("今日は雨。\r\n\r\n明日は晴れ。\r\n"), {0, 6, 14, 20}},
        {"a text opening with a line end", sjis("\r\n猫だ"), {0, 2}},
        {"lone CR and lone LF", sjis("猫だ\r猫だ\n猫だ"), {0, 5, 10}},
    };
    for (const PhraseCase& phraseCase : cases) {
        EXPECT_EQ(phraseStarts(phraseCase.text), phraseCase.starts) << phraseCase.name;
    }
}

}  // namespace
}  // namespace tavori
