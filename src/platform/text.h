#pragma once
// Text encoding helpers. Strings are UTF-8 throughout; byte counts that the
// trainer's screens depend on are taken as code page 936 would count them.

#include <cstddef>
#include <string>
#include <string_view>

namespace vxr::platform {

// The code page 936 fill pair 0xA3 0xA0 that pads label texts is held as the
// ideographic space U+3000 and drawn as a blank full-width cell.
inline constexpr char32_t kFullWidthFill = U'\u3000';
inline constexpr std::string_view kFullWidthFillUtf8 = "\xE3\x80\x80";

// Decodes UTF-8; each malformed or truncated sequence becomes U+FFFD.
std::u32string decodeUtf8(std::string_view text);

// The number of bytes `text` takes in code page 936: one for every ASCII
// character, two for every other character.
std::size_t cp936ByteCount(std::string_view text);

// The longest head of `text` that takes at most `bytes` bytes and ends on a
// whole character: a cut never splits a multi-byte character.
std::string utf8Prefix(std::string_view text, std::size_t bytes);

// True when `text` holds a control character (U+0000..U+001F, U+007F..U+009F).
bool hasControlCharacter(std::string_view text);

// `text` safe to print on a terminal: control bytes (below 0x20, 0x7F) and
// the C1 controls U+0080..U+009F are written as \xNN (byte by byte).
std::string escapeControls(std::string_view text);

// `text` with the ASCII letters in upper case; other bytes stay as they are.
inline std::string asciiUpper(std::string text)
{
    for (char& ch : text) {
        if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
    }
    return text;
}

}  // namespace vxr::platform
