// A small bounded cache of rendered glyph cells, so a repeated page costs copies, not font
// rendering.
#include "glyph_cache.h"

namespace tavori::qt {

namespace {

std::size_t bytesOf(const QImage& image) { return static_cast<std::size_t>(image.sizeInBytes()); }

}  // namespace

std::size_t GlyphKeyHash::operator()(const GlyphKey& key) const {
    std::size_t hash = key.character;
    for (const std::size_t part : {static_cast<std::size_t>(key.deviceWidth), static_cast<std::size_t>(key.deviceHeight),
                                   static_cast<std::size_t>(key.foreground), static_cast<std::size_t>(key.background),
                                   static_cast<std::size_t>(key.ratioThousandths)}) {
        hash = hash * 1000003u ^ part;
    }
    return hash;
}

GlyphCache::GlyphCache(std::size_t entries, std::size_t bytes) : entryLimit_(entries), byteLimit_(bytes) {}

const QImage& GlyphCache::obtain(const GlyphKey& key, const std::function<QImage()>& render) {
    if (const auto found = index_.find(key); found != index_.end()) {
        ++hits_;
        entries_.splice(entries_.begin(), entries_, found->second);
        return found->second->cell;
    }
    ++misses_;
    QImage cell = render();
    // One cell may not crowd out a quarter of the cache: a huge cell is drawn, not kept.
    if (entryLimit_ == 0 || bytesOf(cell) > byteLimit_ / 4) {
        uncached_ = std::move(cell);
        return uncached_;
    }
    bytes_ += bytesOf(cell);
    entries_.push_front(Entry{key, std::move(cell)});
    index_.emplace(key, entries_.begin());
    evictBeyondLimits();
    return entries_.front().cell;
}

void GlyphCache::setLimits(std::size_t entries, std::size_t bytes) {
    entryLimit_ = entries;
    byteLimit_ = bytes;
    if (entryLimit_ == 0) {
        clear();
    }
    evictBeyondLimits();
}

void GlyphCache::clear() {
    entries_.clear();
    index_.clear();
    bytes_ = 0;
}

void GlyphCache::evictBeyondLimits() {
    // The newest entry always stays, so obtain()'s reference is good.
    while (entries_.size() > 1 && (entries_.size() > entryLimit_ || bytes_ > byteLimit_)) {
        bytes_ -= bytesOf(entries_.back().cell);
        index_.erase(entries_.back().key);
        entries_.pop_back();
    }
}

}  // namespace tavori::qt
