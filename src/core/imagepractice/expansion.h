// Expands the section references in a text into randomly chosen alternatives of the template.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "common/random.h"
#include "imagepractice/template_file.h"

namespace tavori {

// A text never grows past this many bytes: every sentence fits a 64000-byte area with room
// to spare, and a grammar that keeps growing stops here.
inline constexpr std::size_t kMaxExpandedBytes = 60000;
// At most this many references are expanded per text, so a grammar that refers to itself for
// ever without growing ends too.
inline constexpr std::int32_t kMaxExpandedReferences = 10000;

// What one expansion cost: the references it replaced and the bytes of its result.
struct ExpansionWork {
    std::int32_t references = 0;
    std::size_t bytes = 0;
};

// Rewrites `text`: drops one leading "*.", then replaces each "[name]" from left to right,
// depth first, by a random alternative of the first section of that name (one draw each).
// A reference to a missing or empty section stays as literal text and takes no draw; an
// unclosed "[" leaves the rest literal. Past either bound the text stays as it stands, cut
// at a character boundary when too long. Returns the work it took.
ExpansionWork expandText(std::string& text, const TemplateFile& templateFile, RandomGenerator& random);

}  // namespace tavori
