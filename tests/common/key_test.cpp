// The modifier rule every front end applies: Ctrl, Alt or Meta held keeps a key from the exercises.
#include <gtest/gtest.h>

#include "common/key.h"

namespace tavori {
namespace {

TEST(ExerciseKey, AnyOfCtrlAltMetaHeldKeepsTheKeyFromTheExercises) {
    const struct {
        Modifiers held;
        bool reaches;
    } cases[] = {
        {{}, true},
        {{.control = true}, false},
        {{.alt = true}, false},
        {{.meta = true}, false},
        {{.control = true, .alt = true}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(exerciseKey(Key::Right, c.held), c.reaches ? std::optional(Key::Right) : std::nullopt);
        EXPECT_EQ(exerciseKey(std::nullopt, c.held), std::nullopt);
    }
}

}  // namespace
}  // namespace tavori
