#include "platform/text.h"

#include <iconv.h>

#include <array>
#include <cerrno>

#include "platform/utf8.h"

namespace vxr::platform {

namespace {

constexpr char32_t kReplacement = U'\uFFFD';

// Length of the sequence a lead byte announces, 0 for a byte that cannot lead.
int sequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Rejects overlong forms, surrogates and values above U+10FFFF.
bool isValidScalar(char32_t value, int length) {
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < kSmallest[length]) return false;
    if (value >= 0xD800 && value <= 0xDFFF) return false;
    return value <= 0x10FFFF;
}

// Decodes the sequence at text[pos], storing its length in `consumed`.
char32_t decodeOne(std::string_view text, std::size_t pos, std::size_t& consumed) {
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

std::u32string decodeUtf8(std::string_view text) {
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

std::size_t cp936ByteCount(std::string_view text) {
    std::size_t bytes = 0;
    for (char32_t c : decodeUtf8(text)) bytes += c < 0x80 ? 1 : 2;
    return bytes;
}

namespace {

// One iconv conversion, opened once per thread and kept.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(::iconv_open(to, from)) {}
    ~Converter() {
        if (opened()) ::iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // The whole of `input` converted, or nothing on any failure.
    std::optional<std::string> operator()(std::string_view input) {
        if (!opened()) return std::nullopt;
        ::iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // a fresh start
        std::string source(input);
        char* in = source.data();
        std::size_t inLeft = source.size();
        std::string result;
        std::array<char, 64> buffer;
        while (inLeft > 0) {
            char* out = buffer.data();
            std::size_t outLeft = buffer.size();
            const std::size_t done = ::iconv(cd_, &in, &inLeft, &out, &outLeft);
            result.append(buffer.data(), buffer.size() - outLeft);
            // A full buffer (E2BIG) only asks for another round.
            if (done == static_cast<std::size_t>(-1) && errno != E2BIG) return std::nullopt;
        }
        return result;
    }

private:
    bool opened() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t cd_;
};

// The web build's C library knows code page 936 by its other name.
#ifdef __EMSCRIPTEN__
constexpr const char* kCp936 = "GBK";
#else
constexpr const char* kCp936 = "CP936";
#endif

Converter& toCp936() {
    thread_local Converter converter(kCp936, "UTF-8");
    return converter;
}

Converter& fromCp936() {
    thread_local Converter converter("UTF-8", kCp936);
    return converter;
}

// The code page 936 bytes of one character, nothing when the code page lacks
// it (stray-byte characters included: they are no text).
std::optional<std::string> cp936Character(char32_t c) {
    if (c < 0x80) return std::string(1, static_cast<char>(c));
    if (c == kReplacement || isStrayByte(c)) return std::nullopt;
    return toCp936()(encodeUtf8(c));
}

// UTF-8 of the one character that `bytes` encode, when they convert back to
// the very same bytes; nothing otherwise.
std::optional<std::string> characterOfBytes(std::string_view bytes) {
    auto text = fromCp936()(bytes);
    if (!text || decodeUtf8(*text).size() != 1 || cp936Character(decodeUtf8(*text)[0]) != bytes) return std::nullopt;
    return text;
}

}  // namespace

std::optional<std::string> cp936FromUtf8(std::string_view text) {
    std::string bytes;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t consumed = 0;
        const char32_t c = decodeOne(text, pos, consumed);
        auto piece = cp936Character(c);
        if (!piece) return std::nullopt;
        bytes += *piece;
        pos += consumed;
    }
    return bytes;
}

std::string recordText(std::string_view bytes) {
    std::string text;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[pos]);
        std::size_t used = 1;
        std::optional<std::string> character;
        if (lead < 0x80) {
            character = std::string(1, static_cast<char>(lead));
        } else if (pos + 1 < bytes.size() && (character = characterOfBytes(bytes.substr(pos, 2)))) {
            used = 2;
        } else {
            character = characterOfBytes(bytes.substr(pos, 1));  // the one single-byte character, 0x80
        }
        text += character ? *character : encodeUtf8(kStrayByteBase + lead);
        pos += used;
    }
    return text;
}

std::string recordBytes(std::string_view text, std::size_t most) {
    std::string bytes;
    for (char32_t c : decodeUtf8(text)) {
        const std::string piece =
            isStrayByte(c) ? std::string(1, static_cast<char>(c - kStrayByteBase)) : cp936Character(c).value_or("?");
        if (bytes.size() + piece.size() > most) break;
        bytes += piece;
    }
    return bytes;
}

std::string cp936Prefix(std::string_view text, std::size_t most) { return recordText(recordBytes(text, most)); }

bool hasControlCharacter(std::string_view text) {
    for (char32_t c : decodeUtf8(text)) {
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) return true;
    }
    return false;
}

std::string escapeControls(std::string_view text) {
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
