// Image practice: the template file, generated questions and the question screen.
#include "imagepractice/image_practice.h"

#include "files/text_file.h"

namespace tavori {

void loadTemplateFile(ImagePracticeState& /*image*/, Platform& platform, const std::string& fileName) {
    loadTextFile(platform, fileName);
}

void stepImagePractice(ImagePracticeState& /*image*/, Context& /*context*/) {}

void clickImagePractice(ImagePracticeState& /*image*/, Context& /*context*/, int /*x*/, int /*y*/) {}

}  // namespace tavori
