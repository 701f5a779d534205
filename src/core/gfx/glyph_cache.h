// A small bounded cache of rendered glyph cells, so a repeated page costs copies, not font
// rendering.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "common/colour.h"

namespace tavori {

// Everything that decides a cell's pixels, for one canvas's renderer at one ratio (a canvas
// empties its cache when its ratio changes).
struct GlyphKey {
    std::uint16_t character;  // the Shift-JIS code: one byte, or lead byte × 256 + trail byte
    int deviceWidth;
    int deviceHeight;
    Colour foreground;
    Colour background;
    // A row's cells, and a column's upright ones, are VerticalForm::Upright.
    std::uint8_t form;

    bool operator==(const GlyphKey&) const = default;
};

struct GlyphKeyHash {
    std::size_t operator()(const GlyphKey& key) const;
};

// A rendered cell: width × height device pixels, row after row, in its canvas's pixel format.
struct GlyphCell {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::size_t bytes() const { return pixels.size() * sizeof(std::uint32_t); }
};

// How many rendered cells a canvas keeps: a few pages of every size the exercises use (a reading
// page of 16 rows holds at most 512 distinct characters, a cell of 64 × 64 device pixels is
// 16 KiB). Zero entries renders every glyph afresh.
struct GlyphLimits {
    std::size_t entries = 4096;
    std::size_t bytes = 24u << 20;
};

class GlyphCache {
public:
    explicit GlyphCache(GlyphLimits limits);

    // The kept cell for `key`, or null. A page looks up hundreds of cells every step, so a
    // hit is one hash lookup and no allocation.
    const GlyphCell* find(const GlyphKey& key);
    // Keeps `cell` for `key` (unless it is too large to keep) and returns it. The reference
    // holds until the next call.
    const GlyphCell& insert(const GlyphKey& key, GlyphCell cell);

    void clear();
    std::size_t size() const { return entries_.size(); }
    std::size_t hits() const { return hits_; }
    std::size_t misses() const { return misses_; }

private:
    struct Entry {
        GlyphCell cell;
        std::uint64_t lastUse;
    };
    void evictBeyondLimits();

    GlyphLimits limits_;
    std::size_t bytes_ = 0;
    std::size_t hits_ = 0;
    std::size_t misses_ = 0;
    std::uint64_t uses_ = 0;
    std::unordered_map<GlyphKey, Entry, GlyphKeyHash> entries_;
    std::optional<GlyphCell> uncached_;  // a cell too large to keep, held for the caller's one use
};

}  // namespace tavori
