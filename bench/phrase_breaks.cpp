// Where rows break, before and after phrase rows: over the bundled reading text and the phrase
// corpus, as the program loads them, at both widths, the row ends that cut a phrase in two and
// the rows that begin (or end) with a character the line breaking rules forbid there, for byte
// rows and for phrase rows; then what a 16-row page of each costs to build, in the same run.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "common/sjis.h"
#include "files/text_file.h"
#include "phrases/phrase_segmenter.h"
#include "reading/phrase_rows.h"
#include "reading/reading.h"

namespace {

using namespace tavori;

struct Text {
    std::string name;
    std::string text;  // as the program holds it: CP932 with CR LF
};

std::vector<Text> texts() {
    std::vector<std::filesystem::path> paths{TAVORI_SOURCE_DIR "/data/w.txt"};
    std::vector<std::filesystem::path> corpus;
    for (const auto& entry : std::filesystem::directory_iterator(TAVORI_SOURCE_DIR "/tests/phrases/corpus")) {
        if (entry.path().extension() == ".txt") corpus.push_back(entry.path());
    }
    std::sort(corpus.begin(), corpus.end());
    paths.insert(paths.end(), corpus.begin(), corpus.end());
    std::vector<Text> loaded;
    for (const auto& path : paths) {
        std::ifstream file(path, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        loaded.push_back({path.filename().string(), programText(bytes, TextKind::Reading)});
    }
    return loaded;
}

ReadingState readingOf(const std::string& text, int widthBytes, bool phraseRows, int rows) {
    ReadingState reading;
    reading.readingText.assign(text.begin(), text.end());
    reading.readingText.resize(text.size() + static_cast<std::size_t>(kLoadPadding), '\0');
    reading.bytesPerLine = widthBytes;
    reading.phraseRows = phraseRows;
    reading.linesPerScreen = rows;
    return reading;
}

// Each row's [start, end) as the program builds them: a page of one row at a time, which is
// the same row whatever page it falls on.
std::vector<std::pair<std::size_t, std::size_t>> rowsOf(const std::string& text, int widthBytes, bool phraseRows) {
    ReadingState reading = readingOf(text, widthBytes, phraseRows, 1);
    std::vector<std::pair<std::size_t, std::size_t>> rows;
    PageRows page;
    do {
        const auto start = static_cast<std::size_t>(reading.readingPosition);
        if (start >= text.size()) break;  // the empty row after a text that ends a row exactly
        buildReadingPage(reading, page);
        rows.emplace_back(start, reading.readingPosition == 0 ? text.size() : static_cast<std::size_t>(reading.readingPosition));
    } while (reading.readingPosition != 0);
    return rows;
}

bool isLineEnd(char byte) { return byte == '\r' || byte == '\n'; }

struct Counts {
    long rows = 0;
    long endsInLine = 0;         // row ends that are neither a line end nor the text's end
    long phraseCuts = 0;         // of those, the ones inside a phrase
    long cutsInShortPhrase = 0;  // of those, inside a phrase no longer than a row
    long forbiddenStarts = 0;    // rows beginning, not at a line's start, with what may not begin one
    long forbiddenEnds = 0;      // rows cut inside a line after what may not end one
    void add(const Counts& other) {
        rows += other.rows, endsInLine += other.endsInLine, phraseCuts += other.phraseCuts;
        cutsInShortPhrase += other.cutsInShortPhrase, forbiddenStarts += other.forbiddenStarts, forbiddenEnds += other.forbiddenEnds;
    }
};

Counts count(const std::string& text, const std::vector<std::size_t>& starts, int widthBytes, bool phraseRows) {
    Counts counts;
    for (const auto& [start, end] : rowsOf(text, widthBytes, phraseRows)) {
        ++counts.rows;
        if (start > 0 && !isLineEnd(text[start - 1]) && mayNotStartRow(text, start)) ++counts.forbiddenStarts;
        // A row that took its line end, ends at one or at the text's end cuts nothing.
        if (end >= text.size() || isLineEnd(text[end]) || isLineEnd(text[end - 1])) continue;
        ++counts.endsInLine;
        std::size_t last = start;
        for (std::size_t at = start; at < end; at += characterWidthAt(text, at)) last = at;
        if (mayNotEndRow(text, last)) ++counts.forbiddenEnds;
        const auto next = std::upper_bound(starts.begin(), starts.end(), end);
        if (*std::prev(next) == end) continue;
        ++counts.phraseCuts;
        // The phrase cut runs from its start to the next one or its line's end.
        std::size_t phraseEnd = next == starts.end() ? text.size() : *next;
        for (std::size_t at = end; at < phraseEnd; at += characterWidthAt(text, at)) {
            if (isLineEnd(text[at])) phraseEnd = at;
        }
        if (phraseEnd - *std::prev(next) <= static_cast<std::size_t>(widthBytes)) ++counts.cutsInShortPhrase;
    }
    return counts;
}

double percent(long part, long whole) { return whole > 0 ? 100.0 * static_cast<double>(part) / static_cast<double>(whole) : 0.0; }

void printCounts(const std::vector<Text>& all, const std::vector<std::vector<std::size_t>>& starts) {
    for (const int width : {32, 16}) {
        std::printf("\nRows of %d bytes (%d full-width characters):\n\n", width, width / 2);
        std::printf("| text | byte rows | ends inside a line | cut a phrase | begin with a forbidden character | "
                    "phrase rows | ends inside a line | cut a phrase | of those, unexplained: in a phrase that fits a row | "
                    "begin with a forbidden character | end with an opening bracket |\n"
                    "|---|---|---|---|---|---|---|---|---|---|---|\n");
        Counts byteTotal;
        Counts phraseTotal;
        const auto row = [](const std::string& name, const Counts& bytes, const Counts& phrases) {
            std::printf("| %s | %ld | %ld | %ld (%.0f %%) | %ld (%.0f %%) | %ld | %ld | %ld (%.0f %%) | %ld | %ld | %ld |\n", name.c_str(),
                        bytes.rows, bytes.endsInLine, bytes.phraseCuts, percent(bytes.phraseCuts, bytes.endsInLine),
                        bytes.forbiddenStarts, percent(bytes.forbiddenStarts, bytes.rows), phrases.rows, phrases.endsInLine,
                        phrases.phraseCuts, percent(phrases.phraseCuts, phrases.endsInLine), phrases.cutsInShortPhrase,
                        phrases.forbiddenStarts, phrases.forbiddenEnds);
        };
        for (std::size_t t = 0; t < all.size(); ++t) {
            const Counts bytes = count(all[t].text, starts[t], width, false);
            const Counts phrases = count(all[t].text, starts[t], width, true);
            row(all[t].name, bytes, phrases);
            byteTotal.add(bytes);
            phraseTotal.add(phrases);
        }
        row("all", byteTotal, phraseTotal);
    }
}

// Microseconds a 16-row page takes to build, paging through the whole text: the best of rounds
// that each page it through for at least 50 ms.
double pageMicroseconds(const std::string& text, int widthBytes, bool phraseRows) {
    ReadingState reading = readingOf(text, widthBytes, phraseRows, 16);
    PageRows page;
    buildReadingPage(reading, page);  // phrase rows find the text's phrases here, once
    reading.readingPosition = 0;
    double best = 1e300;
    for (int round = 0; round < 7; ++round) {
        long pages = 0;
        const auto begin = std::chrono::steady_clock::now();
        std::chrono::duration<double, std::micro> spent{};
        do {
            buildReadingPage(reading, page);
            ++pages;
            spent = std::chrono::steady_clock::now() - begin;
        } while (reading.readingPosition != 0 || spent.count() < 50000);
        best = std::min(best, spent.count() / static_cast<double>(pages));
    }
    return best;
}

double phraseStartsMicroseconds(const std::string& text) {
    double best = 1e300;
    for (int round = 0; round < 7; ++round) {
        const auto begin = std::chrono::steady_clock::now();
        const std::vector<std::size_t> starts = phraseStarts(text);
        const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - begin;
        if (starts.empty()) std::printf("(no phrases)\n");
        best = std::min(best, spent.count());
    }
    return best;
}

void printPagingCost(const Text& text) {
    std::printf("\nBuilding one 16-row page of %s (%zu bytes), paging through it:\n\n", text.name.c_str(), text.text.size());
    std::printf("| width | byte rows | phrase rows | phrase / byte (target ≤ 1.2) |\n|---|---|---|---|\n");
    for (const int width : {32, 16}) {
        const double bytes = pageMicroseconds(text.text, width, false);
        const double phrases = pageMicroseconds(text.text, width, true);
        std::printf("| %d bytes | %.2f µs | %.2f µs | %.2f× |\n", width, bytes, phrases, phrases / bytes);
    }
    std::printf("\nFinding the text's phrases, once for each text loaded: %.0f µs.\n", phraseStartsMicroseconds(text.text));
}

}  // namespace

int main() {
    const std::vector<Text> all = texts();
    std::vector<std::vector<std::size_t>> starts;
    for (const Text& text : all) starts.push_back(phraseStarts(text.text));
    printCounts(all, starts);
    printPagingCost(all.front());
    // At a novel's length (about 200,000 characters) a page must cost no more than in a short text.
    Text novel{"w.txt repeated to novel length", ""};
    while (novel.text.size() < 400000) novel.text += all.front().text;
    printPagingCost(novel);
    return 0;
}
