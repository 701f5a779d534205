// Fuzzes the record file's reader and the report: whatever the bytes, each record read writes
// back as a line that reads as the same record, and the page holds no markup from the file
// and no figure that is not a number.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "record/history.h"
#include "record/report.h"

namespace {

void check(bool holds) {
    if (!holds) __builtin_trap();
}

bool containsIgnoringCase(std::string_view text, std::string_view lowerWanted) {
    for (std::size_t start = 0; start + lowerWanted.size() <= text.size(); ++start) {
        std::size_t matched = 0;
        while (matched < lowerWanted.size()) {
            char character = text[start + matched];
            if (character >= 'A' && character <= 'Z') character = static_cast<char>(character - 'A' + 'a');
            if (character != lowerWanted[matched]) break;
            ++matched;
        }
        if (matched == lowerWanted.size()) return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavori;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<SessionRecord> records = parseHistory(bytes);
    for (const SessionRecord& record : records) {
        const std::vector<SessionRecord> again = parseHistory(historyLine(record));
        check(again.size() == 1 && again.front() == record);
    }
    const std::string html = reportHtml(records, LocalTime{2026, 12, 8, 9, 30, 0});
    check(!containsIgnoringCase(html, "<script"));
    // The charts hold only figures the report wrote; no name reaches them.
    for (std::size_t start = html.find("<svg"); start != std::string::npos; start = html.find("<svg", start + 1)) {
        const std::string_view chart = std::string_view(html).substr(start, html.find("</svg>", start) - start);
        for (const std::string_view bad : {"nan", "inf"}) check(!containsIgnoringCase(chart, bad));
    }
    return 0;
}
