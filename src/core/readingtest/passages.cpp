// Bundled passages read from their folder with the text loader (UTF-8 or Shift-JIS, markup
// cleaned), the title line split off; excerpts walked by character so a cut never splits one.
#include "readingtest/passages.h"

#include <algorithm>
#include <array>

#include "common/sjis.h"
#include "files/files.h"
#include "files/text_file.h"
#include "reading/phrase_rows.h"

namespace tavori {

namespace {

constexpr std::array<std::string_view, kTestLevels + 1> kLevelNames = {"自分の文章", "やさしい", "ふつう", "むずかしい"};
constexpr std::array<std::string_view, kTestLevels> kLevelFiles = {"easy", "normal", "hard"};

}  // namespace

std::string_view testLevelName(int level) {
    return kLevelNames[static_cast<std::size_t>(std::clamp(level, 0, kTestLevels))];
}

std::vector<char> passageText(std::string_view shiftJis) {
    std::vector<char> text(shiftJis.begin(), shiftJis.end());
    text.resize(text.size() + static_cast<std::size_t>(kLoadPadding), '\0');
    return text;
}

TestPassage loadBundledPassage(Platform& platform, int level, int which) {
    const std::string base = std::string(kLevelFiles[static_cast<std::size_t>(std::clamp(level, 1, kTestLevels) - 1)]) +
                             "-" + std::to_string(std::clamp(which, 0, 1) + 1);
    const LoadedFile loaded = loadWholeFile(platform, siblingPath(platform, "passages/" + base, ".txt"));
    std::string_view bytes = loaded.text();
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    // The title is the first line, kept in UTF-8 for the status line and the record; a file
    // saved in Shift-JIS is named by its file instead.
    const std::size_t titleEnd = std::min(bytes.find('\n'), bytes.size());
    std::string_view title = bytes.substr(0, titleEnd);
    if (title.ends_with('\r')) title.remove_suffix(1);
    TestPassage passage;
    passage.title = looksLikeUtf8(title) ? std::string(title) : base;
    const std::string text = programText(bytes.substr(titleEnd), TextKind::Reading);
    std::size_t bodyStart = 0;
    while (const std::size_t lineEnd = lineEndWidth(text, bodyStart)) bodyStart += lineEnd;
    passage.text = passageText(std::string_view(text).substr(bodyStart));
    return passage;
}

std::string excerptFrom(std::string_view text, std::size_t from, int characters) {
    std::size_t at = std::min(from, text.size());
    // A place inside a line end starts after it.
    while (const std::size_t lineEnd = lineEndWidth(text, at)) at += lineEnd;
    const std::size_t start = at;
    int taken = 0;
    bool sentenceEnded = false;
    while (at < text.size()) {
        if (const std::size_t lineEnd = lineEndWidth(text, at)) {
            if (taken >= characters) break;
            at += lineEnd;
            continue;
        }
        // Past the count, the excerpt ends once a sentence has (its closing marks taken).
        if (taken >= characters && sentenceEnded && !mayNotStartRow(text, at)) break;
        sentenceEnded = endsSentence(text, at) || (sentenceEnded && mayNotStartRow(text, at));
        at += characterWidthAt(text, at);
        ++taken;
    }
    return std::string(text.substr(start, at - start));
}

}  // namespace tavori
