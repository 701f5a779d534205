// The one registration of the exercises: which exercise each Mode shows.
#pragma once

#include <memory>
#include <vector>

#include "shell/exercise.h"

namespace tavori {

using ExerciseList = std::vector<std::unique_ptr<Exercise>>;

// One fresh exercise per Mode, in the order they load their files at start-up.
ExerciseList makeExercises();

}  // namespace tavori
