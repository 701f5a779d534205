// Prints the phrases the core finds in text files, for the differential test against BudouX's
// own parser: each file loaded as a reading text (encoding, line ends, Aozora Bunko clean-up),
// then one output line per line of the text, its phrases in UTF-8 separated by U+001F.
#include <algorithm>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "common/sjis.h"
#include "cp932_iconv.h"
#include "files/text_file.h"
#include "phrases/phrase_segmenter.h"
#include "support/fake_platform.h"

int main(int argc, char** argv) {
    tavori::testing::FakePlatform platform;
    for (int argument = 1; argument < argc; ++argument) {
        std::ifstream file(argv[argument], std::ios::binary);
        if (!file) {
            std::cerr << "cannot read " << argv[argument] << '\n';
            return 1;
        }
        const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        const std::string text = tavori::programText(platform, bytes, tavori::TextKind::Reading);
        const std::vector<std::size_t> starts = tavori::phraseStarts(text);
        std::cout << "\x1e" << argv[argument] << '\n';
        std::size_t lineStart = 0;
        while (lineStart <= text.size()) {
            std::size_t lineEnd = lineStart;
            while (lineEnd < text.size() && text[lineEnd] != '\r' && text[lineEnd] != '\n') {
                lineEnd += tavori::characterWidthAt(text, lineEnd);
            }
            if (lineEnd > lineStart && !std::binary_search(starts.begin(), starts.end(), lineStart)) {
                std::cerr << argv[argument] << ": no phrase starts the line at byte " << lineStart << '\n';
                return 1;
            }
            std::size_t phraseStart = lineStart;
            for (auto next = std::upper_bound(starts.begin(), starts.end(), lineStart);
                 next != starts.end() && *next < lineEnd; ++next) {
                std::cout << tavori::cp932ToUtf8WithIconv(text.substr(phraseStart, *next - phraseStart)) << '\x1f';
                phraseStart = *next;
            }
            std::cout << tavori::cp932ToUtf8WithIconv(text.substr(phraseStart, lineEnd - phraseStart)) << '\n';
            if (lineEnd == text.size()) {
                break;
            }
            lineStart = lineEnd + ((text[lineEnd] == '\r' && lineEnd + 1 < text.size() && text[lineEnd + 1] == '\n') ? 2 : 1);
        }
    }
    return 0;
}
