// Code page 932 conversions with iconv, for the Linux front end and the tests.
#pragma once

#include <string>
#include <string_view>

namespace tavori {

// UTF-8 to CP932; a character CP932 cannot hold (or a malformed sequence) becomes "?".
std::string utf8ToCp932WithIconv(std::string_view utf8);

// CP932 to UTF-8; a byte that is no CP932 character becomes U+FFFD.
std::string cp932ToUtf8WithIconv(std::string_view cp932);

}  // namespace tavori
