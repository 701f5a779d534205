// Colours as 0x00BBGGRR values, the order every canvas receives them in.
#pragma once

#include <cstdint>

namespace tavori {

using Colour = std::uint32_t;

constexpr Colour rgb(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    return (red & 0xFFu) | ((green & 0xFFu) << 8) | ((blue & 0xFFu) << 16);
}

constexpr std::uint32_t redOf(Colour colour) { return colour & 0xFFu; }
constexpr std::uint32_t greenOf(Colour colour) { return (colour >> 8) & 0xFFu; }
constexpr std::uint32_t blueOf(Colour colour) { return (colour >> 16) & 0xFFu; }

inline constexpr Colour kBlack = rgb(0, 0, 0);
inline constexpr Colour kWhite = rgb(255, 255, 255);
inline constexpr Colour kGreen = rgb(0, 255, 0);
inline constexpr Colour kBlue = rgb(0, 0, 255);

}  // namespace tavori
