// Holding back the drawings of a step while they repeat the last one, and passing them on
// once they stop.
#include "gfx/screen_memory.h"

#include <algorithm>
#include <utility>

namespace tavori {

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

void ScreenMemory::verticalText(int x, int y, std::string_view bytes, int cellSize, Colour foreground,
                                Colour background) {
    draw(Drawing{Drawing::Kind::VerticalText, {x, y, cellSize, 0, 0, 0}, foreground, background, std::string(bytes),
                 nullptr, 0});
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
            return;
        case Drawing::Kind::Line:
            target_.line(n[0], n[1], n[2], n[3], drawing.colour);
            return;
        case Drawing::Kind::Text:
            target_.text(n[0], n[1], drawing.bytes, n[2], n[3], drawing.colour, drawing.background);
            return;
        case Drawing::Kind::VerticalText:
            target_.verticalText(n[0], n[1], drawing.bytes, n[2], drawing.colour, drawing.background);
            return;
        case Drawing::Kind::Copy: {
            const auto* from = dynamic_cast<const ScreenMemory*>(drawing.source);
            target_.blit(from != nullptr ? from->target_ : *drawing.source, n[0], n[1], n[2], n[3], n[4], n[5]);
            return;
        }
    }
}

}  // namespace tavori
