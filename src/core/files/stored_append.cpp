// The rule for appending a record to a stored file.
#include "files/stored_append.h"

namespace tavori {

std::string storedAppendBytes(std::optional<char> lastByte, std::string_view header, std::string_view record) {
    std::string bytes;
    bytes.reserve(header.size() + 1 + record.size());
    if (!lastByte) {
        bytes = header;
    } else if (*lastByte != '\n') {
        bytes.push_back('\n');
    }
    bytes += record;
    return bytes;
}

}  // namespace tavori
