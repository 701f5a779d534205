// Standard base64 with padding: how the page's journal carries a picked file's bytes, written
// by the page and by the native replay that the browser tests compare it with.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tavori::web {

inline std::string encodeBase64(std::string_view bytes) {
    static constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t at = 0; at < bytes.size(); at += 3) {
        std::uint32_t group = static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) << 16;
        if (at + 1 < bytes.size()) group |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8;
        if (at + 2 < bytes.size()) group |= static_cast<unsigned char>(bytes[at + 2]);
        out += kDigits[group >> 18 & 63];
        out += kDigits[group >> 12 & 63];
        out += at + 1 < bytes.size() ? kDigits[group >> 6 & 63] : '=';
        out += at + 2 < bytes.size() ? kDigits[group & 63] : '=';
    }
    return out;
}

}  // namespace tavori::web
