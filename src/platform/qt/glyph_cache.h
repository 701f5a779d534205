// A small bounded cache of rendered glyph cells, so a repeated page costs copies, not font
// rendering.
#pragma once

#include <QImage>

#include <cstdint>
#include <functional>
#include <list>
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

    bool operator==(const GlyphKey&) const = default;
};

struct GlyphKeyHash {
    std::size_t operator()(const GlyphKey& key) const;
};

class GlyphCache {
public:
    // At most `entries` cells and `bytes` bytes of pixels; zero entries keeps nothing.
    GlyphCache(std::size_t entries, std::size_t bytes);

    // The cell for `key`, rendered by `render` when it is not kept. The reference holds until
    // the next call.
    const QImage& obtain(const GlyphKey& key, const std::function<QImage()>& render);

    void setLimits(std::size_t entries, std::size_t bytes);
    void clear();
    std::size_t size() const { return entries_.size(); }
    std::size_t hits() const { return hits_; }
    std::size_t misses() const { return misses_; }

private:
    struct Entry {
        GlyphKey key;
        QImage cell;
    };
    void evictBeyondLimits();

    std::size_t entryLimit_;
    std::size_t byteLimit_;
    std::size_t bytes_ = 0;
    std::size_t hits_ = 0;
    std::size_t misses_ = 0;
    std::list<Entry> entries_;  // most recently used first
    std::unordered_map<GlyphKey, std::list<Entry>::iterator, GlyphKeyHash> index_;
    QImage uncached_;  // a cell too large to keep, held for the caller's one use
};

}  // namespace tavori::qt
