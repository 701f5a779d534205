// Shared set-up for the image-practice tests: templates written in UTF-8 and turned into the
// CP932 bytes with CR LF that the program reads.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "common/cp932_encoder.h"
#include "common/random.h"
#include "imagepractice/template_file.h"
#include "support/fake_platform.h"

namespace tavori {

class TemplateFixture : public ::testing::Test {
protected:
    testing::FakePlatform platform;

    std::string sjis(std::string_view utf8) { return utf8ToCp932(utf8); }

    // Every line ended by CR LF, unless `finalLine` is given: it then follows the last CR LF.
    std::string templateBytes(const std::vector<std::string_view>& utf8Lines, std::string_view finalLine = {}) {
        std::string bytes;
        for (const std::string_view line : utf8Lines) {
            bytes += sjis(line);
            bytes += "\r\n";
        }
        return bytes + sjis(finalLine);
    }

    // Indexes raw bytes as the loader does, without the UTF-8 check.
    static TemplateFile indexBytes(std::string_view bytes) {
        return indexTemplateText(std::vector<char>(bytes.begin(), bytes.end()), bytes.size());
    }

    TemplateFile indexLines(const std::vector<std::string_view>& utf8Lines, std::string_view finalLine = {}) {
        return indexBytes(templateBytes(utf8Lines, finalLine));
    }
};

// The number of draws taken between `before` and `after`, up to `limit`; -1 beyond it.
inline int drawsBetween(RandomGenerator before, const RandomGenerator& after, int limit = 100000) {
    for (int draws = 0; draws <= limit; ++draws) {
        if (before.state() == after.state()) {
            return draws;
        }
        before.next();
    }
    return -1;
}

// The template of the worked example, every line ended by CR LF: a comment line, then "[main]"
// with a print line and a plain line, a section whose third alternative is a header of its own,
// colours and animals.
inline std::vector<std::string_view> workedExampleLines() {
    return {"出題テンプレート", "[main]", "print(昨日、select([果物])を食べた。)", "大きな[動物]が走る。", "",
            "[果物]", "りんご", "みかん", "[色]ぶどう", "", "[色]", "赤い", "青い", "", "[動物]", "犬", "猫"};
}

}  // namespace tavori
