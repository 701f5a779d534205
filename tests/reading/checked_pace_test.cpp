// Simulated readers against the checked pace rule: one who answers right only at or below a
// pace settles within a step of it from above and below; one always right reaches the top, one
// never right the bottom; the highest pace held needs eight right of the last ten.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "reading/checked_pace.h"

namespace tavori {
namespace {

constexpr std::array<std::int32_t, 11> kPaces = {300, 400, 500, 600, 800, 1000, 1200, 1500, 2000, 3000, 5000};

int stepOf(std::int32_t pace) { return static_cast<int>(std::find(kPaces.begin(), kPaces.end(), pace) - kPaces.begin()); }

TEST(CheckedPace, SimulatedReadersSettleWithinAStepOfWhatTheyCanAnswer) {
    const struct {
        std::int32_t start, limit;  // the reader answers right at `limit` 文字/分 or slower
    } readers[] = {{300, 1000}, {5000, 1000}, {300, 600}, {5000, 2000}, {300, 100000}, {5000, 0}};
    for (const auto& reader : readers) {
        CheckedPace checked;
        std::int32_t pace = reader.start;
        int settledAfter = -1;
        for (int question = 0; question < 60; ++question) {
            pace = answerAtPace(checked, pace, pace <= reader.limit);
            const bool within = reader.limit >= 5000 ? pace == 5000
                                : reader.limit < 300 ? pace == 300
                                                     : std::abs(stepOf(pace) - stepOf(reader.limit)) <= 1;
            if (!within) settledAfter = -1;
            else if (settledAfter < 0) settledAfter = question + 1;
        }
        // Two right answers a step: eleven steps from one end take at most 22 questions.
        EXPECT_GT(settledAfter, 0) << reader.start << " " << reader.limit;
        EXPECT_LE(settledAfter, 22) << reader.start << " " << reader.limit;
        if (reader.limit > 0 && reader.limit < 5000) {
            EXPECT_EQ(checked.highestHeld, reader.limit) << reader.start;
        }
    }
}

}  // namespace
}  // namespace tavori
