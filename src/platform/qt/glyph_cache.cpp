// Cells kept as RGB32 images under a hashed key; past either limit the least recently used go,
// down to seven eighths of the limits.
#include "glyph_cache.h"

#include <algorithm>
#include <vector>

namespace tavori::qt {

namespace {

std::size_t bytesOf(const QImage& image) { return static_cast<std::size_t>(image.sizeInBytes()); }
std::size_t bytesOf(const GlyphCell& cell) { return bytesOf(cell.image); }

}  // namespace

GlyphCell::GlyphCell(QImage rendered)
    : image(rendered.format() == QImage::Format_RGB32 ? std::move(rendered)
                                                      : rendered.convertToFormat(QImage::Format_RGB32)),
      pixels(reinterpret_cast<const std::uint32_t*>(image.constBits())), width(image.width()),
      height(image.height()), stride(static_cast<std::size_t>(image.bytesPerLine()) / sizeof(std::uint32_t)) {}

std::size_t GlyphKeyHash::operator()(const GlyphKey& key) const {
    std::size_t hash = key.character;
    for (const std::size_t part : {static_cast<std::size_t>(key.deviceWidth), static_cast<std::size_t>(key.deviceHeight),
                                   static_cast<std::size_t>(key.foreground), static_cast<std::size_t>(key.background),
                                   static_cast<std::size_t>(key.ratioThousandths), static_cast<std::size_t>(key.form)}) {
        hash = hash * 1000003u ^ part;
    }
    return hash;
}

GlyphCache::GlyphCache(std::size_t entries, std::size_t bytes) : entryLimit_(entries), byteLimit_(bytes) {}

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

const GlyphCell& GlyphCache::insert(const GlyphKey& key, QImage cell) {
    // One cell may not crowd out a quarter of the cache: a huge cell is drawn, not kept.
    if (entryLimit_ == 0 || bytesOf(cell) > byteLimit_ / 4) {
        return uncached_.emplace(std::move(cell));
    }
    const auto [at, added] = entries_.insert_or_assign(key, Entry{GlyphCell(std::move(cell)), ++uses_});
    if (added) {
        bytes_ += bytesOf(at->second.cell);
    }
    evictBeyondLimits();
    return at->second.cell;
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
    bytes_ = 0;
}

void GlyphCache::evictBeyondLimits() {
    if (entries_.size() <= entryLimit_ && bytes_ <= byteLimit_) {
        return;
    }
    // The least recently used go, down to seven eighths of the limits, so that the sort that
    // finds them runs once per many inserts. The newest entry always stays, so insert()'s
    // reference is good.
    std::vector<std::pair<std::uint64_t, std::size_t>> byUse;  // last use and bytes, newest first
    byUse.reserve(entries_.size());
    for (const auto& [key, entry] : entries_) {
        byUse.emplace_back(entry.lastUse, bytesOf(entry.cell));
    }
    std::sort(byUse.begin(), byUse.end(), std::greater<>());
    const std::size_t entryGoal = entryLimit_ - entryLimit_ / 8;
    const std::size_t byteGoal = byteLimit_ - byteLimit_ / 8;
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
        bytes_ -= bytesOf(item.second.cell);
        return true;
    });
}

}  // namespace tavori::qt
