// UTF-8 to code page 932 (Shift-JIS) by the one table every front end shares.
#pragma once

#include <string>
#include <string_view>

namespace tavori {

// Each character as CP932 holds it (the table is glibc iconv's, see cp932_table.inc); one it
// cannot hold, and each malformed sequence, becomes "?".
std::string utf8ToCp932(std::string_view utf8);

}  // namespace tavori
