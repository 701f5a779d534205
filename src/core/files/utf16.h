// Decoding UTF-16 files (Notepad's "Unicode") that begin with a byte-order mark.
#pragma once

#include <string>
#include <string_view>

namespace tavori {

// True when the bytes begin with FF FE (little-endian) or FE FF (big-endian).
bool hasUtf16ByteOrderMark(std::string_view bytes);

// UTF-16 in the order its mark gives, to UTF-8 without the mark. An unpaired surrogate and an
// odd last byte become "?", as a character CP932 cannot hold does later.
std::string utf16ToUtf8(std::string_view bytes);

}  // namespace tavori
