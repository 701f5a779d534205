// Conversions between UTF-8, UTF-16 and code page 932 through the system's converters.
#include "text_conversion.h"

#include <gtest/gtest.h>

namespace tavori::win32 {
namespace {

TEST(TextConversion, Utf8AndWideRoundTripIncludingSurrogatePairs) {
    const std::string utf8 = "タボリで速読補助 A \xF0\x9F\x98\x80";
    const std::wstring wide = utf8ToWide(utf8);
    EXPECT_EQ(wide, L"タボリで速読補助 A \xD83D\xDE00");
    EXPECT_EQ(wideToUtf8(wide), utf8);
    EXPECT_EQ(utf8ToWide(""), L"");
    EXPECT_EQ(wideToUtf8(L""), "");
}

TEST(TextConversion, OneShiftJisCharacterIsOneWideGlyph) {
    EXPECT_EQ(cp932CharacterToWide("\x82\xA0"), L'あ');
    EXPECT_EQ(cp932CharacterToWide("\x83\x5B"), L'ゼ');
    EXPECT_EQ(cp932CharacterToWide("A"), L'A');
    EXPECT_EQ(cp932CharacterToWide("\xB1"), L'ｱ');  // half-width katakana: one byte, one cell
    EXPECT_NE(cp932CharacterToWide("\x82"), L'\0');  // a lead byte left alone still draws
}

}  // namespace
}  // namespace tavori::win32
