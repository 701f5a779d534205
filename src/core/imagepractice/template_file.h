// The loaded template: its text split into lines in place, and the index of its section headers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/platform.h"

namespace tavori {

// Where the first header of a name stands and how long its run of alternatives is.
struct SectionEntry {
    std::int32_t position = 0;          // index into templateSections
    std::int32_t alternativeCount = 0;  // lines before the first empty one (or the final line)
};

// Header names are looked up once per reference, up to ten thousand times per text, so they
// are hashed rather than compared header by header; the map only ever holds the first header
// of each name, which keeps the first match winning.
struct SectionNameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
};

struct TemplateFile {
    // The file's bytes with every CR LF overwritten by two zeros, so each line is NUL-terminated
    // in place, followed by zero padding.
    std::vector<char> templateText = std::vector<char>(1, '\0');
    // Offset in templateText of each line: entry 0 is the text's start, entry k the byte after
    // the k-th CR LF; templateLineEndCount + 1 entries, the last one being the final line.
    std::vector<std::int32_t> templateLines = std::vector<std::int32_t>(1, 0);
    std::int32_t templateLineEndCount = 0;
    // Line numbers of the header lines, in file order.
    std::vector<std::int32_t> templateSections;
    std::int32_t templateSectionCount = 0;
    std::unordered_map<std::string, SectionEntry, SectionNameHash, std::equal_to<>> firstSectionByName;

    // The text of a line; empty for a number outside the table.
    std::string_view line(std::int32_t lineNumber) const;
    // Alternative k of the section at position s: templateLines[templateSections[s] + 1 + k].
    std::string_view alternative(std::int32_t sectionPosition, std::int32_t index) const;
};

// Splits and indexes template bytes. A NUL ends the text early: nothing after it is seen.
TemplateFile indexTemplateText(std::vector<char> block, std::size_t length);

// Reads a template file (UTF-8 files converted); a file that cannot be read, or a template
// there is no memory for, gives the empty template.
TemplateFile readTemplateFile(Platform& platform, const std::string& fileName);

// Position in templateSections of the first header equal to `name` byte for byte; 0 when
// there is none.
std::int32_t findSection(const TemplateFile& templateFile, std::string_view name);

// Number of alternatives of the first header equal to `name`; 0 when there is none.
std::int32_t countAlternatives(const TemplateFile& templateFile, std::string_view name);

}  // namespace tavori
