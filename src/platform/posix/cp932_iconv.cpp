// One iconv descriptor per conversion; a sequence it cannot convert becomes "?" (U+FFFD towards
// UTF-8) and is skipped by its own length.
#include "cp932_iconv.h"

#include <iconv.h>

#include <cerrno>

#include "common/sjis.h"

namespace tavori {

namespace {

// An iconv descriptor that closes itself.
class Converter {
public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~Converter() {
        if (valid()) iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    // Converts the whole input; at a sequence it cannot convert, appends `replacement`, skips
    // `skipLength(input)` bytes and goes on.
    template <typename Skip>
    std::string convert(std::string_view input, std::string_view replacement, Skip skipLength) {
        std::string result;
        if (!valid()) {
            return result;
        }
        std::string buffer(input);
        char* in = buffer.data();
        std::size_t inLeft = buffer.size();
        char output[4096];
        while (inLeft > 0) {
            char* out = output;
            std::size_t outLeft = sizeof output;
            const std::size_t done = iconv(handle_, &in, &inLeft, &out, &outLeft);
            result.append(output, static_cast<std::size_t>(out - output));
            if (done == static_cast<std::size_t>(-1) && errno != E2BIG) {
                result.append(replacement);
                const std::size_t skip = std::min(inLeft, skipLength(std::string_view(in, inLeft)));
                in += skip;
                inLeft -= skip;
                iconv(handle_, nullptr, nullptr, nullptr, nullptr);
            }
        }
        return result;
    }

private:
    iconv_t handle_;
};

std::size_t utf8SequenceLength(std::string_view rest) {
    const auto lead = static_cast<unsigned char>(rest.front());
    std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    // A malformed sequence is skipped only up to its first byte that cannot continue it.
    for (std::size_t index = 1; index < length && index < rest.size(); ++index) {
        if ((static_cast<unsigned char>(rest[index]) & 0xC0) != 0x80) {
            return index;
        }
    }
    return length;
}

std::size_t cp932CharacterLength(std::string_view rest) { return characterWidthAt(rest, 0); }

}  // namespace

std::string utf8ToCp932WithIconv(std::string_view utf8) {
    Converter converter("CP932", "UTF-8");
    return converter.convert(utf8, "?", utf8SequenceLength);
}

std::string cp932ToUtf8WithIconv(std::string_view cp932) {
    Converter converter("UTF-8", "CP932");
    return converter.convert(cp932, "\xEF\xBF\xBD", cp932CharacterLength);
}

}  // namespace tavori
