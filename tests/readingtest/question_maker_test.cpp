// The question maker over the bundled text and the phrase corpus for many seeds (the right answer
// once and never in its prompt, distinct choices, one question per stretch, both kinds, the right
// row uniform), the edge texts, and the sentence splitter's delimiters.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "common/sjis.h"
#include "files/text_file.h"
#include "phrases/phrase_segmenter.h"
#include "readingtest/question_maker.h"
#include "readingtest/sentence_spans.h"

namespace tavori {
namespace {

std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The bundled text, the reading test's passages and every corpus text as the program loads them.
std::vector<std::pair<std::string, std::string>> texts() {
    std::vector<std::pair<std::string, std::string>> all = {
        {"w.txt", programText(fileBytes(std::filesystem::path(TAVORI_SOURCE_DATA_DIR) / "w.txt"), TextKind::Reading)}};
    for (const char* level : {"easy", "normal", "hard"}) {
        for (const char* which : {"-1.txt", "-2.txt"}) {
            const auto path = std::filesystem::path(TAVORI_SOURCE_DATA_DIR) / "passages" / (std::string(level) + which);
            all.emplace_back(path.filename().string(), programText(fileBytes(path), TextKind::Reading));
        }
    }
    for (const auto& entry : std::filesystem::directory_iterator(TAVORI_PHRASE_CORPUS_DIR)) {
        all.emplace_back(entry.path().filename().string(), programText(fileBytes(entry.path()), TextKind::Reading));
    }
    return all;
}

std::vector<TestQuestion> questionsOf(std::string_view text, std::uint32_t seed, int count = 5) {
    RandomGenerator random(seed);
    return makeQuestions(text, phraseStarts(text), count, random);
}

std::size_t characterIndex(std::string_view text, std::size_t at) {
    std::size_t index = 0;
    for (std::size_t position = 0; position < at; position += characterWidthAt(text, position)) ++index;
    return index;
}

bool contains(std::string_view text, std::string_view part) { return findAtCharacter(text, part) != std::string_view::npos; }

const std::string kBlank = programText("（　　）", TextKind::Reading);

TEST(QuestionMaker, EveryTextAndSeedGivesOneSoundQuestionPerStretchWithTheRightRowUniform) {
    std::array<int, 3> rows{};
    std::array<int, 2> kinds{};
    for (const auto& [name, text] : texts()) {
        const std::size_t characters = characterIndex(text, text.size());
        for (std::uint32_t seed = 1; seed <= 50; ++seed) {
            const std::vector<TestQuestion> questions = questionsOf(text, seed);
            ASSERT_EQ(questions.size(), 5u) << name << " seed " << seed;
            for (std::size_t index = 0; index < questions.size(); ++index) {
                const TestQuestion& question = questions[index];
                const std::string_view sentence = std::string_view(text).substr(question.sentenceStart, question.sentenceEnd - question.sentenceStart);
                SCOPED_TRACE(name + " seed " + std::to_string(seed) + " question " + std::to_string(index));
                ASSERT_GE(question.answer, 0);
                ASSERT_LT(question.answer, 3);
                const std::string& right = question.choices[static_cast<std::size_t>(question.answer)];
                EXPECT_EQ(std::count(question.choices.begin(), question.choices.end(), right), 1);
                EXPECT_NE(question.choices[0], question.choices[1]);
                EXPECT_NE(question.choices[0], question.choices[2]);
                EXPECT_NE(question.choices[1], question.choices[2]);
                EXPECT_FALSE(contains(question.prompt, right));
                EXPECT_EQ(characterIndex(text, question.sentenceStart) * 5 / characters, index);  // its own fifth, in order
                if (index > 0) { EXPECT_GE(question.sentenceStart, questions[index - 1].sentenceEnd); }
                if (question.kind == QuestionKind::Appeared) {
                    EXPECT_EQ(right, sentence);
                    for (const std::string& choice : question.choices) { EXPECT_EQ(contains(text, choice), choice == right) << choice; }
                } else {
                    const std::size_t blank = question.prompt.find(kBlank);
                    ASSERT_NE(blank, std::string::npos);
                    EXPECT_EQ(std::string(question.prompt).replace(blank, kBlank.size(), right), sentence);
                    for (const std::string& choice : question.choices) { EXPECT_EQ(choice.back(), right.back()) << choice; }
                }
                ++rows[static_cast<std::size_t>(question.answer)];
                ++kinds[question.kind == QuestionKind::Cloze ? 1u : 0u];
            }
            if (seed == 1) {
                const std::vector<TestQuestion> again = questionsOf(text, seed);
                EXPECT_TRUE(std::equal(again.begin(), again.end(), questions.begin(), [](const auto& a, const auto& b) {
                    return a.prompt == b.prompt && a.choices == b.choices && a.answer == b.answer;
                })) << name;
            }
        }
    }
    const int total = rows[0] + rows[1] + rows[2];
    ASSERT_GE(total, 3000);
    for (const int row : rows) EXPECT_NEAR(100.0 * row / total, 100.0 / 3, 3.0) << row << " of " << total;
    EXPECT_GT(kinds[0], total / 4);
    EXPECT_GT(kinds[1], total / 4);
}

struct EdgeText {
    const char* name;
    std::string text;  // UTF-8 or Aozora Bunko, through programText
    std::size_t fewest, most;
    bool clozeAllowed;
};

std::string repeated(std::string_view part, int times) {
    std::string whole;
    for (int i = 0; i < times; ++i) whole += part;
    return whole;
}

TEST(QuestionMaker, EdgeTextsGiveOnlyTheQuestionsTheyCan) {
    const std::string kana = repeated("ねこはまいにちひなたでねむっています。いぬはそとをはしりまわっています。"
                                      "とりはそらをとんでいきます。さかなはかわをおよいでいきます。\r\n", 3);
    const std::vector<EdgeText> cases = {
        {"empty", "", 0, 0, true},
        {"no kanji", kana, 5, 5, false},
        {"one sentence", "駅前の商店街には、茶色と白のぶちの猫が一匹いる。", 0, 1, true},
        {"one 2,000-character sentence", repeated("長い文章が続く", 286) + "。", 0, 0, true},
        {"Aozora Bunko markup", "分教場《ぶんきょうじょう》\r\n-------\r\n【テキスト中に現れる記号について】\r\n《》：ルビ\r\n-------\r\n"
            "古い｜木造校舎《もくぞうこうしゃ》の窓から、子どもたちは毎朝［＃「毎朝」に傍点］海を見ていた。\r\n"
            "先生は黒板に大きな字で今日の天気を書いた。春の雨は静かに校庭の桜を濡らしていた。\r\n"
            "昼休みには《ひるやすみには》上級生が下級生に縄跳びを教えた。放課後の廊下は長く、足音がよく響いた。\r\n"
            "冬になると、教室の真ん中に大きな※［＃「火＋鉢」］ストーブが置かれた。夕方の空は山の向こうから暗くなった。\r\n"
            "卒業式の日、先生は一人ずつ名前を呼んで、小さな本を手渡した。\r\n底本：「山の本」\r\n",
         5, 5, true},
    };
    for (const EdgeText& edge : cases) {
        const std::string text = programText(edge.text, TextKind::Reading);
        for (std::uint32_t seed = 1; seed <= 40; ++seed) {
            const std::vector<TestQuestion> questions = questionsOf(text, seed);
            EXPECT_GE(questions.size(), edge.fewest) << edge.name;
            EXPECT_LE(questions.size(), edge.most) << edge.name;
            for (const TestQuestion& question : questions) {
                EXPECT_TRUE(edge.clozeAllowed || question.kind == QuestionKind::Appeared) << edge.name;
                for (const std::string& shown : {question.prompt, question.choices[0], question.choices[1], question.choices[2]}) {
                    for (const char* markup : {"《", "》", "［＃", "｜"}) { EXPECT_FALSE(contains(shown, programText(markup, TextKind::Reading))) << edge.name; }
                }
            }
        }
    }
}

TEST(QuestionMaker, SentencesEndAfterTheirMarksAndClosingBracketsAndAtLineEnds) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"", {}},
        {"　\r\n  \r\n", {}},
        {"「うちの猫だ。」と言い、笑った！？　次\r\n　字下げの行 \r\n", {"「うちの猫だ。」", "と言い、笑った！？", "次", "字下げの行"}},
        {"ゼリーぃ（笑）ね。）終わり", {"ゼリーぃ（笑）ね。", "終わり"}},  // ゼ and ぃ hold the bytes of [ and ｡
        {"「はい。そうです」\r\n『本当？』（注", {"はい。", "そうです", "『本当？』", "注"}},
        {"half｡width! ascii? end", {"half｡", "width!", "ascii?", "end"}},
    };
    for (const auto& [utf8, expected] : cases) {
        const std::string text = programText(utf8, TextKind::Reading);
        std::vector<std::string> found;
        for (const SentenceSpan span : sentenceSpans(text)) found.push_back(text.substr(span.start, span.end - span.start));
        std::vector<std::string> wanted;
        for (const std::string& sentence : expected) wanted.push_back(programText(sentence, TextKind::Reading));
        EXPECT_EQ(found, wanted) << utf8;
    }
}

}  // namespace
}  // namespace tavori
