// Screens drawn whole at each change, rows padded with spaces so their glyphs share one size.
#include "readingtest/test_screens.h"

#include <algorithm>

#include "common/cp932_encoder.h"
#include "gfx/primitives.h"

namespace tavori {

namespace {

constexpr int kBoxWidth = 1000;
constexpr int kRowHeight = 32;
constexpr int kLineSpacing = 40;
constexpr int kPromptOffset = -100;     // the prompt row's top, from the area's middle
constexpr int kHeadingOffset = -160;
constexpr int kChoiceSpacing = 50;      // choice row r's top is the middle + 50 r
constexpr int kFrameMargin = 2;
// No line is drawn larger than a full row of sixteen characters.
constexpr std::size_t kLeastRowBytes = 32;
constexpr std::size_t kLeastQuestionRowBytes = 64;
constexpr Colour kRed = rgb(255, 64, 64);

int boxLeft(const ShellState& shell) { return shell.clientWidth / 2 - kBoxWidth / 2; }

std::string padded(std::string text, std::size_t bytes) {
    text.resize(std::max(text.size(), bytes), ' ');
    return text;
}

void drawRow(Canvas& canvas, const ShellState& shell, int top, const std::string& shiftJis, std::size_t bytes) {
    drawTextBox(canvas, padded(shiftJis, bytes), boxLeft(shell), top, kBoxWidth, kRowHeight, kWhite, kBlack);
}

void drawRowFrame(Canvas& canvas, const ShellState& shell, int top, Colour colour) {
    const int left = boxLeft(shell);
    drawFrame(canvas, left - kFrameMargin, top - kFrameMargin, left + kBoxWidth + kFrameMargin,
              top + kRowHeight + kFrameMargin, colour);
}

}  // namespace

void drawMessageScreen(Context& context, const std::vector<std::string>& lines) {
    clearScreen(context.window, context.shell.clientWidth, context.shell.clientHeight);
    std::vector<std::string> rows;
    std::size_t widest = kLeastRowBytes;
    for (const std::string& line : lines) {
        rows.push_back(utf8ToCp932(line));
        widest = std::max(widest, rows.back().size());
    }
    int top = context.shell.clientHeight / 2 - static_cast<int>(rows.size()) * kLineSpacing / 2;
    for (const std::string& row : rows) {
        if (!row.empty()) drawRow(context.window, context.shell, top, row, widest);
        top += kLineSpacing;
    }
}

void drawQuestionScreen(Context& context, const std::string& heading, const TestQuestion& question, int chosenRow) {
    Canvas& canvas = context.window;
    const ShellState& shell = context.shell;
    clearScreen(canvas, shell.clientWidth, shell.clientHeight);
    const int middle = shell.clientHeight / 2;
    // The prompt and the choices in glyphs of one size, that of the longest row of them (at most
    // a 40-character sentence) and never larger than a row of 32 characters.
    std::size_t widest = kLeastQuestionRowBytes;
    for (const std::string& choice : question.choices) widest = std::max(widest, choice.size());
    widest = std::max(widest, question.prompt.size());
    const std::string headingBytes = utf8ToCp932(heading);
    drawRow(canvas, shell, middle + kHeadingOffset, headingBytes, std::max(widest, headingBytes.size()));
    drawRow(canvas, shell, middle + kPromptOffset, question.prompt, widest);
    drawRowFrame(canvas, shell, middle + kPromptOffset, kGreen);
    for (int row = 0; row < 3; ++row) {
        const int top = middle + kChoiceSpacing * row;
        drawRow(canvas, shell, top, question.choices[static_cast<std::size_t>(row)], widest);
        Colour frame = kGreen;
        if (chosenRow >= 0 && row == question.answer) frame = kWhite;
        if (chosenRow >= 0 && row == chosenRow && row != question.answer) frame = kRed;
        drawRowFrame(canvas, shell, top, frame);
    }
}

std::optional<int> choiceRowAt(const ShellState& shell, int x, int y) {
    const int left = boxLeft(shell);
    if (x <= left || x >= left + kBoxWidth) return std::nullopt;
    for (int row = 0; row < 3; ++row) {
        const int top = shell.clientHeight / 2 + kChoiceSpacing * row;
        if (top < y && y < top + kRowHeight) return row;
    }
    return std::nullopt;
}

}  // namespace tavori
