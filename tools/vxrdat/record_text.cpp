#include "record_text.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>

namespace vxr::vxrdat {

namespace {

// The whole of `text` converted with iconv, or nothing on any failure.
std::optional<std::string> convert(const char* to, const char* from, std::string_view text) {
    iconv_t cd = ::iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string input(text);
    char* in = input.data();
    std::size_t inLeft = input.size();
    std::string result;
    std::array<char, 64> buffer;
    bool ok = true;
    while (ok && inLeft > 0) {
        char* out = buffer.data();
        std::size_t outLeft = buffer.size();
        const std::size_t done = ::iconv(cd, &in, &inLeft, &out, &outLeft);
        result.append(buffer.data(), buffer.size() - outLeft);
        // A full buffer (E2BIG) only asks for another round.
        ok = done != static_cast<std::size_t>(-1) || errno == E2BIG;
    }
    ::iconv_close(cd);
    if (!ok) return std::nullopt;
    return result;
}

bool hasControlCharacter(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char ch) { return static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F; });
}

}  // namespace

std::optional<std::string> cp936FromUtf8(std::string_view text) { return convert("CP936", "UTF-8", text); }

std::optional<std::string> utf8FromCp936(std::string_view bytes) {
    if (hasControlCharacter(bytes)) return std::nullopt;
    auto text = convert("UTF-8", "CP936", bytes);
    if (!text || cp936FromUtf8(*text) != bytes) return std::nullopt;
    return text;
}

}  // namespace vxr::vxrdat
