// The markers found line by line (the notation block between rule lines, the 底本： line), then
// each line cleaned in one pass over its characters: notes, ruby readings and their ｜ marks.
#include "files/aozora.h"

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

#include "common/sjis.h"

namespace tavori {

namespace {

// The format's marks in Shift-JIS. Their trail bytes are ASCII letters ("s", "t", "b", ...),
// so every search steps character by character and never matches inside another character.
constexpr std::string_view kRubyOpen = "\x81\x73";        // 《
constexpr std::string_view kRubyClose = "\x81\x74";       // 》
constexpr std::string_view kRubyStart = "\x81\x62";       // ｜
constexpr std::string_view kNoteOpen = "\x81\x6D\x81\x94";  // ［＃
constexpr std::string_view kBracketOpen = "\x81\x6D";     // ［
constexpr std::string_view kBracketClose = "\x81\x6E";    // ］
constexpr std::string_view kOutsideCharacterSet = "\x81\xA6";  // ※
constexpr std::string_view kMissingCharacter = "\x81\xAC";     // 〓
constexpr std::string_view kBibliographyStart = "\x92\xEA\x96\x7B\x81\x46";  // 底本：
// 【テキスト中に現れる記号について】
constexpr std::string_view kNotationHeading =
    "\x81\x79\x83\x65\x83\x4C\x83\x58\x83\x67\x92\x86\x82\xC9\x8C\xBB\x82\xEA\x82\xE9\x8B\x4C"
    "\x8D\x86\x82\xC9\x82\xC2\x82\xA2\x82\xC4\x81\x7A";
constexpr std::string_view kLineEnd = "\r\n";
// The notation block's rule lines are long runs of hyphens; a short run is left to prose.
constexpr std::size_t kShortestRuleLine = 10;

constexpr std::size_t kNone = std::string_view::npos;

struct Line {
    std::string_view body;
    std::string_view end;  // CR LF, or empty for a last line without one
    std::size_t next;      // where the following line starts
};

// The line that starts at `start` (a character boundary inside the text).
Line lineAt(std::string_view text, std::size_t start) {
    const std::size_t end = findAtCharacter(text, kLineEnd, start);
    if (end == kNone) {
        return {text.substr(start), {}, text.size()};
    }
    return {text.substr(start, end - start), text.substr(end, kLineEnd.size()), end + kLineEnd.size()};
}

bool isRuleLine(std::string_view body) {
    return body.size() >= kShortestRuleLine && body.find_first_not_of('-') == kNone;
}

// Where the format's markers stand, as byte offsets of line starts: the notation block from
// its first rule line up to the line after its closing one, and the first bibliography line;
// kNone for what the text lacks.
struct Markers {
    std::size_t notationBegin = kNone;
    std::size_t notationEnd = kNone;
    std::size_t bibliography = kNone;

    bool found() const { return notationBegin != kNone || bibliography != kNone; }
};

// The offset after the first rule line at or after `start`, or kNone.
std::size_t afterNextRuleLine(std::string_view text, std::size_t start) {
    for (std::size_t at = start; at < text.size();) {
        const Line line = lineAt(text, at);
        if (isRuleLine(line.body)) {
            return line.next;
        }
        at = line.next;
    }
    return kNone;
}

Markers findMarkers(std::string_view text) {
    Markers markers;
    for (std::size_t at = 0; at < text.size();) {
        const Line line = lineAt(text, at);
        if (markers.notationBegin == kNone && isRuleLine(line.body) && line.next < text.size()) {
            const Line heading = lineAt(text, line.next);
            const std::size_t end = heading.body == kNotationHeading ? afterNextRuleLine(text, heading.next) : kNone;
            if (end != kNone) {
                markers.notationBegin = at;
                markers.notationEnd = end;
                at = end;
                continue;
            }
        }
        if (line.body.substr(0, kBibliographyStart.size()) == kBibliographyStart) {
            markers.bibliography = at;
            break;
        }
        at = line.next;
    }
    return markers;
}

// Marks in one line, found in a single pass so a line full of unclosed brackets still costs
// only its length.
struct LineMarks {
    // [open, after close) of every matched ［…］, ordered by their open position.
    std::vector<std::pair<std::size_t, std::size_t>> brackets;
    std::size_t lastRubyClose = kNone;            // the last 》
    std::size_t lastClosedRubyOpen = kNone;       // the last 《 with a 》 after it
};

LineMarks findLineMarks(std::string_view body) {
    LineMarks marks;
    std::vector<std::size_t> openBrackets;
    std::size_t lastRubyOpen = kNone;
    for (std::size_t position = 0; position < body.size(); position += characterWidthAt(body, position)) {
        const std::string_view mark = body.substr(position, 2);
        if (mark == kBracketOpen) {
            openBrackets.push_back(position);
        } else if (mark == kBracketClose && !openBrackets.empty()) {
            marks.brackets.emplace_back(openBrackets.back(), position + mark.size());
            openBrackets.pop_back();
        } else if (mark == kRubyOpen) {
            lastRubyOpen = position;
        } else if (mark == kRubyClose) {
            marks.lastRubyClose = position;
            marks.lastClosedRubyOpen = lastRubyOpen;
        }
    }
    std::sort(marks.brackets.begin(), marks.brackets.end());
    return marks;
}

// The end of the note that opens at `position`, or kNone when its bracket is never closed.
std::size_t noteEnd(const LineMarks& marks, std::size_t position) {
    const auto found = std::lower_bound(marks.brackets.begin(), marks.brackets.end(), std::make_pair(position, std::size_t{0}));
    return found != marks.brackets.end() && found->first == position ? found->second : kNone;
}

std::string cleanLine(std::string_view body) {
    const LineMarks marks = findLineMarks(body);
    std::string cleaned;
    std::size_t position = 0;
    while (position < body.size()) {
        const std::size_t width = characterWidthAt(body, position);
        const std::string_view character = body.substr(position, width);
        const std::size_t noteAt = character == kOutsideCharacterSet ? position + width : position;
        const std::size_t end = body.substr(noteAt, kNoteOpen.size()) == kNoteOpen ? noteEnd(marks, noteAt) : kNone;
        if (end != kNone) {
            if (noteAt != position) {
                cleaned += kMissingCharacter;
            }
            position = end;
        } else if (character == kRubyOpen && marks.lastRubyClose != kNone && position < marks.lastRubyClose) {
            position = findAtCharacter(body, kRubyClose, position + width) + kRubyClose.size();
        } else if (character == kRubyStart && marks.lastClosedRubyOpen != kNone &&
                   position < marks.lastClosedRubyOpen) {
            position += width;
        } else {
            cleaned += character;
            position += width;
        }
    }
    return cleaned;
}

}  // namespace

bool looksLikeAozoraBunko(std::string_view shiftJis) { return findMarkers(shiftJis).found(); }

std::string cleanAozoraBunkoText(std::string_view shiftJis) {
    const Markers markers = findMarkers(shiftJis);
    if (!markers.found()) {
        return std::string(shiftJis);
    }
    std::string cleaned;
    cleaned.reserve(shiftJis.size());
    const std::size_t textEnd = std::min(markers.bibliography, shiftJis.size());
    for (std::size_t at = 0; at < textEnd;) {
        if (at == markers.notationBegin) {
            at = markers.notationEnd;
            continue;
        }
        const Line line = lineAt(shiftJis, at);
        at = line.next;
        const std::string body = cleanLine(line.body);
        if (body.empty() && !line.body.empty()) {
            continue;  // a note on a line of its own: the line goes with it
        }
        cleaned += body;
        cleaned += line.end;
    }
    return cleaned;
}

}  // namespace tavori
