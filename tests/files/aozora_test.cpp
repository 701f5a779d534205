// Cleaning Aozora Bunko texts for reading, on a short text written for this test.
#include <gtest/gtest.h>

#include "common/cp932_encoder.h"
#include "files/aozora.h"
#include "files/text_file.h"
#include "support/fake_platform.h"

namespace tavori {
namespace {

const std::string kRule(55, '-');
const std::string kHeading = "\n【テキスト中に現れる記号について】\n";
// ａ (82 81) before "s" and "t" makes the bytes of 《 (81 73) and 》 (81 74) across characters.
const std::string kBody =
    "［＃改ページ］\n［＃３字下げ］一［＃「一」は中見出し］\n\n"
    "　岬の灯台《とうだい》に、｜年老いた《としａtおいた》番人がいた。\n"
    "夜ごと［＃「夜ごと」に傍点］※［＃「火＋十」、第3水準1-23-45］を灯す。\n"
    "［＃２字下げ］ａsｂａt［＃「［注］」は縦中横］\n";

TEST(AozoraBunko, MarkupGoesAndEveryOtherByteStaysOnlyInTextsWithTheMarkers) {
    const std::string file = "星の見張り番\n山田花子\n\n" + kRule + kHeading + "\n《》：ルビ\n" + kRule + "\n\n" + kBody +
                             "\n\n底本：「星の見張り番」架空書房\n入力：誰か\n";
    const std::string cleaned = utf8ToCp932(
        "星の見張り番\r\n山田花子\r\n\r\n\r\n一\r\n\r\n　岬の灯台に、年老いた番人がいた。\r\n"
        "夜ごと〓を灯す。\r\nａsｂａt\r\n\r\n\r\n");
    // Shift-JIS with CR LF as downloaded, and the same text saved as UTF-8 with LF.
    EXPECT_EQ(programText(withCrLfLineEnds(utf8ToCp932(file)), TextKind::Reading), cleaned);
    EXPECT_EQ(programText(file, TextKind::Reading), cleaned);
    // The bibliography alone marks a text too; templates and pa.dat are never cleaned.
    const std::string bibliographyOnly = utf8ToCp932("本文《ほんぶん》\r\n底本：架空\r\n");
    EXPECT_EQ(cleanAozoraBunkoText(bibliographyOnly), utf8ToCp932("本文\r\n"));
    EXPECT_EQ(programText(bibliographyOnly, TextKind::Data), bibliographyOnly);
    // Without them (no closing rule line; a rule line too short) nothing changes.
    for (const std::string& text : {kBody, kRule + kHeading + kBody, "----------" + kHeading + "-----\n"}) {
        const std::string shiftJis = utf8ToCp932(text);
        EXPECT_EQ(cleanAozoraBunkoText(shiftJis), shiftJis) << text;
    }
}

}  // namespace
}  // namespace tavori
