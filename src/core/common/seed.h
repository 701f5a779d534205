// Chooses the generator's seed: the TAVORI_SEED value when it is a number, else the time.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tavori {

// Parses a decimal seed (optionally signed, surrounding blanks allowed); its low 32 bits are
// the seed. Anything else, or nothing, is no seed.
std::optional<std::uint32_t> parseSeed(std::string_view text);

// `environmentValue` is TAVORI_SEED's value or null; `secondsSinceEpoch` the current time.
std::uint32_t chooseSeed(const char* environmentValue, std::int64_t secondsSinceEpoch);

}  // namespace tavori
