// "[main]" gives the line; a print line's choice is expanded in rounds of three until the three
// differ, the rounds run out or the work budget is spent.
#include "imagepractice/question.h"

#include <algorithm>

#include "common/sjis.h"
#include "imagepractice/expansion.h"

namespace tavori {

namespace {

constexpr std::string_view kEntrySection = "[main]";
constexpr std::string_view kPrintOpening = "print(";
constexpr std::string_view kSelectOpening = "select(";
constexpr char kCloseParenthesis = ')';

// First position at a character boundary where `text` continues with `wanted`; size if none.
std::size_t findOrEnd(std::string_view text, std::string_view wanted, std::size_t from) {
    return std::min(findAtCharacter(text, wanted, from), text.size());
}

bool allDifferent(const std::array<std::string, 3>& texts) {
    return texts[0] != texts[1] && texts[0] != texts[2] && texts[1] != texts[2];
}

// The three candidates share the prefix and suffix; each is kept within the same bound as any
// expanded text, cut at a character boundary.
std::string joinCandidate(const std::string& prefix, const std::string& middle, const std::string& suffix) {
    std::string candidate = prefix + middle + suffix;
    candidate.resize(characterBoundaryAtMost(candidate, kMaxExpandedBytes));
    return candidate;
}

}  // namespace

bool isPrintLine(std::string_view line) { return line.substr(0, kPrintOpening.size()) == kPrintOpening; }

PrintLine splitPrintLine(std::string_view line) {
    const std::string_view body = line.substr(kPrintOpening.size());
    PrintLine parts;
    const std::size_t select = findOrEnd(body, kSelectOpening, 0);
    parts.prefix = body.substr(0, select);
    if (select == body.size()) {
        return parts;
    }
    const std::size_t choiceStart = select + kSelectOpening.size();
    const std::size_t choiceEnd = findOrEnd(body, std::string_view(&kCloseParenthesis, 1), choiceStart);
    parts.choice = body.substr(choiceStart, choiceEnd - choiceStart);
    if (choiceEnd == body.size()) {
        return parts;
    }
    const std::size_t suffixStart = choiceEnd + 1;
    const std::size_t suffixEnd = findOrEnd(body, std::string_view(&kCloseParenthesis, 1), suffixStart);
    parts.suffix = body.substr(suffixStart, suffixEnd - suffixStart);
    return parts;
}

void buildQuestion(ImagePracticeState& image, RandomGenerator& random) {
    const TemplateFile& templateFile = image.templateFile;
    image.shownSentence.clear();
    if (templateFile.templateSectionCount == 0) {
        return;
    }
    // A missing "[main]" and one without alternatives both give the empty sentence.
    const std::int32_t lineCount = countAlternatives(templateFile, kEntrySection);
    if (lineCount == 0) {
        return;
    }
    const std::int32_t section = findSection(templateFile, kEntrySection);
    image.shownSentence = templateFile.alternative(section, random.below(lineCount));

    if (!isPrintLine(image.shownSentence)) {
        expandText(image.shownSentence, templateFile, random);
        image.candidates.fill(image.shownSentence);
        return;
    }

    PrintLine parts = splitPrintLine(image.shownSentence);
    std::array<std::string, 3> results;
    std::int64_t referencesSpent = 0;
    std::int64_t bytesSpent = 0;
    for (std::int32_t round = 0; round < kMaxChoiceRounds; ++round) {
        for (std::string& result : results) {
            result = parts.choice;
            const ExpansionWork work = expandText(result, templateFile, random);
            referencesSpent += work.references;
            bytesSpent += static_cast<std::int64_t>(work.bytes);
        }
        if (allDifferent(results) || referencesSpent >= kMaxQuestionReferences || bytesSpent >= kMaxQuestionBytes) {
            break;
        }
    }
    expandText(parts.prefix, templateFile, random);
    expandText(parts.suffix, templateFile, random);
    for (std::size_t row = 0; row < results.size(); ++row) {
        image.candidates[row] = joinCandidate(parts.prefix, results[row], parts.suffix);
    }
    image.shownSentence = image.candidates[static_cast<std::size_t>(random.below(3))];
}

}  // namespace tavori
