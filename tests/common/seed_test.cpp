// TAVORI_SEED replays a session; anything that is not a number falls back to the time.
#include <gtest/gtest.h>

#include "common/seed.h"

namespace tavori {
namespace {

TEST(Seed, NumbersAreTakenAsTheirLow32Bits) {
    EXPECT_EQ(parseSeed("0"), 0u);
    EXPECT_EQ(parseSeed("42"), 42u);
    EXPECT_EQ(parseSeed(" 42\n"), 42u);
    EXPECT_EQ(parseSeed("+7"), 7u);
    EXPECT_EQ(parseSeed("4294967295"), 4294967295u);
    EXPECT_EQ(parseSeed("4294967296"), 0u);
    EXPECT_EQ(parseSeed("4294967297"), 1u);
    EXPECT_EQ(parseSeed("-1"), 4294967295u);
    // 10^20 + 1 mod 2^32: digits beyond 32 bits wrap instead of overflowing.
    EXPECT_EQ(parseSeed("100000000000000000001"), static_cast<std::uint32_t>(1661992960u + 1u));
}

TEST(Seed, NonNumbersAreNoSeed) {
    EXPECT_FALSE(parseSeed(""));
    EXPECT_FALSE(parseSeed("   "));
    EXPECT_FALSE(parseSeed("-"));
    EXPECT_FALSE(parseSeed("12a"));
    EXPECT_FALSE(parseSeed("0x10"));
    EXPECT_FALSE(parseSeed("1 2"));
    EXPECT_FALSE(parseSeed("1.5"));
}

TEST(Seed, EnvironmentWinsOverTimeOnlyWhenItIsANumber) {
    EXPECT_EQ(chooseSeed("99", 1700000000), 99u);
    EXPECT_EQ(chooseSeed(nullptr, 1700000000), 1700000000u);
    EXPECT_EQ(chooseSeed("abc", 1700000000), 1700000000u);
    // The time's low 32 bits, past 2038 too.
    EXPECT_EQ(chooseSeed(nullptr, 0x1'0000'0005LL), 5u);
}

}  // namespace
}  // namespace tavori
