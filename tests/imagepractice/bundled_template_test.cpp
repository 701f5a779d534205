// The bundled tvr.tvr3: its shape, and a thousand questions drawn from it.
#include <fstream>
#include <iterator>
#include <string>

#include "common/sjis.h"
#include "imagepractice/question.h"
#include "imagepractice/template_fixture.h"

#ifndef TAVORI_BUNDLED_TEMPLATE
#error "TAVORI_BUNDLED_TEMPLATE names data/tvr.tvr3"
#endif

namespace tavori {
namespace {

// A candidate is legible in its 600-pixel row up to this many bytes.
constexpr std::size_t kLegibleBytes = 40;

class BundledTemplateTest : public TemplateFixture {
protected:
    BundledTemplateTest() {
        std::ifstream file(TAVORI_BUNDLED_TEMPLATE, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        platform.addFile(platform.besideExecutable("tvr.tvr3"), bytes);
        loadTemplateFile(image, platform, platform.besideExecutable("tvr.tvr3"));
    }

    std::string bytes;
    ImagePracticeState image;
};

bool hasReferenceOpening(std::string_view text) {
    for (std::size_t position = 0; position < text.size(); ++position) {
        if (isLeadByte(text[position])) {
            ++position;
        } else if (text[position] == '[') {
            return true;
        }
    }
    return false;
}

TEST_F(BundledTemplateTest, IsAShiftJisTemplateWithCrLf) {
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes.find('\0'), std::string::npos);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    for (std::size_t position = 0; position < bytes.size(); ++position) {
        if (bytes[position] == '\n') {
            EXPECT_EQ(bytes[position - 1], '\r') << position;
        }
    }
    // Kept byte for byte: the loader did not take it for UTF-8.
    EXPECT_EQ(std::string_view(image.templateFile.templateText.data(), 4), bytes.substr(0, 4));

    const TemplateFile& file = image.templateFile;
    ASSERT_GT(file.templateSectionCount, 0);
    EXPECT_GT(file.templateSections[0], 0);  // comment lines come first
    EXPECT_GE(countAlternatives(file, "[main]"), 30);
    EXPECT_GE(file.templateSectionCount, 15);
    int dropMarks = 0;
    int nested = 0;
    for (std::int32_t line = file.templateSections[0]; line <= file.templateLineEndCount; ++line) {
        const std::string_view text = file.line(line);
        dropMarks += text.substr(0, 2) == "*." ? 1 : 0;
        nested += !text.empty() && text.front() != '[' && hasReferenceOpening(text) && !isPrintLine(text) ? 1 : 0;
    }
    EXPECT_GE(dropMarks, 1);
    EXPECT_GE(nested, 1);
}

TEST_F(BundledTemplateTest, AThousandQuestionsAreLegibleAndPrintQuestionsDiffer) {
    RandomGenerator random(20240601);
    int printQuestions = 0;
    for (int question = 0; question < 1000; ++question) {
        RandomGenerator lineDraw = random;
        const std::string_view line =
            image.templateFile.alternative(findSection(image.templateFile, "[main]"),
                                           lineDraw.below(countAlternatives(image.templateFile, "[main]")));
        buildQuestion(image, random);
        const auto& rows = image.candidates;
        for (const std::string& candidate : rows) {
            EXPECT_FALSE(candidate.empty()) << question;
            EXPECT_LE(candidate.size(), kLegibleBytes) << question;
            EXPECT_FALSE(hasReferenceOpening(candidate)) << candidate;
        }
        EXPECT_TRUE(image.shownSentence == rows[0] || image.shownSentence == rows[1] || image.shownSentence == rows[2]);
        if (isPrintLine(line)) {
            ++printQuestions;
            EXPECT_TRUE(rows[0] != rows[1] && rows[0] != rows[2] && rows[1] != rows[2]) << question;
        } else {
            EXPECT_TRUE(rows[0] == rows[1] && rows[1] == rows[2]) << question;
        }
    }
    EXPECT_GT(printQuestions, 300);
    EXPECT_LT(printQuestions, 900);
}

}  // namespace
}  // namespace tavori
