// Rows built byte by byte from the position (double-byte characters whole, CR LF padded with
// spaces, the text's end starting over), then drawn centred, each box blanked around its text.
#include "reading/reading.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <string_view>

#include "common/sjis.h"
#include "files/text_file.h"
#include "gfx/primitives.h"
#include "phrases/phrase_segmenter.h"
#include "reading/phrase_rows.h"
#include "reading/vertical_page.h"

namespace tavori {

namespace {

constexpr char kSpace = ' ';
constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';

// A row of the 32-byte width ends at column 31: a double-byte character that would start
// there moves to the next row, and a CR LF fills the row with spaces up to it.
constexpr int kLastTextColumn = 31;
// Every drawn row gets a space here, so a full 32-byte row is drawn as 33 bytes.
constexpr int kTrailingSpaceColumn = 32;

constexpr int kRowSpacing = 40;
constexpr int kCharacterHeight = 32;
constexpr int kWideBoxWidth = 1000;
constexpr int kNarrowBoxWidth = 500;

// The byte at `position`, or NUL outside the buffer. The loaders leave at least 65,520 NUL
// bytes after every text, so within the text a lead byte's partner and a CR's follower are
// always in the buffer; the bound also covers a position left over from a longer text.
char byteAt(const std::vector<char>& text, std::int64_t position) {
    if (position < 0 || position >= static_cast<std::int64_t>(text.size())) {
        return '\0';
    }
    return text[static_cast<std::size_t>(position)];
}

// Only 16 and 32 are ever set; anything else is held to what a row can take.
int rowWidth(const ReadingState& reading) { return std::clamp(reading.bytesPerLine, 1, kLastTextColumn + 1); }

// The text up to its first NUL, where it ends.
std::string_view textOf(const std::vector<char>& text) {
    return {text.data(), static_cast<std::size_t>(std::find(text.begin(), text.end(), '\0') - text.begin())};
}

// Whether the last character the page shows ends a sentence, closing marks after it aside. The
// walk stops at the page's end or the text's NUL, never scanning the rest of a long text.
bool pageEndsSentence(const std::vector<char>& buffer, std::int64_t start, std::int64_t end) {
    const std::string_view text(buffer.data(), buffer.size());
    bool ended = false;
    for (auto at = static_cast<std::size_t>(std::max<std::int64_t>(start, 0));
         at < static_cast<std::size_t>(end) && at < text.size() && text[at] != '\0'; at += characterWidthAt(text, at)) {
        if (lineEndWidth(text, at) == 0 && text[at] != kSpace) {
            ended = endsSentence(text, at) || (ended && mayNotStartRow(text, at));
        }
    }
    return ended;
}

// The characters in [from, to) or up to the text's end, line ends left out: what a reader
// reads on a page.
std::int32_t charactersBetween(const std::vector<char>& text, std::int64_t from, std::int64_t to) {
    const std::string_view textView(text.data(), text.size());
    std::int32_t characters = 0;
    for (std::int64_t at = std::max<std::int64_t>(from, 0); at < to && byteAt(text, at) != '\0';) {
        const char b = byteAt(text, at);
        characters += b == kCarriageReturn || b == kLineFeed ? 0 : 1;
        at += static_cast<std::int64_t>(characterWidthAt(textView, static_cast<std::size_t>(at)));
    }
    return characters;
}

// The status line's figures follow the tick's pages at most once a second.
constexpr std::int32_t kTicksBetweenFigures = 10;

// The page from readingPosition, drawn and counted; the history of pages kept.
void showPage(ReadingState& reading, Context& context, bool refreshFigures) {
    // A page from the beginning has none before it: a wrapped text starts its history again,
    // which also bounds it by the text's length.
    auto& pages = reading.pagesShown;
    const std::int32_t start = reading.readingPosition;
    if (start == 0) {
        pages.clear();
    }
    const std::int32_t before = !pages.empty() && pages.back().end == start
                                    ? pages.back().charactersBefore + pages.back().characters
                                    : charactersBetween(reading.readingText, 0, start);
    PageRows rows;
    buildReadingPage(reading, rows);
    drawReadingPage(reading, rows, context);
    reading.pageTickCount = 1;
    const std::int32_t end = reading.readingPosition;
    const std::int64_t stop = end == 0 ? static_cast<std::int64_t>(reading.readingText.size()) : end;
    const std::int32_t characters = charactersBetween(reading.readingText, start, stop);
    pages.push_back({start, end, before, characters});
    noteShownForCheck(reading.checked, start, stop, characters, before);
    if (context.shell.pacePerMinute > 0) {
        reading.pacedPageTicks = pacedTicks(reading.paceCarry, characters, context.shell.pacePerMinute,
                                            pageEndsSentence(reading.readingText, start, stop));
    }
    reading.measuredCharacters += characters;
    reading.charactersShownInAll += characters;
    reading.pageTicksInAll += pageDisplayTicks(reading, context.shell);
    if (refreshFigures) {
        refreshReadingFigures(reading, context.shell);
    }
}

// A page of phrase rows, or one flash, from readingPosition: each row the text's bytes up to its
// cut, line ends left out, padded with spaces to the width; the text's end blanks the rows
// after it and starts the next page from the beginning.
void buildPhrasePage(ReadingState& reading, PageRows& rows) {
    if (!reading.phraseStartsFound) {
        const std::string_view whole = textOf(reading.readingText);
        reading.phraseStarts = phraseStarts(whole);
        reading.rowCutClasses = rowCutClasses(whole, reading.phraseStarts);
        reading.phraseTextBytes = whole.size();
        reading.phraseStartsFound = true;
    }
    // The text's end is found with its phrases, not sought at every page: in a novel that search
    // costs more than building the page.
    const std::string_view text(reading.readingText.data(), std::min(reading.phraseTextBytes, reading.readingText.size()));
    const auto width = static_cast<std::size_t>(rowWidth(reading));
    const int rowCount = rowsOnPage(reading);
    auto position = static_cast<std::size_t>(std::max(reading.readingPosition, 0));
    bool ended = position >= text.size();
    // The phrase starts from each row's position on, sought once for the page rather than in all
    // the text's at every row. A row needs only those within its width: one per byte at most.
    const std::span<const std::size_t> starts(reading.phraseStarts);
    std::size_t ahead = 0;
    if (reading.phrasesPerFlash > 0) {
        ahead = static_cast<std::size_t>(std::lower_bound(starts.begin(), starts.end(), position) - starts.begin());
    }
    for (int r = 0; r < kPageRowCount; ++r) {
        PageRow& row = rows[static_cast<std::size_t>(r)];
        if (reading.phrasesPerFlash == 0 && !ended && r < rowCount) {
            // A row: one scan over the cut classes, its text copied whole, spaces to the width.
            const RowCut cut = phraseRowCut(text, reading.rowCutClasses, starts, position, rowWidth(reading));
            const std::size_t length = std::min(cut.textEnd - position, width);
            std::memcpy(row.data(), text.data() + position, length);
            std::memset(row.data() + length, kSpace, width - length);
            std::memset(row.data() + width, '\0', row.size() - width);
            position = cut.end;
            ended = position >= text.size();
            continue;
        }
        row.fill('\0');
        std::fill_n(row.begin(), width, kSpace);
        if (ended || r >= rowCount) {
            continue;
        }
        while (ahead < starts.size() && starts[ahead] < position) {
            ++ahead;
        }
        const std::size_t end = phraseFlashEnd(text, starts.subspan(ahead), position, reading.phrasesPerFlash, rowWidth(reading));
        // The flash's bytes but its CR and LF bytes (never a Shift-JIS trail byte), centred in
        // the row as it is drawn: a full 32-byte row gets a space after it.
        const auto isLineEndByte = [](char byte) { return byte == kCarriageReturn || byte == kLineFeed; };
        const auto rowBytes = text.substr(position, end - position);
        const auto shown = rowBytes.size() - static_cast<std::size_t>(std::count_if(rowBytes.begin(), rowBytes.end(), isLineEndByte));
        const std::size_t drawn = width == kTrailingSpaceColumn ? width + 1 : width;
        std::size_t column = (drawn - std::min(shown, drawn)) / 2;
        for (const char byte : rowBytes) {
            if (column < width && !isLineEndByte(byte)) {
                row[column++] = byte;
            }
        }
        position = end;
        ended = position >= text.size();
    }
    reading.readingPosition = ended ? 0 : static_cast<std::int32_t>(position);
}

}  // namespace

void measureSpeedAfresh(ReadingState& reading) {
    reading.measuredCharacters = 0;
    reading.measuredTicks = 0;
    reading.figures.measuredPerMinute = -1;
}

int rowsOnPage(const ReadingState& reading) {
    return reading.phrasesPerFlash > 0 ? 1 : std::clamp(reading.linesPerScreen, 0, kPageRowCount);
}

std::int32_t pageDisplayTicks(const ReadingState& reading, const ShellState& shell) {
    return shell.pacePerMinute > 0 ? reading.pacedPageTicks : shell.displayTicks;
}

void paceChanged(ReadingState& reading, const ShellState& shell) {
    reading.paceCarry = {};
    if (shell.pacePerMinute > 0 && !reading.pagesShown.empty()) {
        const ReadingState::ShownPage& page = reading.pagesShown.back();
        const std::int64_t stop = page.end == 0 ? static_cast<std::int64_t>(reading.readingText.size()) : page.end;
        reading.pacedPageTicks = pacedTicks(reading.paceCarry, page.characters, shell.pacePerMinute,
                                            pageEndsSentence(reading.readingText, page.start, stop));
    }
    measureSpeedAfresh(reading);
    refreshReadingFigures(reading, shell);
}

void refreshReadingFigures(ReadingState& reading, const ShellState& shell) {
    const std::int32_t displayTicks = shell.displayTicks;
    reading.ticksSinceFigures = 0;
    if (reading.pagesShown.empty()) {
        return;
    }
    const ReadingState::ShownPage& page = reading.pagesShown.back();
    const std::int64_t read = std::int64_t{page.charactersBefore} + page.characters;
    auto& figures = reading.figures;
    figures.percent = reading.textCharacters > 0 ? std::clamp<std::int64_t>(read * 100 / reading.textCharacters, 0, 100) : 0;
    // A display time is in ticks of 0.1 s: characters per tick × 600 is per minute.
    // At a pace every page is timed to it, whatever its characters.
    figures.nominalPerMinute = shell.pacePerMinute > 0 ? shell.pacePerMinute
                               : displayTicks > 0    ? std::int64_t{page.characters} * 600 / displayTicks
                                                     : 0;
    figures.measuredPerMinute =
        reading.measuredTicks > 0 ? reading.measuredCharacters * 600 / reading.measuredTicks : -1;
}

void loadReadingText(ReadingState& reading, Platform& platform, const std::string& fileName) {
    LoadedFile loaded = loadTextFile(platform, fileName, TextKind::Reading);
    if (loaded.size < 0) {
        // Unloadable: the empty text, zero bytes with room to read past the terminator.
        reading.readingText.assign(static_cast<std::size_t>(kLoadPadding), '\0');
    } else {
        reading.readingText = std::move(loaded.block);
    }
    reading.textCharacters = charactersBetween(reading.readingText, 0, static_cast<std::int64_t>(reading.readingText.size()));
    // Found when phrase rows or a flash first need them.
    reading.phraseStarts.clear();
    reading.rowCutClasses.clear();
    reading.phraseStartsFound = false;
    reading.pagesShown.clear();
    reading.figures = {};
    measureSpeedAfresh(reading);
    // A question about the text left goes with it; the new text's stretch starts at its page.
    setCheckedQuestionAside(reading.checked);
    reading.checked.stretchStart = -1;
    reading.checked.stretchCharacters = 0;
}

void buildReadingPage(ReadingState& reading, PageRows& rows) {
    if (reading.phraseRows || reading.phrasesPerFlash > 0) {
        buildPhrasePage(reading, rows);
        return;
    }
    const std::vector<char>& text = reading.readingText;
    const std::string_view textView(text.data(), text.size());
    const int width = rowWidth(reading);
    const int rowCount = rowsOnPage(reading);
    std::int64_t position = reading.readingPosition;
    for (PageRow& row : rows) {
        row[0] = '\0';
    }
    int endRow = -1;
    for (int r = 0; r < rowCount && endRow < 0; ++r) {
        PageRow& row = rows[static_cast<std::size_t>(r)];
        row.fill('\0');
        int j = 0;
        while (j < width) {
            const char b = byteAt(text, position);
            if (b == '\0') {
                row[static_cast<std::size_t>(j)] = '\0';
                position = 0;
                endRow = r;
                break;
            }
            // Past the NUL test the position lies within the buffer.
            const std::size_t characterWidth = characterWidthAt(textView, static_cast<std::size_t>(position));
            if (j == kLastTextColumn && characterWidth == 2) {
                // The character opens the next row instead of being cut in two.
                row[static_cast<std::size_t>(j)] = kSpace;
                break;
            }
            if (b == kCarriageReturn && byteAt(text, position + 1) == kLineFeed) {
                std::fill(row.begin() + j, row.begin() + kLastTextColumn + 1, kSpace);
                position += 2;
                break;
            }
            row[static_cast<std::size_t>(j)] = b;
            if (characterWidth == 2) {
                // Taken whole even at the last column of a 16-byte row, which then holds 17.
                row[static_cast<std::size_t>(j + 1)] = byteAt(text, position + 1);
                ++j;
                ++position;
            }
            ++j;
            ++position;
        }
    }
    if (endRow >= 0) {
        // Rows after the end are blanked; those past linesPerScreen are built but not drawn.
        for (int r = endRow + 1; r < kPageRowCount; ++r) {
            PageRow& row = rows[static_cast<std::size_t>(r)];
            std::fill(row.begin(), row.begin() + width, kSpace);
            row[static_cast<std::size_t>(width)] = '\0';
        }
    }
    reading.readingPosition = static_cast<std::int32_t>(position);
}

void drawReadingPage(const ReadingState& reading, PageRows& rows, Context& context) {
    if (reading.vertical) {
        drawVerticalPage(reading, rows, context);
        return;
    }
    const int boxWidth = reading.bytesPerLine == 16 ? kNarrowBoxWidth : kWideBoxWidth;
    const int rowCount = rowsOnPage(reading);
    const int x = context.shell.clientWidth / 2 - boxWidth / 2;
    int y = context.shell.clientHeight / 2 - (rowCount * kRowSpacing) / 2;
    Canvas& canvas = context.window;
    for (int i = 0; i < rowCount; ++i) {
        PageRow& row = rows[static_cast<std::size_t>(i)];
        // Shows only after a row filled to column 31.
        row[kTrailingSpaceColumn] = kSpace;
        row[kTrailingSpaceColumn + 1] = '\0';
        const int covered = drawTextBox(canvas, std::string_view(row.data(), row.size()), x, y, boxWidth,
                                        kCharacterHeight, kWhite, kBlack);
        // The rest of the box goes black: a row drawn shorter than the box, or an empty row (not
        // drawn at all), would otherwise leave the previous page's glyphs showing. The text's
        // cells are opaque, so each pixel of the box is written once, not filled and drawn over.
        fillBox(canvas, x + covered, y, x + boxWidth, y + kCharacterHeight, kBlack);
        y += kRowSpacing;
    }
}

void stepSpeedReading(ReadingState& reading, Context& context) {
    CheckedPractice& checked = reading.checked;
    if (checked.question) {
        // Nothing counts while the reader answers: the time is not reading time.
        if (checked.drawDue) drawCheckedQuestion(checked, context);
        return;
    }
    if (checked.pageDue) {
        // The question set aside goes from the screen, and the paging goes on at once.
        checked.pageDue = false;
        clearScreen(context.window, context.shell.clientWidth, context.shell.clientHeight);
        showNextPage(reading, context);
        return;
    }
    if (reading.paused) {
        return;
    }
    ++reading.measuredTicks;
    ++reading.ticksInAll;
    ++reading.ticksSinceFigures;
    if (reading.pageTickCount < pageDisplayTicks(reading, context.shell)) {
        ++reading.pageTickCount;
        return;
    }
    if (askCheckedQuestionIfDue(reading, context)) {
        return;
    }
    showPage(reading, context, reading.ticksSinceFigures >= kTicksBetweenFigures);
}

void showNextPage(ReadingState& reading, Context& context) { showPage(reading, context, true); }

bool askCheckedQuestionIfDue(ReadingState& reading, Context& context) {
    if (!checkedQuestionDue(reading.checked) ||
        !askAboutStretch(reading.checked, textOf(reading.readingText), reading.textCharacters, context.random)) {
        return false;
    }
    drawCheckedQuestion(reading.checked, context);
    return true;
}


void showPreviousPage(ReadingState& reading, Context& context) {
    if (reading.pagesShown.size() < 2) {
        return;
    }
    reading.pagesShown.pop_back();
    reading.readingPosition = reading.pagesShown.back().start;
    reading.pagesShown.pop_back();
    showNextPage(reading, context);
}

void resumeAtPage(ReadingState& reading, std::int64_t pageStart) {
    auto& pages = reading.pagesShown;
    pages.clear();
    reading.readingPosition = 0;
    const auto textEnd = static_cast<std::int64_t>(reading.readingText.size());
    std::int32_t before = 0;
    PageRows rows;
    while (pageStart > 0) {
        const std::int32_t start = reading.readingPosition;
        buildReadingPage(reading, rows);
        const std::int32_t end = reading.readingPosition;
        if (pageStart < (end == 0 ? textEnd : end)) {
            reading.readingPosition = start;
            break;
        }
        if (end <= start) {
            // Past the text's end (or, were a page ever to take no byte, no further on).
            reading.readingPosition = 0;
            break;
        }
        const std::int32_t characters = charactersBetween(reading.readingText, start, end);
        pages.push_back({start, end, before, characters});
        before += characters;
    }
    if (reading.readingPosition == 0) {
        pages.clear();
    }
}

void showFirstPage(ReadingState& reading, Context& context) {
    reading.readingPosition = 0;
    showNextPage(reading, context);
}

}  // namespace tavori
