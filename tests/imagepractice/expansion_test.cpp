// Expanding references: order and count of draws, the Shift-JIS scanner, "*." and the bounds.
#include <string>

#include "imagepractice/expansion.h"
#include "imagepractice/template_fixture.h"

namespace tavori {
namespace {

class ExpansionTest : public TemplateFixture {
protected:
    RandomGenerator random{7};

    // Expands `text` and checks that exactly `expectedDraws` draws were taken.
    std::string expand(const TemplateFile& file, std::string text, int expectedDraws) {
        const RandomGenerator before = random;
        expandText(text, file, random);
        EXPECT_EQ(drawsBetween(before, random), expectedDraws) << text.substr(0, 60);
        return text;
    }
};

TEST_F(ExpansionTest, DepthFirstLeftToRightWithOneDrawPerReference) {
    const TemplateFile file = indexLines(workedExampleLines());
    // Replay the generator to know each draw: [果物] then, when it gives the third
    // alternative, the [色] inside it comes before the [動物] to its right.
    for (std::uint32_t seed = 0; seed < 40; ++seed) {
        random = RandomGenerator(seed);
        RandomGenerator replay(seed);
        const int fruit = replay.below(3);
        std::string expected = fruit == 0 ? "りんご" : fruit == 1 ? "みかん" : "";
        int draws = 2;
        if (fruit == 2) {
            expected = std::string(replay.below(2) == 0 ? "赤い" : "青い") + "ぶどう";
            ++draws;
        }
        expected += "と" + std::string(replay.below(2) == 0 ? "犬" : "猫");
        EXPECT_EQ(expand(file, sjis("[果物]と[動物]"), draws), sjis(expected)) << seed;
    }
}

TEST_F(ExpansionTest, TrailBytesNeverDelimitAReference) {
    // ゼ is 0x83 0x5B and ゾ is 0x83 0x5D: their trail bytes are "[" and "]".
    const TemplateFile file = indexBytes("[\x83\x5D]\r\nzo\r\n\r\n[a]\r\nA\r\n\r\n");
    EXPECT_EQ(expand(file, "\x83\x5B" "a]", 0), "\x83\x5B" "a]");
    EXPECT_EQ(expand(file, "[\x83\x5D]", 1), "zo");
    EXPECT_EQ(expand(file, "x\x83\x5B[a]\x83\x5D", 1), "x\x83\x5B" "A\x83\x5D");
    // A lone "]" is literal.
    EXPECT_EQ(expand(file, "]a] [a]", 1), "]a] A");
}

TEST_F(ExpansionTest, OneLeadingDropMarkIsRemovedFromTextAndAlternative) {
    const TemplateFile file = indexBytes("[two]\r\n*.*.x[a]\r\n\r\n[a]\r\n*.\r\n\r\n[mid]\r\nq*.r\r\n\r\n");
    EXPECT_EQ(expand(file, "*.*.[a]", 1), "*.");
    EXPECT_EQ(expand(file, "[two]", 2), "*.x");
    EXPECT_EQ(expand(file, "[mid]", 1), "q*.r");
    // The template line is trimmed in a copy only: "*." still counts as an alternative.
    EXPECT_EQ(file.alternative(1, 0), "*.");
    EXPECT_EQ(countAlternatives(file, "[a]"), 1);
}

TEST_F(ExpansionTest, UnusableReferencesStayLiteralWithoutADraw) {
    const TemplateFile file = indexBytes("[empty]\r\n\r\n[a]\r\n[none]<[b]>\r\n\r\n[b]\r\nB\r\n\r\n");
    EXPECT_EQ(expand(file, "x[none]y", 0), "x[none]y");
    EXPECT_EQ(expand(file, "[empty][b]", 1), "[empty]B");
    // The literal reference is not rescanned, and what follows it is expanded as usual.
    EXPECT_EQ(expand(file, "[a]", 2), "[none]<B>");
    // The literal text is never split: "[[b]" names the section "[[b]".
    EXPECT_EQ(expand(file, "[[b]", 0), "[[b]");
}

TEST_F(ExpansionTest, UnclosedBracketLeavesTheRestLiteral) {
    const TemplateFile file = indexBytes("[a]\r\nA\r\n\r\n");
    EXPECT_EQ(expand(file, "[a] x [a", 1), "A x [a");
    EXPECT_EQ(expand(file, "[a x [a]", 0), "[a x [a]");
    // A lead byte as the last byte stands alone; the scan stops at the text's end.
    EXPECT_EQ(expand(file, "[a]\x83", 1), "A\x83");
    EXPECT_EQ(expand(file, "[a\x83", 0), "[a\x83");
}

TEST_F(ExpansionTest, AnInsertedAlternativeJoinsTheTextItLandsIn) {
    // The alternative ends in a lone lead byte (its line ended there); the lead byte then takes
    // the "[" that follows as its trail byte, as in one text rewritten in place.
    const TemplateFile file = indexBytes("[a]\r\nx\x83\r\n\r\n[b]\r\nB\r\n\r\n[open]\r\n<[b\r\n\r\n");
    EXPECT_EQ(expand(file, "[a][b]", 1), "x\x83[b]");
    // A reference opened in an alternative is closed by the text after it.
    EXPECT_EQ(expand(file, "[open]]", 2), "<B");
}

TEST_F(ExpansionTest, SelfReferenceStopsAfterTenThousandReferences) {
    const TemplateFile file = indexBytes("[loop]\r\n[loop]\r\n\r\n");
    EXPECT_EQ(expand(file, "a[loop]b", kMaxExpandedReferences), "a[loop]b");
    const TemplateFile single = indexBytes("[x]\r\n-\r\n\r\n");
    std::string many;
    for (int index = 0; index <= kMaxExpandedReferences; ++index) {
        many += "[x]";
    }
    EXPECT_EQ(expand(single, many, kMaxExpandedReferences), std::string(kMaxExpandedReferences, '-') + "[x]");
}

TEST_F(ExpansionTest, GrowingSelfReferenceIsCutAtACharacterBoundary) {
    // Each step adds "あいう" before a fresh reference and "え" after it; the "え" run starts
    // at an odd offset, so a cut at exactly 60000 bytes would split a character.
    const TemplateFile file = indexBytes(sjis("[grow]\r\nあいう[grow]え\r\n\r\n"));
    const std::string result = expand(file, "z[grow]", 7500);
    EXPECT_EQ(result.size(), kMaxExpandedBytes - 1);
    EXPECT_EQ(result.substr(0, 7), "z" + sjis("あいう"));
    EXPECT_EQ(result.substr(45001, 6), "[grow]");
    EXPECT_EQ(result.substr(result.size() - 2), sjis("え"));
    // A text already past the bound is cut and nothing in it is expanded.
    std::string longText = "x" + std::string(kMaxExpandedBytes, '\x82');
    EXPECT_EQ(expand(file, longText, 0), longText.substr(0, kMaxExpandedBytes - 1));
    EXPECT_EQ(expand(file, std::string(kMaxExpandedBytes, 'a') + "[grow]", 0), std::string(kMaxExpandedBytes, 'a'));
}

TEST_F(ExpansionTest, AlternativesBeyondTheDrawRangeAreNeverChosen) {
    std::string bytes = "[big]\r\n";
    for (int index = 0; index < 40000; ++index) {
        bytes += index < 32768 ? "a\r\n" : "b\r\n";
    }
    const TemplateFile file = indexBytes(bytes);
    ASSERT_EQ(countAlternatives(file, "[big]"), 40000);
    std::string text;
    for (int index = 0; index < 2000; ++index) {
        text += "[big]";
    }
    EXPECT_EQ(expand(file, text, 2000), std::string(2000, 'a'));
}

}  // namespace
}  // namespace tavori
