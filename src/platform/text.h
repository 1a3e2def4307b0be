#pragma once
// Text encoding helpers. Strings are UTF-8 throughout; byte counts that the
// trainer's screens depend on are taken as code page 936 would count them.

#include <cstddef>
#include <optional>
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

// ---- code page 936 ----------------------------------------------------------
// The record keeps names and passwords as code page 936 bytes; the code holds
// them as UTF-8. recordText and recordBytes convert at that boundary, and
// recordBytes(recordText(b)) == b for every byte string b, so text read from
// a record goes back unchanged, whatever bytes it held.

// The code page 936 bytes of `text`; nothing when the text is not valid UTF-8
// or holds a character the code page lacks.
std::optional<std::string> cp936FromUtf8(std::string_view text);

// True when every character of `text` has a code page 936 form.
inline bool isCp936Text(std::string_view text) { return cp936FromUtf8(text).has_value(); }

// UTF-8 for record bytes. A byte that starts no code page 936 character is
// kept as one of the private-use characters U+F780..U+F7FF (a character the
// code page lacks, so it cannot collide with real text), drawn as a box.
std::string recordText(std::string_view bytes);

// The record bytes of `text`, at most `most` of them: the cut falls between
// characters. A character the code page lacks becomes '?', so no broken byte
// is ever stored.
std::string recordBytes(std::string_view text, std::size_t most);

// `text` as a record field of `most` bytes keeps it:
// recordText(recordBytes(text, most)).
std::string cp936Prefix(std::string_view text, std::size_t most);

// The characters recordText keeps a stray byte in: this base + the byte.
inline constexpr char32_t kStrayByteBase = 0xF700;
inline bool isStrayByte(char32_t c) { return c >= kStrayByteBase + 0x80 && c <= kStrayByteBase + 0xFF; }

// True when `text` holds a control character (U+0000..U+001F, U+007F..U+009F).
bool hasControlCharacter(std::string_view text);

// `text` safe to print on a terminal: control bytes (below 0x20, 0x7F) and
// the C1 controls U+0080..U+009F are written as \xNN (byte by byte).
std::string escapeControls(std::string_view text);

// `text` with the ASCII letters in upper case; other bytes stay as they are.
inline std::string asciiUpper(std::string text) {
    for (char& ch : text) {
        if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
    }
    return text;
}

}  // namespace vxr::platform
