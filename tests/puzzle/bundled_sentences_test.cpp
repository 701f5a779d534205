// The bundled pa.dat: Shift-JIS sentences of 4 to 12 full-width characters, each ended by CR LF.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "common/sjis.h"
#include "files/text_file.h"
#include "puzzle/puzzle_text.h"

namespace tavori {
namespace {

TEST(BundledSentences, EveryLineIsAShortFullWidthSentenceEndedByCrLf) {
    std::ifstream file(TAVORI_BUNDLED_PUZZLE_FILE, std::ios::binary);
    ASSERT_TRUE(file) << TAVORI_BUNDLED_PUZZLE_FILE;
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    // Kept byte for byte when loaded: it must not pass for UTF-8.
    EXPECT_FALSE(looksLikeUtf8(text));
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    const std::int32_t lineCount = countPuzzleLines(text);
    EXPECT_GE(lineCount, 30);
    for (std::int32_t index = 0; index < lineCount; ++index) {
        const std::string line = puzzleLineAt(text, index);
        EXPECT_GE(line.size(), 8u) << index;
        EXPECT_LE(line.size(), 24u) << index;
        for (std::size_t position = 0; position < line.size(); position += 2) {
            EXPECT_TRUE(isLeadByte(line[position])) << index << " at " << position;
        }
    }
}

}  // namespace
}  // namespace tavori
