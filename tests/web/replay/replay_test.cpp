// The replay's own faults: cells in the wrong place, cells that survive being painted over or
// are lost in a copy, and journal entries that reach the core differently from the page's calls.
#include <gtest/gtest.h>

#include "cell_tracker.h"
#include "journal.h"
#include "shell/app.h"
#include "shell/menu.h"
#include "support/fake_platform.h"

namespace tavori::replay {
namespace {

constexpr Colour kInk = rgb(10, 20, 30);
constexpr Colour kPaper = rgb(250, 240, 230);
constexpr Colour kRed = rgb(255, 0, 0);

struct Canvases {
    testing::RasterCanvas window{100, 60};
    testing::RasterCanvas work{50, 40};
    CellBook book;
    CellTracker windowCells{window, book};
    CellTracker workCells{work, book};
};

std::vector<Rect> cellRects(const std::vector<VisibleCell>& cells) {
    std::vector<Rect> rects;
    for (const VisibleCell& cell : cells) rects.push_back(cell.cell);
    return rects;
}

TEST(CellTracker, RowRunsSplitIntoOneCellPerCharacter) {
    struct Case {
        const char* name;
        int x, y;
        std::string_view bytes;
        int cellHeight, charWidth;
        std::vector<Rect> cells;
        std::vector<bool> glyphs;
    };
    const Case cases[] = {
        {"single bytes are one width each", 2, 3, "ab", 10, 4, {{2, 3, 4, 10}, {6, 3, 4, 10}}, {true, true}},
        {"a double byte is two", 0, 0, "\x82\xa0z", 8, 5, {{0, 0, 10, 8}, {10, 0, 5, 8}}, {true, true}},
        {"a trail byte that looks like [ stays in its character", 0, 0, "\x83\x5b[", 8, 5,
         {{0, 0, 10, 8}, {10, 0, 5, 8}}, {true, true}},
        {"a lead byte at the end stands alone", 0, 0, "a\x82", 8, 5, {{0, 0, 5, 8}, {5, 0, 5, 8}}, {true, true}},
        {"spaces and the full-width space have no glyph", 0, 0, " \x81\x40.", 8, 5,
         {{0, 0, 5, 8}, {5, 0, 10, 8}, {15, 0, 5, 8}}, {false, false, true}},
        {"cells past the edge are clipped or gone", 90, 55, "abcd", 8, 6, {{90, 55, 6, 5}, {96, 55, 4, 5}}, {true, true}},
        {"no width covers nothing", 0, 0, "ab", 8, 0, {}, {}},
        {"no height covers nothing", 0, 0, "ab", 0, 8, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Canvases canvases;
        canvases.windowCells.text(c.x, c.y, c.bytes, c.cellHeight, c.charWidth, kInk, kPaper);
        const auto cells = canvases.windowCells.visibleCells();
        EXPECT_EQ(cellRects(cells), c.cells);
        for (std::size_t at = 0; at < cells.size() && at < c.glyphs.size(); ++at) {
            EXPECT_EQ(cells[at].glyph, c.glyphs[at]) << at;
            // The raster marks every character but a plain space at its cell's centre.
            EXPECT_EQ(cells[at].ink, c.bytes[0] != ' ' || at != 0) << at;
            EXPECT_EQ(cells[at].background, kPaper);
        }
    }
}

TEST(CellTracker, ColumnCellsAreFullForDoubleBytesAndHalfForSingle) {
    Canvases canvases;
    canvases.windowCells.verticalText(5, 2, "\x82\xa0" "ab\x81\x42", 12, kInk, kPaper);
    EXPECT_EQ(cellRects(canvases.windowCells.visibleCells()),
              (std::vector<Rect>{{5, 2, 12, 12}, {5, 14, 12, 6}, {5, 20, 12, 6}, {5, 26, 12, 12}}));
}

TEST(CellTracker, WhatIsDrawnLaterCoversCells) {
    struct Case {
        const char* name;
        void (*draw)(CellTracker&);
        std::vector<Rect> parts;  // of the one cell at (10, 10), 10 × 10
        bool whole;
    };
    const Case cases[] = {
        {"a fill over its right half", [](CellTracker& c) { c.fillRect(15, 0, 40, 40, kRed); },
         {{10, 10, 5, 10}}, false},
        {"a fill beside it", [](CellTracker& c) { c.fillRect(20, 0, 40, 40, kRed); }, {{10, 10, 10, 10}}, true},
        {"a line across it, its end point left out", [](CellTracker& c) { c.line(0, 12, 15, 12, kRed); },
         {{10, 10, 10, 2}, {15, 12, 5, 1}, {10, 13, 10, 7}}, false},
        {"a diagonal line", [](CellTracker& c) { c.line(10, 10, 12, 12, kRed); },
         {{11, 10, 9, 1}, {10, 11, 1, 1}, {12, 11, 8, 1}, {10, 12, 10, 8}}, false},
        {"a fill of the cell's own colour still covers it", [](CellTracker& c) { c.fillRect(10, 10, 20, 15, kPaper); },
         {{10, 15, 10, 5}}, false},
        {"text over it replaces it", [](CellTracker& c) { c.text(10, 10, "b", 10, 10, kRed, kInk); },
         {{10, 10, 10, 10}}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Canvases canvases;
        canvases.windowCells.text(10, 10, "a", 10, 10, kInk, kPaper);
        c.draw(canvases.windowCells);
        const auto cells = canvases.windowCells.visibleCells();
        ASSERT_EQ(cells.size(), 1u);
        EXPECT_EQ(cells[0].cell, (Rect{10, 10, 10, 10}));
        EXPECT_EQ(cells[0].parts, c.parts);
        EXPECT_EQ(cells[0].whole, c.whole);
    }
    Canvases covered;
    covered.windowCells.text(10, 10, "a", 10, 10, kInk, kPaper);
    covered.windowCells.text(10, 10, "b", 10, 10, kRed, kInk);
    EXPECT_EQ(covered.windowCells.visibleCells()[0].foreground, kRed);
    covered.windowCells.fillRect(0, 0, 100, 60, kRed);
    EXPECT_TRUE(covered.windowCells.visibleCells().empty());
}

TEST(CellTracker, CopiesCarryCellsAlongAndCutThem) {
    Canvases canvases;
    canvases.workCells.text(0, 0, "ab", 10, 10, kInk, kPaper);
    // The whole of "a", the left half of "b", then a copy back over the window that keeps "a" whole.
    canvases.windowCells.blit(canvases.workCells, 0, 0, 15, 10, 30, 20);
    auto cells = canvases.windowCells.visibleCells();
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_EQ(cells[0].cell, (Rect{30, 20, 10, 10}));
    EXPECT_TRUE(cells[0].whole);
    EXPECT_TRUE(cells[0].ink);
    EXPECT_EQ(cells[1].cell, (Rect{40, 20, 10, 10}));
    EXPECT_EQ(cells[1].parts, (std::vector<Rect>{{40, 20, 5, 10}}));
    EXPECT_FALSE(cells[1].whole);
    // The cut removed the raster's mark of "b" (its centre, x 45), though its glyph is there.
    EXPECT_FALSE(cells[1].ink);
    EXPECT_TRUE(cells[1].glyph);

    // A copy within the window moves its cells again; one from a canvas with no cells covers them.
    canvases.windowCells.blit(canvases.windowCells, 30, 20, 10, 10, 0, 0);
    EXPECT_EQ(canvases.windowCells.visibleCells()[0].cell, (Rect{0, 0, 10, 10}));
    testing::RasterCanvas plain(100, 60);
    canvases.windowCells.blit(plain, 0, 0, 100, 60, 0, 0);
    EXPECT_TRUE(canvases.windowCells.visibleCells().empty());
}

TEST(CellTracker, ANewSizeStartsWithNoCells) {
    Canvases canvases;
    canvases.windowCells.text(0, 0, "a", 10, 10, kInk, kPaper);
    canvases.window.resize(100, 60);
    canvases.windowCells.reset();
    EXPECT_TRUE(canvases.windowCells.visibleCells().empty());
    canvases.window.resize(30, 30);
    canvases.windowCells.fillRect(0, 0, 0, 0, kRed);
    canvases.windowCells.text(25, 0, "a", 10, 10, kInk, kPaper);
    EXPECT_EQ(cellRects(canvases.windowCells.visibleCells()), (std::vector<Rect>{{25, 0, 5, 10}}));
}

TEST(Base64, DecodesPaddedTextAndRejectsTheRest) {
    EXPECT_EQ(decodeBase64(""), "");
    EXPECT_EQ(decodeBase64("gqA="), "\x82\xa0");
    EXPECT_EQ(decodeBase64("YQ=="), "a");
    EXPECT_EQ(decodeBase64("/+8A"), std::string("\xff\xef\x00", 3));
    for (const char* bad : {"YQ", "YQ=a", "Y===", "YQ==YQ==", "Y!Q="}) {
        EXPECT_THROW(decodeBase64(bad), JournalError) << bad;
    }
}

TEST(Journal, MalformedEntriesAreRejected) {
    for (const char* journal : {
             "", "{}", "[]", "[[\"tick\"]]", "[[\"start\",10,10],[\"start\",10,10]]",
             "[[\"start\",10]]", "[[\"start\",10,10],[\"jump\"]]", "[[\"start\",10,10],[\"command\",\"720\"]]",
             "[[\"start\",10,10],[\"command\",1.5]]", "[[\"start\",10,10],[\"key\",\"a\"]]",
             "[[\"start\",10,10],[\"file\",\"/picked/a\",\"***\"]]", "[[\"start\",10,10],[\"down\",1,99999999999]]",
             "[[\"start\",10,10],[\"tick\",1]]", "[[\"start\",10,10],5]", "[[\"start\",10,10],[\"steps\",0]]",
             "[[\"file\",\"/picked/a\",\"YQ==\"]]", "[[\"file\",\"/picked/a\",\"YQ==\"],[\"tick\"]]",
         }) {
        EXPECT_THROW(replayJournal({.seed = 1, .journal = journal}), JournalError) << journal;
    }
}

// Every kind of entry reaches the core as the page's own call would: the replay of a journal
// and the same calls made directly give the same picture.
TEST(Journal, ReplaysAsTheCallsItNames) {
    const std::string picked = "\x82\xa0\x82\xa2\x82\xa4\x82\xa6\x82\xa8\r\n";  // あいうえお
    const std::map<std::string, std::string> data{{"w.txt", "abc\r\n"}, {"pa.dat", "\x82\xa0\x82\xa2\r\n"}};
    // A file the page kept from an earlier visit comes before the start.
    const std::string journal = R"([["file","/picked/a.txt","gqCCooKkgqaCqA0K"],["start",640,400],)"
                                R"(["choose","/picked/a.txt"],["command",720],["command",733],["tick"],["tick"],)"
                                R"(["key","ArrowRight"],["key"," "],["down",5,5],["move",6,6],["up",6,6],)"
                                R"(["resize",600,380],["paint"],["command",737],["tick"],["steps",2]])";
    const ReplayResult replayed = replayJournal({.seed = 42, .journal = journal, .dataFiles = data});

    testing::FakePlatform platform;
    platform.exePath = "/tavori/tavori";
    for (const auto& [name, content] : data) platform.addFile("/tavori/" + name, content);
    platform.setClientSize(640, 400);
    App app(platform, AppConfig{42, ""});
    platform.addFile("/picked/a.txt", picked);
    app.startUp();
    platform.dialogAnswers.push_back("/picked/a.txt");
    app.command(CommandId::LoadReadingText);
    app.command(CommandId::lines(13));
    app.tick();
    app.tick();
    app.key(Key::Right);
    app.key(Key::Space);
    app.mouseDown(5, 5);
    app.mouseMove(6, 6);
    app.mouseUp(6, 6);
    platform.setClientSize(600, 380);
    app.paint();
    app.command(CommandId::Puzzle);
    for (int tick = 0; tick < 3; ++tick) app.tick();

    ASSERT_EQ(replayed.width, 600);
    ASSERT_EQ(replayed.height, 380);
    std::size_t differing = 0;
    for (int y = 0; y < 380; ++y) {
        for (int x = 0; x < 600; ++x) {
            differing += replayed.pixels[static_cast<std::size_t>(y * 600 + x)] != platform.window().pixel(x, y);
        }
    }
    EXPECT_EQ(differing, 0u);
    EXPECT_FALSE(replayed.cells.empty());
    EXPECT_EQ(replayed.status, app.statusLine());
    EXPECT_EQ(replayed.storedFiles, platform.storedFiles);
}

}  // namespace
}  // namespace tavori::replay
