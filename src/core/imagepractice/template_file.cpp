// CR LF pairs zeroed in the loaded block, the line starts recorded, and each header indexed by
// name with the run of non-empty lines after it.
#include "imagepractice/template_file.h"

#include <algorithm>
#include <new>

#include "files/text_file.h"
#include "imagepractice/image_practice.h"

namespace tavori {

namespace {

constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';
constexpr char kHeaderMark = '[';

// Number of CR LF pairs in the first `length` bytes; a lone CR or LF is an ordinary byte.
std::int32_t countLineEnds(const std::vector<char>& text, std::size_t length) {
    std::int32_t count = 0;
    for (std::size_t position = 0; position < length;) {
        if (text[position] == kCarriageReturn && position + 1 < length && text[position + 1] == kLineFeed) {
            ++count;
            position += 2;
        } else {
            ++position;
        }
    }
    return count;
}

}  // namespace

std::string_view TemplateFile::line(std::int32_t lineNumber) const {
    if (lineNumber < 0 || static_cast<std::size_t>(lineNumber) >= templateLines.size()) {
        return {};
    }
    // Every line ends in a zero of its own: a former CR, or the zero after the text.
    return std::string_view(templateText.data() + templateLines[static_cast<std::size_t>(lineNumber)]);
}

std::string_view TemplateFile::alternative(std::int32_t sectionPosition, std::int32_t index) const {
    if (sectionPosition < 0 || sectionPosition >= templateSectionCount) {
        return {};
    }
    const std::int64_t lineNumber =
        static_cast<std::int64_t>(templateSections[static_cast<std::size_t>(sectionPosition)]) + 1 + index;
    if (index < 0 || lineNumber > templateLineEndCount) {
        return {};
    }
    return line(static_cast<std::int32_t>(lineNumber));
}

TemplateFile indexTemplateText(std::vector<char> block, std::size_t length) {
    length = std::min(length, block.size());
    // A NUL byte ends the text: the split would stop there, so the count and the headers do too.
    const std::size_t textLength =
        static_cast<std::size_t>(std::find(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(length), '\0') -
                                 block.begin());
    std::fill(block.begin() + static_cast<std::ptrdiff_t>(textLength), block.begin() + static_cast<std::ptrdiff_t>(length),
              '\0');
    if (block.size() == textLength) {
        block.push_back('\0');
    }

    TemplateFile result;
    result.templateLineEndCount = countLineEnds(block, textLength);
    result.templateLines.assign(static_cast<std::size_t>(result.templateLineEndCount) + 1, 0);
    std::size_t entry = 1;
    for (std::size_t position = 0; position < textLength;) {
        if (block[position] == kCarriageReturn && position + 1 < textLength && block[position + 1] == kLineFeed) {
            block[position] = '\0';
            block[position + 1] = '\0';
            position += 2;
            result.templateLines[entry++] = static_cast<std::int32_t>(position);
        } else {
            ++position;
        }
    }
    result.templateText = std::move(block);

    // Consecutive non-empty lines from each line on; a run that meets no empty line ends with
    // the final line, so no count ever leaves the table.
    const auto lineCount = static_cast<std::size_t>(result.templateLineEndCount) + 1;
    std::vector<std::int32_t> nonEmptyRun(lineCount + 1, 0);
    for (std::size_t lineNumber = lineCount; lineNumber-- > 0;) {
        if (!result.line(static_cast<std::int32_t>(lineNumber)).empty()) {
            nonEmptyRun[lineNumber] = nonEmptyRun[lineNumber + 1] + 1;
        }
    }

    // The final line is never a header: it is not ended by CR LF.
    for (std::int32_t lineNumber = 0; lineNumber < result.templateLineEndCount; ++lineNumber) {
        const std::string_view text = result.line(lineNumber);
        if (text.empty() || text.front() != kHeaderMark) {
            continue;
        }
        const auto position = static_cast<std::int32_t>(result.templateSections.size());
        result.templateSections.push_back(lineNumber);
        result.firstSectionByName.try_emplace(
            std::string(text), SectionEntry{position, nonEmptyRun[static_cast<std::size_t>(lineNumber) + 1]});
    }
    result.templateSectionCount = static_cast<std::int32_t>(result.templateSections.size());
    return result;
}

TemplateFile readTemplateFile(Platform& platform, const std::string& fileName) {
    try {
        LoadedFile loaded = loadTextFile(platform, fileName);
        if (loaded.size < 0) {
            return TemplateFile{};
        }
        return indexTemplateText(std::move(loaded.block), static_cast<std::size_t>(loaded.size));
    } catch (const std::bad_alloc&) {
        // No memory for the template's tables: as for a missing file.
        return TemplateFile{};
    }
}

std::int32_t findSection(const TemplateFile& templateFile, std::string_view name) {
    const auto found = templateFile.firstSectionByName.find(name);
    return found == templateFile.firstSectionByName.end() ? 0 : found->second.position;
}

std::int32_t countAlternatives(const TemplateFile& templateFile, std::string_view name) {
    const auto found = templateFile.firstSectionByName.find(name);
    return found == templateFile.firstSectionByName.end() ? 0 : found->second.alternativeCount;
}

void loadTemplateFile(ImagePracticeState& image, Platform& platform, const std::string& fileName) {
    // The old template goes first, so a failed load never leaves two in memory.
    image.templateFile = TemplateFile{};
    image.templateFile = readTemplateFile(platform, fileName);
}

}  // namespace tavori
