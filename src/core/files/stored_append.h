// The rule for appending a record to a stored file, which every front end's append follows.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavori {

// The bytes that append `record` to a stored file whose last byte is `lastByte` (nothing for an
// empty or new file): the header first in an empty file, and a line end first after a line cut
// short by a crash, so that the cut line stays the only one lost.
std::string storedAppendBytes(std::optional<char> lastByte, std::string_view header, std::string_view record);

}  // namespace tavori
