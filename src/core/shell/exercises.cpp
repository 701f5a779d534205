// The exercises the program offers, one per Mode: a new exercise is added here and in its own
// folder.
#include "shell/exercises.h"

#include "imagepractice/image_practice_exercise.h"
#include "maze/maze_exercise.h"
#include "puzzle/puzzle_exercise.h"
#include "reading/reading_exercise.h"
#include "readingtest/reading_test_exercise.h"

namespace tavori {

ExerciseList makeExercises() {
    ExerciseList exercises;
    // The reading text is loaded before the template, as the settings name them.
    auto reading = std::make_unique<ReadingExercise>();
    // The reading test is taken in the reader's own layout, and on their own text at its place.
    auto readingTest = std::make_unique<ReadingTestExercise>(*reading);
    exercises.push_back(std::move(reading));
    exercises.push_back(std::make_unique<ImagePracticeExercise>());
    exercises.push_back(std::make_unique<MazeExercise>());
    exercises.push_back(std::make_unique<PuzzleExercise>());
    exercises.push_back(std::move(readingTest));
    return exercises;
}

}  // namespace tavori
