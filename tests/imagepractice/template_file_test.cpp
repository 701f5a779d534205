// Loading and indexing template files: line table, headers, runs of alternatives and lookups.
#include <cstdint>
#include <string>

#include "imagepractice/image_practice.h"
#include "imagepractice/template_fixture.h"

namespace tavori {
namespace {

using TemplateFileTest = TemplateFixture;

// The lookups as their definition reads: headers in file order, whole-line comparison, lines
// counted up to the first empty one. The indexed lookups must agree with it for every name.
std::int32_t linearCount(const TemplateFile& file, std::string_view name) {
    for (std::int32_t s = 0; s < file.templateSectionCount; ++s) {
        if (file.line(file.templateSections[static_cast<std::size_t>(s)]) == name) {
            std::int32_t count = 0;
            while (!file.alternative(s, count).empty()) {
                ++count;
            }
            return count;
        }
    }
    return 0;
}

TEST_F(TemplateFileTest, WorkedExampleHeadersAndCounts) {
    const TemplateFile file = indexLines(workedExampleLines());
    EXPECT_EQ(file.templateLineEndCount, 17);
    ASSERT_EQ(file.templateLines.size(), 18u);
    EXPECT_EQ(file.line(0), sjis("出題テンプレート"));
    EXPECT_EQ(file.line(2), sjis("print(昨日、select([果物])を食べた。)"));
    EXPECT_EQ(file.line(17), "");
    EXPECT_EQ(file.templateSections, (std::vector<std::int32_t>{1, 5, 8, 10, 14}));
    EXPECT_EQ(file.templateSectionCount, 5);
    EXPECT_EQ(countAlternatives(file, "[main]"), 2);
    EXPECT_EQ(countAlternatives(file, sjis("[果物]")), 3);
    EXPECT_EQ(countAlternatives(file, sjis("[色]ぶどう")), 0);  // followed at once by an empty line
    EXPECT_EQ(countAlternatives(file, sjis("[色]")), 2);
    EXPECT_EQ(countAlternatives(file, sjis("[動物]")), 2);
    EXPECT_EQ(findSection(file, sjis("[色]")), 3);
    EXPECT_EQ(findSection(file, sjis("[動物]")), 4);
    EXPECT_EQ(file.alternative(1, 2), sjis("[色]ぶどう"));
    for (const std::string_view name : {"[main]", "[x]", "main", ""}) {
        EXPECT_EQ(countAlternatives(file, name), linearCount(file, name)) << name;
    }
    EXPECT_EQ(countAlternatives(file, "[mai"), 0);
    EXPECT_EQ(findSection(file, "[nothing]"), 0);
}

TEST_F(TemplateFileTest, LineEndsAreCrLfOnly) {
    // LF alone: one line, no header even though it begins with "[".
    const TemplateFile lfOnly = indexBytes("[main]\nabc\n\n");
    EXPECT_EQ(lfOnly.templateLineEndCount, 0);
    EXPECT_EQ(lfOnly.templateSectionCount, 0);
    // A CR not followed by LF stays in its line; so does an LF after a CR LF pair's LF.
    const TemplateFile lone = indexBytes("[a]\r\nx\ry\r\n\n\r\n");
    EXPECT_EQ(lone.templateLineEndCount, 3);
    EXPECT_EQ(lone.line(1), "x\ry");
    EXPECT_EQ(lone.line(2), "\n");
    EXPECT_EQ(countAlternatives(lone, "[a]"), 2);
}

TEST_F(TemplateFileTest, TheFinalLineIsNeverAHeader) {
    const TemplateFile file = indexBytes("[a]\r\nx\r\n\r\n[b]");
    EXPECT_EQ(file.templateSections, (std::vector<std::int32_t>{0}));
    EXPECT_EQ(countAlternatives(file, "[b]"), 0);
    EXPECT_EQ(file.line(3), "[b]");
}

TEST_F(TemplateFileTest, NamesMatchWholeLinesByteForByte) {
    const TemplateFile file = indexBytes("[main] \r\nspaced\r\n\r\n[Main]\r\nupper\r\n\r\n[main]\r\nfirst\r\n\r\n"
                                         "[main]\r\nsecond\r\nthird\r\n\r\n");
    EXPECT_EQ(file.templateSectionCount, 4);
    // The header with a trailing space is another name; of the two equal headers only the
    // first is ever reached.
    EXPECT_EQ(findSection(file, "[main]"), 2);
    EXPECT_EQ(countAlternatives(file, "[main]"), 1);
    EXPECT_EQ(countAlternatives(file, "[main] "), 1);
    EXPECT_EQ(findSection(file, "[Main]"), 1);
    EXPECT_EQ(countAlternatives(file, "[MAIN]"), 0);
}

TEST_F(TemplateFileTest, HeaderInsideARunCountsTwiceAndCommentsAreIgnored) {
    const TemplateFile file = indexBytes("comment\r\n[a]\r\n1\r\n[b]\r\n2\r\n\r\nloose\r\n[c]\r\n\r\n");
    EXPECT_EQ(countAlternatives(file, "[a]"), 3);
    EXPECT_EQ(countAlternatives(file, "[b]"), 1);
    EXPECT_EQ(countAlternatives(file, "[c]"), 0);
    EXPECT_EQ(file.templateSections, (std::vector<std::int32_t>{1, 3, 7}));
    EXPECT_EQ(countAlternatives(file, "loose"), 0);
}

TEST_F(TemplateFileTest, RunReachingTheFinalLineEndsThere) {
    // A non-empty final line is the run's last alternative; the table is never left.
    const TemplateFile open = indexBytes("[a]\r\nx\r\ny");
    EXPECT_EQ(countAlternatives(open, "[a]"), 2);
    EXPECT_EQ(open.alternative(0, 1), "y");
    EXPECT_EQ(open.alternative(0, 2), "");
    const TemplateFile closed = indexBytes("[a]\r\nx\r\ny\r\n");
    EXPECT_EQ(countAlternatives(closed, "[a]"), 2);
    const TemplateFile headerLast = indexBytes("[a]\r\n");
    EXPECT_EQ(countAlternatives(headerLast, "[a]"), 0);
}

TEST_F(TemplateFileTest, NulByteEndsTheText) {
    using namespace std::string_literals;
    const TemplateFile file = indexBytes("[a]\r\nx\r\ny\0\r\nz\r\n[b]\r\nw\r\n\r\n"s);
    EXPECT_EQ(file.templateLineEndCount, 2);
    EXPECT_EQ(file.line(2), "y");
    EXPECT_EQ(countAlternatives(file, "[a]"), 2);
    EXPECT_EQ(countAlternatives(file, "[b]"), 0);
    EXPECT_EQ(file.templateSectionCount, 1);
    const TemplateFile leading = indexBytes("\0[a]\r\nx\r\n"s);
    EXPECT_EQ(leading.templateLineEndCount, 0);
    EXPECT_EQ(leading.templateSectionCount, 0);
}

TEST_F(TemplateFileTest, LoadingReplacesTheTemplateAndFailuresGiveTheEmptyOne) {
    ImagePracticeState image;
    EXPECT_EQ(image.templateFileName, "tvr.tvr3");
    platform.addFile("/t/a.tvr3", "[main]\r\nabc\r\n\r\n");
    loadTemplateFile(image, platform, "/t/a.tvr3");
    EXPECT_EQ(countAlternatives(image.templateFile, "[main]"), 1);

    loadTemplateFile(image, platform, "/t/missing.tvr3");
    EXPECT_EQ(image.templateFile.templateLineEndCount, 0);
    EXPECT_EQ(image.templateFile.templateSectionCount, 0);
    EXPECT_EQ(image.templateFile.line(0), "");

    // A size no memory can hold reads as "no memory": the template is empty as well.
    loadTemplateFile(image, platform, "/t/a.tvr3");
    platform.files["/t/huge.tvr3"].reportedSize = std::int64_t{1} << 40;
    loadTemplateFile(image, platform, "/t/huge.tvr3");
    EXPECT_EQ(image.templateFile.templateSectionCount, 0);

    platform.addFile("/t/empty.tvr3", "");
    loadTemplateFile(image, platform, "/t/empty.tvr3");
    EXPECT_EQ(image.templateFile.templateSectionCount, 0);
    EXPECT_EQ(image.templateFile.templateLines.size(), 1u);
}

TEST_F(TemplateFileTest, EveryEncodingAndLineEndLoadsTheSameTemplate) {
    // UTF-8 with LF; Shift-JIS with LF, and with LF and CR LF mixed.
    for (const std::string& file : {std::string("[main]\n大きな[動物]\n\n[動物]\n犬\n"),
                                    sjis("[main]\n大きな[動物]\n\n[動物]\n犬\n"),
                                    sjis("[main]\r\n大きな[動物]\n\r\n[動物]\n犬\r\n")}) {
        ImagePracticeState image;
        platform.addFile("/t/u.tvr3", file);
        loadTemplateFile(image, platform, "/t/u.tvr3");
        EXPECT_EQ(image.templateFile.templateLineEndCount, 5);
        EXPECT_EQ(countAlternatives(image.templateFile, sjis("[動物]")), 1);
        EXPECT_EQ(image.templateFile.line(1), sjis("大きな[動物]"));
    }
}

}  // namespace
}  // namespace tavori
