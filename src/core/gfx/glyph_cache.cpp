// Cells kept under a hashed key; past either limit the least recently used go, down to seven
// eighths of the limits.
#include "gfx/glyph_cache.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace tavori {

std::size_t GlyphKeyHash::operator()(const GlyphKey& key) const {
    std::uint64_t hash = key.character;
    for (const std::uint64_t part : {std::uint64_t{key.form}, static_cast<std::uint64_t>(key.deviceWidth),
                                     static_cast<std::uint64_t>(key.deviceHeight), std::uint64_t{key.foreground},
                                     std::uint64_t{key.background}}) {
        hash = hash * 0x100000001B3ull ^ part;
    }
    return static_cast<std::size_t>(hash ^ hash >> 29);
}

GlyphCache::GlyphCache(GlyphLimits limits) : limits_(limits) {}

const GlyphCell* GlyphCache::find(const GlyphKey& key) {
    const auto found = entries_.find(key);
    if (found == entries_.end()) {
        ++misses_;
        return nullptr;
    }
    ++hits_;
    found->second.lastUse = ++uses_;
    return &found->second.cell;
}

const GlyphCell& GlyphCache::insert(const GlyphKey& key, GlyphCell cell) {
    // One cell may not crowd out a quarter of the cache: a huge cell is drawn, not kept.
    if (limits_.entries == 0 || cell.bytes() > limits_.bytes / 4) {
        return uncached_.emplace(std::move(cell));
    }
    const std::size_t cellBytes = cell.bytes();
    const auto [at, added] = entries_.insert_or_assign(key, Entry{std::move(cell), ++uses_});
    if (added) {
        bytes_ += cellBytes;
    }
    evictBeyondLimits();
    return at->second.cell;
}

void GlyphCache::clear() {
    entries_.clear();
    bytes_ = 0;
}

void GlyphCache::evictBeyondLimits() {
    if (entries_.size() <= limits_.entries && bytes_ <= limits_.bytes) {
        return;
    }
    // The least recently used go, down to seven eighths of the limits, so that the sort that
    // finds them runs once per many inserts. The newest entry always stays, so insert()'s
    // reference is good.
    std::vector<std::pair<std::uint64_t, std::size_t>> byUse;  // last use and bytes, newest first
    byUse.reserve(entries_.size());
    for (const auto& [key, entry] : entries_) {
        byUse.emplace_back(entry.lastUse, entry.cell.bytes());
    }
    std::sort(byUse.begin(), byUse.end(), std::greater<>());
    const std::size_t entryGoal = limits_.entries - limits_.entries / 8;
    const std::size_t byteGoal = limits_.bytes - limits_.bytes / 8;
    std::size_t kept = 0;
    std::size_t keptBytes = 0;
    std::uint64_t oldestKept = byUse.front().first;
    for (const auto& [use, size] : byUse) {
        if (kept > 0 && (kept >= entryGoal || keptBytes + size > byteGoal)) {
            break;
        }
        ++kept;
        keptBytes += size;
        oldestKept = use;
    }
    std::erase_if(entries_, [this, oldestKept](const auto& item) {
        if (item.second.lastUse >= oldestKept) {
            return false;
        }
        bytes_ -= item.second.cell.bytes();
        return true;
    });
}

}  // namespace tavori
