// Holding back a repeated step, and walking a run against the one shown in its cells.
#include "gfx/screen_memory.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "common/sjis.h"

namespace tavori {

namespace {

// More runs than any screen shows at once (a reading page has 16 rows).
constexpr std::size_t kMostShownRuns = 64;

int heldToInt(std::int64_t value) { return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX)); }

}  // namespace

ScreenMemory::ScreenMemory(Canvas& target, bool remembers) : target_(target), remembers_(remembers) {}

void ScreenMemory::fillRect(int left, int top, int right, int bottom, Colour colour) {
    draw(Drawing{Drawing::Kind::Fill, {left, top, right, bottom, 0, 0}, colour, 0, {}, nullptr, 0});
}

void ScreenMemory::line(int x1, int y1, int x2, int y2, Colour colour) {
    draw(Drawing{Drawing::Kind::Line, {x1, y1, x2, y2, 0, 0}, colour, 0, {}, nullptr, 0});
}

void ScreenMemory::text(int x, int y, std::string_view bytes, int cellHeight, int charWidth, Colour foreground,
                        Colour background) {
    draw(Drawing{Drawing::Kind::Text, {x, y, cellHeight, charWidth, 0, 0}, foreground, background,
                 std::string(bytes), nullptr, 0});
}

void ScreenMemory::blit(const Canvas& source, int sourceX, int sourceY, int width, int height, int destinationX,
                        int destinationY) {
    auto* from = const_cast<ScreenMemory*>(dynamic_cast<const ScreenMemory*>(&source));
    if (from != nullptr) {
        // What the copy reads must be what the source's drawings left, not a step it holds back.
        from->passOnHeldBack();
    }
    // A copy from itself reads what this step has drawn so far, and one from a canvas whose
    // changes cannot be seen may read anything: either is made now, and ends the repetition.
    if (from == nullptr || from == this) {
        passOnHeldBack();
    }
    draw(Drawing{Drawing::Kind::Copy,
                 {sourceX, sourceY, width, height, destinationX, destinationY},
                 0,
                 0,
                 {},
                 &source,
                 from != nullptr ? from->drawingsPassedOn_ : 0});
}

void ScreenMemory::draw(Drawing drawing) {
    if (!remembers_) {
        passOn(drawing);
        return;
    }
    if (repeating_) {
        if (thisStep_.size() < lastStep_.size() && lastStep_[thisStep_.size()] == drawing) {
            if (auto* from = const_cast<ScreenMemory*>(dynamic_cast<const ScreenMemory*>(drawing.source));
                from != nullptr && std::find(from->copiers_.begin(), from->copiers_.end(), this) == from->copiers_.end()) {
                from->copiers_.push_back(this);
            }
            thisStep_.push_back(std::move(drawing));
            return;
        }
        if (thisStep_.size() == lastStep_.size()) {
            // The whole last step again has changed nothing; this step goes on beyond it.
            repeating_ = false;
        } else {
            passOnHeldBack();
        }
    }
    passOn(drawing);
    thisStep_.push_back(std::move(drawing));
}

void ScreenMemory::passOnHeldBack() {
    if (!repeating_) {
        return;
    }
    repeating_ = false;
    for (const Drawing& drawing : thisStep_) {
        passOn(drawing);
    }
}

void ScreenMemory::settle() {
    if (!remembers_) {
        return;
    }
    // A step that drew nothing leaves the last one showing as the latest drawing.
    if (!thisStep_.empty() && !(repeating_ && thisStep_.size() == lastStep_.size())) {
        passOnHeldBack();
        lastStep_ = std::exchange(thisStep_, {});
    }
    thisStep_.clear();
    repeating_ = true;
}

void ScreenMemory::forget() {
    beforeChange();
    passOnHeldBack();
    lastStep_.clear();
    thisStep_.clear();
    repeating_ = true;
    shownRuns_.clear();
    // A copy from here now reads other pixels.
    ++drawingsPassedOn_;
}

void ScreenMemory::beforeChange() {
    for (ScreenMemory* copier : std::exchange(copiers_, {})) {
        copier->passOnHeldBack();
    }
}

void ScreenMemory::passOn(const Drawing& drawing) {
    beforeChange();
    ++drawingsPassedOn_;
    const auto& n = drawing.numbers;
    switch (drawing.kind) {
        case Drawing::Kind::Fill:
            target_.fillRect(n[0], n[1], n[2], n[3], drawing.colour);
            touched(Area{n[0], n[1], n[2], n[3]});
            return;
        case Drawing::Kind::Line:
            target_.line(n[0], n[1], n[2], n[3], drawing.colour);
            // The end point is not drawn; the box that holds it is wide enough either way.
            touched(Area{std::min(n[0], n[2]), std::min(n[1], n[3]), std::int64_t{std::max(n[0], n[2])} + 1,
                         std::int64_t{std::max(n[1], n[3])} + 1});
            return;
        case Drawing::Kind::Text:
            passOnText(drawing);
            return;
        case Drawing::Kind::Copy: {
            const auto* from = dynamic_cast<const ScreenMemory*>(drawing.source);
            target_.blit(from != nullptr ? from->target_ : *drawing.source, n[0], n[1], n[2], n[3], n[4], n[5]);
            touched(Area{n[4], n[5], std::int64_t{n[4]} + n[2], std::int64_t{n[5]} + n[3]});
            return;
        }
    }
}

void ScreenMemory::passOnText(const Drawing& drawing) {
    const int x = drawing.numbers[0];
    const int y = drawing.numbers[1];
    const int cellHeight = drawing.numbers[2];
    const int charWidth = drawing.numbers[3];
    const std::string_view bytes = drawing.bytes;
    if (!remembers_ || cellHeight <= 0 || charWidth <= 0 || bytes.empty()) {
        // No cells, or cells of no width or height: nothing shows to be remembered.
        target_.text(x, y, bytes, cellHeight, charWidth, drawing.colour, drawing.background);
        return;
    }
    // One cell per byte: a double-byte character takes two, a lead byte at the end one.
    const Area area{x, y, x + static_cast<std::int64_t>(bytes.size()) * charWidth, std::int64_t{y} + cellHeight};
    const auto sameCells = [&drawing](const ShownRun& run) {
        const auto& shown = run.drawing.numbers;
        return shown[0] == drawing.numbers[0] && shown[1] == drawing.numbers[1] && shown[2] == drawing.numbers[2] &&
               shown[3] == drawing.numbers[3] && run.drawing.colour == drawing.colour &&
               run.drawing.background == drawing.background;
    };
    std::string shown;
    if (const auto found = std::find_if(shownRuns_.begin(), shownRuns_.end(), sameCells); found != shownRuns_.end()) {
        shown = std::move(found->drawing.bytes);
        shownRuns_.erase(found);
    }
    // The two runs are walked in step by character, so a double-byte character never matches
    // half of another.
    std::size_t firstChanged = bytes.size();
    std::size_t changedEnd = 0;
    std::size_t shownAt = 0;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t width = characterWidthAt(bytes, at);
        while (shownAt < at && shownAt < shown.size()) {
            shownAt += characterWidthAt(shown, shownAt);
        }
        const bool same = shownAt == at && at < shown.size() &&
                          std::string_view(shown).substr(at, characterWidthAt(shown, at)) == bytes.substr(at, width);
        if (!same) {
            firstChanged = std::min(firstChanged, at);
            changedEnd = at + width;
        }
        at += width;
    }
    if (firstChanged < changedEnd) {
        const std::int64_t changedX = x + static_cast<std::int64_t>(firstChanged) * charWidth;
        target_.text(heldToInt(changedX), y, bytes.substr(firstChanged, changedEnd - firstChanged), cellHeight,
                     charWidth, drawing.colour, drawing.background);
        touched(Area{changedX, area.top, x + static_cast<std::int64_t>(changedEnd) * charWidth, area.bottom});
    }
    if (shownRuns_.size() >= kMostShownRuns) {
        shownRuns_.erase(shownRuns_.begin());
    }
    shownRuns_.push_back(ShownRun{drawing, area});
}

void ScreenMemory::touched(const Area& area) {
    std::erase_if(shownRuns_, [&area](const ShownRun& run) { return run.area.meets(area); });
}

}  // namespace tavori
