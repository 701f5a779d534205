// A small bounded cache of rendered glyph cells, so a repeated page costs copies, not font
// rendering.
#pragma once

#include <QImage>

#include <cstdint>
#include <optional>
#include <unordered_map>

namespace tavori::qt {

// Everything that decides a cell's pixels, for one canvas's font.
struct GlyphKey {
    std::uint16_t character;  // the Shift-JIS code: one byte, or lead byte × 256 + trail byte
    int deviceWidth;
    int deviceHeight;
    std::uint32_t foreground;
    std::uint32_t background;
    int ratioThousandths;
    // A row's cells, and a column's upright ones, are VerticalForm::Upright.
    std::uint8_t form;

    bool operator==(const GlyphKey&) const = default;
};

// A rendered cell and a direct view of its pixels: a page copies hundreds of cells each step,
// and reading the view from the cache's own entry saves a trip to the image's shared data.
struct GlyphCell {
    explicit GlyphCell(QImage rendered);

    QImage image;
    const std::uint32_t* pixels;
    int width;
    int height;
    std::size_t stride;  // pixels from one row to the next
};

struct GlyphKeyHash {
    std::size_t operator()(const GlyphKey& key) const;
};

class GlyphCache {
public:
    // At most `entries` cells and `bytes` bytes of pixels; zero entries keeps nothing.
    GlyphCache(std::size_t entries, std::size_t bytes);

    // The kept cell for `key`, or null. A page looks up hundreds of cells every step, so a
    // hit is one hash lookup and no allocation.
    const GlyphCell* find(const GlyphKey& key);
    // Keeps `cell` for `key` (unless it is too large to keep) and returns it. The reference
    // holds until the next call.
    const GlyphCell& insert(const GlyphKey& key, QImage cell);

    void setLimits(std::size_t entries, std::size_t bytes);
    bool keepsAny() const { return entryLimit_ > 0; }
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

    std::size_t entryLimit_;
    std::size_t byteLimit_;
    std::size_t bytes_ = 0;
    std::size_t hits_ = 0;
    std::size_t misses_ = 0;
    std::uint64_t uses_ = 0;
    std::unordered_map<GlyphKey, Entry, GlyphKeyHash> entries_;
    std::optional<GlyphCell> uncached_;  // a cell too large to keep, held for the caller's one use
};

}  // namespace tavori::qt
