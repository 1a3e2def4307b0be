#include "platform/text.h"

namespace vxr::platform {

namespace {

constexpr char32_t kReplacement = U'\uFFFD';

// Length of the sequence a lead byte announces, 0 for a byte that cannot lead.
int sequenceLength(unsigned char lead)
{
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Rejects overlong forms, surrogates and values above U+10FFFF.
bool isValidScalar(char32_t value, int length)
{
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < kSmallest[length]) return false;
    if (value >= 0xD800 && value <= 0xDFFF) return false;
    return value <= 0x10FFFF;
}

// Decodes the sequence at text[pos], storing its length in `consumed`.
char32_t decodeOne(std::string_view text, std::size_t pos, std::size_t& consumed)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    const int length = sequenceLength(lead);
    consumed = 1;
    if (length == 1) return lead;
    if (length == 0 || pos + static_cast<std::size_t>(length) > text.size()) return kReplacement;
    char32_t value = lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[pos + static_cast<std::size_t>(i)]);
        if (!isContinuation(byte)) return kReplacement;
        value = (value << 6) | (byte & 0x3F);
    }
    if (!isValidScalar(value, length)) return kReplacement;
    consumed = static_cast<std::size_t>(length);
    return value;
}

}  // namespace

std::u32string decodeUtf8(std::string_view text)
{
    std::u32string result;
    result.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t consumed = 0;
        result.push_back(decodeOne(text, pos, consumed));
        pos += consumed;
    }
    return result;
}

std::size_t cp936ByteCount(std::string_view text)
{
    std::size_t bytes = 0;
    for (char32_t c : decodeUtf8(text)) bytes += c < 0x80 ? 1 : 2;
    return bytes;
}

std::string utf8Prefix(std::string_view text, std::size_t bytes)
{
    if (text.size() <= bytes) return std::string(text);
    std::size_t end = bytes;
    while (end > 0 && isContinuation(static_cast<unsigned char>(text[end]))) --end;
    return std::string(text.substr(0, end));
}

bool hasControlCharacter(std::string_view text)
{
    for (char32_t c : decodeUtf8(text)) {
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) return true;
    }
    return false;
}

std::string escapeControls(std::string_view text)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    const auto escape = [&out](unsigned char byte) {
        out += "\\x";
        out += kHex[byte >> 4];
        out += kHex[byte & 0xF];
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const bool c1 = byte == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                        static_cast<unsigned char>(text[i + 1]) <= 0x9F;
        if (byte < 0x20 || byte == 0x7F) {
            escape(byte);
        } else if (c1) {
            escape(byte);
            escape(static_cast<unsigned char>(text[++i]));
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace vxr::platform
