// Building questions: the "[main]" line, print-line splitting, three different choices and the
// exact order of the draws.
#include <algorithm>
#include <set>
#include <string>

#include "imagepractice/expansion.h"
#include "imagepractice/question.h"
#include "imagepractice/template_fixture.h"

namespace tavori {
namespace {

class QuestionTest : public TemplateFixture {
protected:
    ImagePracticeState image;

    // Builds with `seed` and returns the number of draws taken.
    int build(std::uint32_t seed) {
        RandomGenerator random(seed);
        const RandomGenerator before = random;
        buildQuestion(image, random);
        return drawsBetween(before, random);
    }

    void useTemplate(std::string_view bytes) { image.templateFile = indexBytes(bytes); }

    std::array<std::string, 3> rows(std::string_view a, std::string_view b, std::string_view c) {
        return {sjis(a), sjis(b), sjis(c)};
    }
};

TEST_F(QuestionTest, WorkedExamplePrintLine) {
    image.templateFile = indexLines(workedExampleLines());
    // Seed 417 draws: line 0 of 2; みかん (1 of 3); [色]ぶどう (2 of 3) then 赤い (0 of 2);
    // りんご (0 of 3); then 1 of 3 for the shown candidate.
    EXPECT_EQ(build(417), 6);
    EXPECT_EQ(image.candidates, rows("昨日、みかんを食べた。", "昨日、赤いぶどうを食べた。", "昨日、りんごを食べた。"));
    EXPECT_EQ(image.shownSentence, sjis("昨日、赤いぶどうを食べた。"));
}

TEST_F(QuestionTest, WorkedExamplePlainLine) {
    image.templateFile = indexLines(workedExampleLines());
    // Seed 1 draws line 1 of 2, then 猫 (1 of 2).
    EXPECT_EQ(build(1), 2);
    EXPECT_EQ(image.shownSentence, sjis("大きな猫が走る。"));
    EXPECT_EQ(image.candidates, rows("大きな猫が走る。", "大きな猫が走る。", "大きな猫が走る。"));
}

TEST_F(QuestionTest, DrawOrderIsLineChoicesPrefixSuffixShown) {
    useTemplate("[main]\r\nprint([p]<select([c])>[p])\r\n\r\n[p]\r\nP\r\nQ\r\nR\r\n\r\n[c]\r\n1\r\n2\r\n3\r\n4\r\n\r\n");
    for (std::uint32_t seed = 0; seed < 200; ++seed) {
        RandomGenerator replay(seed);
        replay.next();  // the only "[main]" line
        std::array<std::string, 3> middles;
        int draws = 1;
        do {
            for (std::string& middle : middles) {
                middle = std::string(1, static_cast<char>('1' + replay.below(4)));
            }
            draws += 3;
        } while (middles[0] == middles[1] || middles[0] == middles[2] || middles[1] == middles[2]);
        const std::string prefix(1, "PQR"[replay.below(3)]);
        const std::string suffix(1, "PQR"[replay.below(3)]);
        const int shown = replay.below(3);
        ASSERT_EQ(build(seed), draws + 3) << seed;
        for (std::size_t row = 0; row < 3; ++row) {
            EXPECT_EQ(image.candidates[row], prefix + "<" + middles[row] + ">" + suffix) << seed;
        }
        EXPECT_EQ(image.shownSentence, image.candidates[static_cast<std::size_t>(shown)]) << seed;
    }
}

TEST_F(QuestionTest, ExactlyThreeOutcomesAppearInEveryQuestion) {
    image.templateFile = indexLines({"[main]", "print(昨日、select([果物])を食べた。)", "", "[果物]", "りんご", "みかん", "[色]ぶどう",
                                     "", "[色]", "赤い", "赤い"});
    const std::set<std::string> expected = {sjis("昨日、りんごを食べた。"), sjis("昨日、みかんを食べた。"),
                                            sjis("昨日、赤いぶどうを食べた。")};
    for (std::uint32_t seed = 0; seed < 100; ++seed) {
        build(seed);
        EXPECT_EQ(std::set<std::string>(image.candidates.begin(), image.candidates.end()), expected) << seed;
        EXPECT_TRUE(expected.count(image.shownSentence)) << seed;
    }
}

TEST_F(QuestionTest, ImpossibleThreeDifferentEndsAfterAThousandRounds) {
    useTemplate("[main]\r\nprint(a select([two])b)\r\n\r\n[two]\r\nx\r\ny\r\n\r\n");
    EXPECT_EQ(build(5), 1 + 3 * kMaxChoiceRounds + 1);
    for (const std::string& candidate : image.candidates) {
        EXPECT_TRUE(candidate == "a xb" || candidate == "a yb") << candidate;
    }
    EXPECT_TRUE(std::count(image.candidates.begin(), image.candidates.end(), image.shownSentence) >= 1);
    // Without "select(" the whole rest is the prefix; the empty choice is tried in vain too.
    useTemplate("[main]\r\nprint(a [two] b)\r\n\r\n[two]\r\nx\r\ny\r\n\r\n");
    EXPECT_EQ(build(5), 1 + 1 + 1);
    EXPECT_EQ(image.candidates[0], image.candidates[2]);
    EXPECT_TRUE(image.candidates[0] == "a x b)" || image.candidates[0] == "a y b)");
    useTemplate("[main]\r\nprint(a select()b)\r\n\r\n");
    EXPECT_EQ(build(5), 2);
    EXPECT_EQ(image.candidates, (std::array<std::string, 3>{"a b", "a b", "a b"}));
}

TEST_F(QuestionTest, RoundsStopOnceTheQuestionsWorkBudgetIsSpent) {
    // Every text of this choice runs to the reference bound and gives "[loop]": each round
    // expands 3 × 10000 references, so the second round passes the budget and is the last.
    useTemplate("[main]\r\nprint(<select([loop])>)\r\n\r\n[loop]\r\n[loop]\r\n\r\n");
    const int roundsByReferences = 2;
    ASSERT_LT(3 * kMaxExpandedReferences * (roundsByReferences - 1), kMaxQuestionReferences);
    ASSERT_GE(3 * kMaxExpandedReferences * roundsByReferences, kMaxQuestionReferences);
    RandomGenerator random(1);
    RandomGenerator replay(1);
    buildQuestion(image, random);
    for (int draw = 0; draw < 1 + roundsByReferences * 3 * kMaxExpandedReferences + 1; ++draw) replay.next();
    EXPECT_EQ(random.state(), replay.state());
    EXPECT_EQ(image.candidates, (std::array<std::string, 3>{"<[loop]>", "<[loop]>", "<[loop]>"}));
    EXPECT_EQ(image.shownSentence, "<[loop]>");

    // Two references of 25000 bytes each: 150000 bytes a round, so the fourth round passes
    // the byte budget (long before the reference budget).
    useTemplate("[main]\r\nprint(select([big][big]))\r\n\r\n[big]\r\n" + std::string(25000, 'a') + "\r\n\r\n");
    EXPECT_EQ(build(1), 1 + 4 * 3 * 2 + 1);
    EXPECT_EQ(image.shownSentence, std::string(50000, 'a'));
}

TEST_F(QuestionTest, PrintLineSplitsByCharacters) {
    // A ")" in the prefix does not end it; text after the suffix's ")" is dropped.
    PrintLine parts = splitPrintLine("print(a)b select(c)d)tail)");
    EXPECT_EQ(parts.prefix, "a)b ");
    EXPECT_EQ(parts.choice, "c");
    EXPECT_EQ(parts.suffix, "d");
    // The choice runs to the line's end when no ")" closes it; the suffix is then empty.
    parts = splitPrintLine("print(xselect([c]");
    EXPECT_EQ(parts.choice, "[c]");
    EXPECT_EQ(parts.suffix, "");
    // 0x83 takes the "s" after it as its trail byte, so no "select(" starts there.
    parts = splitPrintLine("print(\x83select(c)d)");
    EXPECT_EQ(parts.prefix, "\x83select(c)d)");
    EXPECT_EQ(parts.choice, "");
    EXPECT_TRUE(isPrintLine("print("));
    EXPECT_FALSE(isPrintLine("*.print(a select(b)c)"));
    EXPECT_FALSE(isPrintLine(" print(a)"));
    EXPECT_FALSE(isPrintLine("Print(a)"));
}

TEST_F(QuestionTest, DropMarkBeforePrintMakesAPlainLine) {
    useTemplate("[main]\r\n*.print(a select([b])c)\r\n\r\n[b]\r\nB\r\n\r\n");
    EXPECT_EQ(build(3), 2);
    EXPECT_EQ(image.shownSentence, "print(a select(B)c)");
    EXPECT_EQ(image.candidates, (std::array<std::string, 3>{image.shownSentence, image.shownSentence, image.shownSentence}));
}

TEST_F(QuestionTest, NoUsableMainGivesTheEmptySentenceAndKeepsCandidates) {
    useTemplate("[main]\r\nplain\r\n\r\n");
    build(1);
    ASSERT_EQ(image.shownSentence, "plain");
    for (const std::string_view bytes : {"", "[other]\r\nx\r\n\r\n", "[main]\r\n\r\nx\r\n", "[main] \r\nx\r\n\r\n"}) {
        useTemplate(bytes);
        EXPECT_EQ(build(1), 0) << bytes;
        EXPECT_EQ(image.shownSentence, "") << bytes;
        EXPECT_EQ(image.candidates[1], "plain") << bytes;
    }
    // References to nothing stay literal and draw nothing, round after round.
    useTemplate("[main]\r\nprint(select([a][b][c]))\r\n\r\n");
    EXPECT_EQ(build(1), 2);
    EXPECT_EQ(image.shownSentence, "[a][b][c]");
}

}  // namespace
}  // namespace tavori
