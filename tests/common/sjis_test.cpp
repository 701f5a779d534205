// The lead-byte range and the character-boundary cut that every scanner relies on.
#include <gtest/gtest.h>

#include "common/sjis.h"

namespace tavori {
namespace {

TEST(ShiftJis, LeadByteRangeEdges) {
    EXPECT_FALSE(isLeadByte(static_cast<unsigned char>(0x80)));
    EXPECT_TRUE(isLeadByte(static_cast<unsigned char>(0x81)));
    EXPECT_TRUE(isLeadByte(static_cast<unsigned char>(0x9F)));
    EXPECT_FALSE(isLeadByte(static_cast<unsigned char>(0xA0)));  // half-width katakana start
    EXPECT_FALSE(isLeadByte(static_cast<unsigned char>(0xDF)));
    EXPECT_TRUE(isLeadByte(static_cast<unsigned char>(0xE0)));
    EXPECT_TRUE(isLeadByte(static_cast<unsigned char>(0xFC)));
    EXPECT_FALSE(isLeadByte(static_cast<unsigned char>(0xFD)));
    EXPECT_FALSE(isLeadByte('['));
    EXPECT_TRUE(isLeadByte('\x83'));  // a plain (possibly signed) char works the same
}

TEST(ShiftJis, BoundaryCutNeverSplitsADoubleByteCharacter) {
    const std::string_view text = "a\x83\x5B" "b";  // a ゼ b
    EXPECT_EQ(characterBoundaryAtMost(text, 0), 0u);
    EXPECT_EQ(characterBoundaryAtMost(text, 1), 1u);
    EXPECT_EQ(characterBoundaryAtMost(text, 2), 1u);  // would cut ゼ in half
    EXPECT_EQ(characterBoundaryAtMost(text, 3), 3u);
    EXPECT_EQ(characterBoundaryAtMost(text, 10), 4u);
    // A lead byte that is the text's last byte counts alone.
    EXPECT_EQ(characterBoundaryAtMost("ab\x83", 3), 3u);
}

}  // namespace
}  // namespace tavori
