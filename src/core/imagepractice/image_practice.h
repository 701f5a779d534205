// Image practice: the template file, generated questions and the question screen.
#pragma once

#include <cstdint>
#include <string>

#include "common/context.h"

namespace tavori {

struct ImagePracticeState {
    std::string templateFileName = "tvr.tvr3";  // the dialog's name buffer
    // -1 answered (and at start), 0 a question is due, 1..displayTicks-1 flashing,
    // displayTicks or more the answer phase.
    std::int32_t questionState = -1;
};

// Loads and indexes a template file (an unloadable file gives the empty template).
void loadTemplateFile(ImagePracticeState& image, Platform& platform, const std::string& fileName);

void stepImagePractice(ImagePracticeState& image, Context& context);
void clickImagePractice(ImagePracticeState& image, Context& context, int x, int y);

}  // namespace tavori
