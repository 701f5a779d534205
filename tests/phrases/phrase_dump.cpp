// Prints the phrases the core finds in text files, for the differential test against BudouX's
// own parser: each file loaded as a reading text (encoding, line ends, Aozora Bunko clean-up),
// then its phrases in UTF-8, each followed by U+001F, and a U+001E before each file's name.
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "cp932_iconv.h"
#include "files/text_file.h"
#include "phrases/phrase_segmenter.h"

int main(int argc, char** argv) {
    for (int argument = 1; argument < argc; ++argument) {
        std::ifstream file(argv[argument], std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        const std::string text = tavori::programText(bytes, tavori::TextKind::Reading);
        std::cout << '\x1e' << argv[argument] << '\n';
        auto starts = tavori::phraseStarts(text);
        starts.push_back(text.size());
        for (std::size_t index = 0; index + 1 < starts.size(); ++index) {
            std::cout << tavori::cp932ToUtf8WithIconv(text.substr(starts[index], starts[index + 1] - starts[index])) << '\x1f';
        }
    }
    return 0;
}
