// Expansion in a gap buffer: each reference is replaced at the scan position and its alternative
// scanned next, within the bounds on references and bytes.
#include "imagepractice/expansion.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "common/sjis.h"

namespace tavori {

namespace {

constexpr std::string_view kDropMark = "*.";
constexpr char kOpenReference = '[';
constexpr char kCloseReference = ']';

// One leading "*." is dropped, and only one: a second pair stays as text. The template line a
// chosen alternative comes from is only viewed, never trimmed, so its section keeps its length.
std::string_view withoutDropMark(std::string_view text) {
    return text.substr(0, kDropMark.size()) == kDropMark ? text.substr(kDropMark.size()) : text;
}

// The text under expansion as a gap buffer: the scanned part at the front of an area and the
// part still to scan at its back end. Inserting an alternative at the scan position then costs
// only the alternative's length, however long the rest of the text is. The area starts small
// and doubles as the text grows (never past the size bound), so the many short texts a
// question expands do not each pay for a whole 60000-byte area.
class ExpansionArea {
public:
    explicit ExpansionArea(std::string_view text)
        : area_(std::min(kMaxExpandedBytes, std::max(kInitialCapacity, 2 * text.size())), '\0'),
          backStart_(area_.size() - text.size()) {
        std::memcpy(area_.data() + backStart_, text.data(), text.size());
    }

    std::string_view unscanned() const { return {area_.data() + backStart_, area_.size() - backStart_}; }
    std::string_view scanned() const { return {area_.data(), scannedEnd_}; }
    std::size_t size() const { return scannedEnd_ + (area_.size() - backStart_); }

    // Moves the first `count` unscanned bytes to the scanned part.
    void keep(std::size_t count) {
        std::memmove(area_.data() + scannedEnd_, area_.data() + backStart_, count);
        scannedEnd_ += count;
        backStart_ += count;
    }
    void drop(std::size_t count) { backStart_ += count; }
    // Puts `text` in front of the unscanned part; the caller has checked that the whole stays
    // within kMaxExpandedBytes.
    void insert(std::string_view text) {
        makeRoomFor(text.size());
        backStart_ -= text.size();
        std::memcpy(area_.data() + backStart_, text.data(), text.size());
    }

    std::string text() const {
        std::string whole(scanned());
        whole.append(unscanned());
        return whole;
    }

private:
    static constexpr std::size_t kInitialCapacity = 256;

    void makeRoomFor(std::size_t extra) {
        const std::size_t needed = size() + extra;
        if (needed <= area_.size()) {
            return;
        }
        const std::size_t capacity = std::min(kMaxExpandedBytes, std::max(needed, 2 * area_.size()));
        const std::size_t backLength = area_.size() - backStart_;
        std::string grown(capacity, '\0');
        std::memcpy(grown.data(), area_.data(), scannedEnd_);
        std::memcpy(grown.data() + capacity - backLength, area_.data() + backStart_, backLength);
        area_ = std::move(grown);
        backStart_ = capacity - backLength;
    }

    std::string area_;
    std::size_t scannedEnd_ = 0;
    std::size_t backStart_;
};

std::string cutToBound(std::string text) {
    text.resize(characterBoundaryAtMost(text, kMaxExpandedBytes));
    return text;
}

}  // namespace

ExpansionWork expandText(std::string& text, const TemplateFile& templateFile, RandomGenerator& random) {
    const std::string_view source = withoutDropMark(text);
    if (source.size() > kMaxExpandedBytes) {
        text = cutToBound(std::string(source));
        return ExpansionWork{0, text.size()};
    }
    ExpansionArea area(source);
    std::int32_t expandedReferences = 0;
    while (!area.unscanned().empty()) {
        const std::string_view rest = area.unscanned();
        if (rest.front() != kOpenReference) {
            const std::size_t nextOpen = findAtCharacter(rest, kOpenReference, 0);
            area.keep(nextOpen == std::string_view::npos ? rest.size() : nextOpen);
            continue;
        }
        const std::size_t close = findAtCharacter(rest, kCloseReference, 1);
        if (close == std::string_view::npos || expandedReferences == kMaxExpandedReferences) {
            // An unclosed "[" makes the rest literal; so does running out of references.
            area.keep(rest.size());
            break;
        }
        const std::string_view reference = rest.substr(0, close + 1);
        const std::int32_t alternativeCount = countAlternatives(templateFile, reference);
        if (alternativeCount == 0) {
            // Nothing to choose from: the reference stays as it is written and is not rescanned.
            area.keep(reference.size());
            continue;
        }
        const std::int32_t section = findSection(templateFile, reference);
        const std::int32_t choice = random.below(alternativeCount);
        const std::string_view alternative = withoutDropMark(templateFile.alternative(section, choice));
        area.drop(reference.size());
        ++expandedReferences;
        if (area.size() + alternative.size() > kMaxExpandedBytes) {
            std::string whole(area.scanned());
            whole.append(alternative);
            whole.append(area.unscanned());
            text = cutToBound(std::move(whole));
            return ExpansionWork{expandedReferences, text.size()};
        }
        // Scanning resumes at the alternative's first byte: its references come next.
        area.insert(alternative);
    }
    text = area.text();
    return ExpansionWork{expandedReferences, text.size()};
}

}  // namespace tavori
