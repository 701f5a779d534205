// Reading TAVORI_SEED: spaces trimmed, an optional sign, then decimal digits kept to their low
// 32 bits; anything else is no seed.
#include "common/seed.h"

#include <cctype>

namespace tavori {

std::optional<std::uint32_t> parseSeed(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
        text.remove_prefix(1);
    }
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
        text.remove_suffix(1);
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    // Unsigned arithmetic wraps, which keeps exactly the low 32 bits of any length of digits.
    std::uint32_t value = 0;
    for (const char digit : text) {
        if (digit < '0' || digit > '9') {
            return std::nullopt;
        }
        value = value * 10u + static_cast<std::uint32_t>(digit - '0');
    }
    return negative ? 0u - value : value;
}

std::uint32_t chooseSeed(const char* environmentValue, std::int64_t secondsSinceEpoch) {
    if (environmentValue != nullptr) {
        if (const auto seed = parseSeed(environmentValue)) {
            return *seed;
        }
    }
    return static_cast<std::uint32_t>(secondsSinceEpoch);
}

}  // namespace tavori
