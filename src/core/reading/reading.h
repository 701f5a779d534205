// Speed-reading practice: the reading text and its paging, one page per display time.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "common/context.h"
#include "reading/checked_practice.h"
#include "reading/pace.h"

namespace tavori {

// Size of each start-up buffer: the empty texts the program has before anything is loaded.
inline constexpr std::size_t kStartUpBufferSize = 65584;

struct ReadingState {
    std::vector<char> readingText = std::vector<char>(kStartUpBufferSize, '\0');
    std::int32_t readingPosition = 0;
    std::int32_t linesPerScreen = 1;  // 1..16
    std::int32_t bytesPerLine = 32;   // 32 or 16
    std::int32_t pageTickCount = 0;
    std::string readingFileName;      // the dialog's name buffer, kept between uses
    // Paused, no page is built and the count stands still.
    bool paused = false;
    // Pages drawn in columns, right to left (reading/vertical_page.h); built as ever.
    bool vertical = false;
    // Rows cut at phrase boundaries with the line breaking rules (reading/phrase_rows.h), and
    // the phrases of one flash in place of pages (0: pages).
    bool phraseRows = false;
    std::int32_t phrasesPerFlash = 0;
    // Where the text's phrases begin, found once for each text loaded.
    std::vector<std::size_t> phraseStarts;
    std::vector<std::uint8_t> rowCutClasses;  // reading/phrase_rows.h, one per byte and the end
    std::size_t phraseTextBytes = 0;  // the text's bytes up to its NUL, found with its phrases
    bool phraseStartsFound = false;
    // At a pace in 文字/分: the ticks the page on screen stays up, and the rounding carried on.
    std::int32_t pacedPageTicks = 1;
    PaceCarry paceCarry;
    // Each page shown since the text last started from its beginning, the page on screen last:
    // going back rebuilds a page from its start, so it is the page shown there before.
    struct ShownPage {
        std::int32_t start;
        std::int32_t end;                // where the next page starts (0 after the text's end)
        std::int32_t charactersBefore;   // the text's characters before `start`
        std::int32_t characters;         // on the page: line ends and row padding count none
    };
    std::vector<ShownPage> pagesShown;
    // The text's characters, counted as a page's are, for the progress through it.
    std::int32_t textCharacters = 0;
    // Characters shown and ticks stepped unpaused since the speed was last measured afresh,
    // and the speed they gave when the page on screen was shown (−1 for none yet): it changes
    // with the page, not at every tick.
    std::int64_t measuredCharacters = 0;
    std::int64_t measuredTicks = 0;
    // The figures the status line shows of the pages: refreshed with a page at most once a
    // second of ticks, so that pages of 0.1 s do not rewrite the line ten times a second, and
    // at once for a page or a display time a key or command asked for.
    struct Figures {
        std::int64_t percent = -1;  // −1 before any page
        std::int64_t nominalPerMinute = 0;
        std::int64_t measuredPerMinute = -1;  // −1 until measured
    };
    Figures figures;
    std::int32_t ticksSinceFigures = 0;
    // Since the program started, for the record of each session: characters shown, ticks
    // stepped unpaused, and the display ticks of the pages shown (the nominal speed's time).
    std::int64_t charactersShownInAll = 0;
    std::int64_t ticksInAll = 0;
    std::int64_t pageTicksInAll = 0;
    // 確認しながら読む: the stretch shown since the last question, and the question on screen.
    CheckedPractice checked;
};

// The ticks the page on screen stays up: its own at a pace, else the display time.
std::int32_t pageDisplayTicks(const ReadingState& reading, const ShellState& shell);

// Brings the status line's figures up to the page on screen and the display time or pace.
void refreshReadingFigures(ReadingState& reading, const ShellState& shell);

// A new pace (or seconds again): the page on screen is timed afresh at it.
void paceChanged(ReadingState& reading, const ShellState& shell);

// Starts the measured speed again (a new setting, a new text, a resume).
void measureSpeedAfresh(ReadingState& reading);

// The most rows a page holds, and the bytes of one row: columns 0..31 of text (a double-byte
// character begun at column 15 of a 16-byte row reaches column 16), the space drawn at column
// 32, and the NUL at 33 that ends a full row.
inline constexpr int kPageRowCount = 16;
inline constexpr int kPageRowBytes = 34;
using PageRow = std::array<char, kPageRowBytes>;
using PageRows = std::array<PageRow, kPageRowCount>;

// The rows a page draws: one for a flash, else linesPerScreen (held to 0..16).
int rowsOnPage(const ReadingState& reading);

// Makes the named file the reading text (an unloadable file gives the empty text);
// readingPosition is left as it is.
void loadReadingText(ReadingState& reading, Platform& platform, const std::string& fileName);

// Fills `rows` with the next page from readingPosition and moves readingPosition past it, or
// back to 0 when the page meets the end of the text. Each row is a NUL-terminated string.
// Phrase rows and flashes are padded with spaces to the row's width (a flash centred in it), so
// their glyphs keep a full row's size and cover the page before.
void buildReadingPage(ReadingState& reading, PageRows& rows);

// Draws rows 0..linesPerScreen − 1 centred in the client area, white on black, 40 px apart;
// as columns instead when the reading is vertical.
void drawReadingPage(const ReadingState& reading, PageRows& rows, Context& context);

// One step: counts up to displayTicks, then shows the next page, or in checked practice asks
// about the stretch shown once it is long enough; paused or with a question on screen, nothing.
void stepSpeedReading(ReadingState& reading, Context& context);

// Shows the page from readingPosition at once, and starts a fresh count.
void showNextPage(ReadingState& reading, Context& context);
// In checked practice with a stretch long enough, asks about it in place of the next page and
// returns true; otherwise false, and the caller pages on.
bool askCheckedQuestionIfDue(ReadingState& reading, Context& context);
// Shows the page before the one on screen again (nothing before the text's first page).
void showPreviousPage(ReadingState& reading, Context& context);
// Makes the page that holds `pageStart` the next one shown, with the pages before it as the
// history that going back walks: the text is paged from its beginning, as a reader would have
// paged it. A position the text does not reach starts from the beginning.
void resumeAtPage(ReadingState& reading, std::int64_t pageStart);
// Shows the text's first page.
void showFirstPage(ReadingState& reading, Context& context);

}  // namespace tavori
