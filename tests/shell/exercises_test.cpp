// The registration: one exercise per Mode, each reachable from the menus, and every exercise
// command and key on exactly one exercise.
#include <gtest/gtest.h>

#include <set>

#include "shell/exercises.h"

namespace tavori {
namespace {

TEST(Exercises, OnePerModeReachableFromTheMenusWithKeysOnMenuItems) {
    const ExerciseList exercises = makeExercises();
    std::set<Mode> modes;
    for (const auto& exercise : exercises) {
        modes.insert(exercise->mode());
        // No key moves a tile.
        EXPECT_EQ(exercise->keys().empty(), exercise->mode() == Mode::Puzzle);
        for (const KeyBinding& binding : exercise->keys()) {
            const CommandAction action = commandMeaning(binding.command).action;
            EXPECT_TRUE(exercise->ownsCommand(action) || action == CommandAction::StepDisplayTime) << binding.command;
        }
    }
    EXPECT_EQ(modes, (std::set{Mode::ImagePractice, Mode::SpeedReading, Mode::Maze, Mode::Puzzle, Mode::ReadingTest}));
    EXPECT_EQ(exercises.size(), modes.size());
    // Each item that selects or acts on an exercise belongs to exactly one (but the answers); every exercise is
    // selected by some item.
    std::set<Mode> selectable;
    for (const Popup& popup : menuBarTable()) {
        for (const MenuItem& item : popup.items) {
            int owners = 0;
            for (const auto& exercise : exercises) {
                const bool selects = exercise->selectedBy(item.meaning.action);
                owners += (selects ? 1 : 0) + (exercise->ownsCommand(item.meaning.action) ? 1 : 0);
                if (selects) {
                    selectable.insert(exercise->mode());
                }
            }
            // The reading test's answers also answer speed reading's checked questions: the
            // exercise on screen takes them.
            EXPECT_LE(owners, item.meaning.action == CommandAction::TestAnswer ? 2 : 1) << item.id;
        }
    }
    EXPECT_EQ(selectable, modes);
}

}  // namespace
}  // namespace tavori
