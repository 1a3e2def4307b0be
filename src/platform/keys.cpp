#include "platform/keys.h"

#include <array>
#include <cctype>
#include <charconv>

#include "platform/utf8.h"

namespace vxr::platform {
namespace {

struct NamedKey {
    std::string_view name;
    int key;
};

// The first name of a key is the one keyName() gives.
// clang-format off
constexpr std::array kNamedKeys{
    NamedKey{"Backspace", vk::Backspace}, NamedKey{"Tab", vk::Tab},
    NamedKey{"Enter", vk::Enter},         NamedKey{"Return", vk::Enter},
    NamedKey{"Shift", vk::Shift},         NamedKey{"Ctrl", vk::Ctrl},
    NamedKey{"Control", vk::Ctrl},        NamedKey{"Alt", vk::Alt},
    NamedKey{"Esc", vk::Escape},          NamedKey{"Escape", vk::Escape},
    NamedKey{"Space", vk::Space},         NamedKey{"PgUp", vk::PageUp},
    NamedKey{"PageUp", vk::PageUp},       NamedKey{"PgDn", vk::PageDown},
    NamedKey{"PageDown", vk::PageDown},   NamedKey{"End", vk::End},
    NamedKey{"Home", vk::Home},           NamedKey{"Left", vk::Left},
    NamedKey{"Up", vk::Up},               NamedKey{"Right", vk::Right},
    NamedKey{"Down", vk::Down},           NamedKey{"Insert", vk::Insert},
    NamedKey{"Delete", vk::Delete},       NamedKey{"Del", vk::Delete},
};
// clang-format on

// Punctuation keys of a US keyboard: unshifted and shifted characters.
struct PunctuationKey {
    int key;
    char plain;
    char shifted;
};

constexpr std::array kPunctuation{
    PunctuationKey{vk::Semicolon, ';', ':'},  PunctuationKey{vk::Equals, '=', '+'},
    PunctuationKey{vk::Comma, ',', '<'},      PunctuationKey{vk::Minus, '-', '_'},
    PunctuationKey{vk::Period, '.', '>'},     PunctuationKey{vk::Slash, '/', '?'},
    PunctuationKey{vk::Backquote, '`', '~'},  PunctuationKey{vk::LeftBracket, '[', '{'},
    PunctuationKey{vk::Backslash, '\\', '|'}, PunctuationKey{vk::RightBracket, ']', '}'},
    PunctuationKey{vk::Quote, '\'', '"'},
};

constexpr std::string_view kShiftedDigits = ")!@#$%^&*(";

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::optional<int> parseNumber(std::string_view digits) {
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc{} || end != digits.data() + digits.size()) return std::nullopt;
    return value;
}

std::optional<int> functionKeyFromName(std::string_view name) {
    if (name.size() < 2 || (name[0] != 'F' && name[0] != 'f')) return std::nullopt;
    const auto number = parseNumber(name.substr(1));
    if (!number || *number < 1 || *number > 12) return std::nullopt;
    return vk::F1 + *number - 1;
}

}  // namespace

std::optional<KeyStroke> keyForCharacter(char32_t c) {
    if (c >= 'a' && c <= 'z') return KeyStroke{static_cast<int>(c - 'a' + 'A'), false};
    if (c >= 'A' && c <= 'Z') return KeyStroke{static_cast<int>(c), true};
    if (c >= '0' && c <= '9') return KeyStroke{static_cast<int>(c), false};
    if (c == ' ') return KeyStroke{vk::Space, false};
    const auto shiftedDigit = c < 128 ? kShiftedDigits.find(static_cast<char>(c)) : std::string_view::npos;
    if (shiftedDigit != std::string_view::npos) return KeyStroke{static_cast<int>('0' + shiftedDigit), true};
    for (const PunctuationKey& p : kPunctuation) {
        if (c == static_cast<char32_t>(p.plain)) return KeyStroke{p.key, false};
        if (c == static_cast<char32_t>(p.shifted)) return KeyStroke{p.key, true};
    }
    return std::nullopt;
}

std::optional<char32_t> controlCharacterForKey(int key) {
    switch (key) {
        case vk::Backspace: return U'\b';
        case vk::Tab: return U'\t';
        case vk::Enter: return U'\r';
        case vk::Escape: return U'\x1b';
        default: return std::nullopt;
    }
}

std::optional<char32_t> characterForKey(int key, bool shift) {
    if (key >= 'A' && key <= 'Z') return static_cast<char32_t>(shift ? key : key - 'A' + 'a');
    if (key >= '0' && key <= '9') return static_cast<char32_t>(shift ? kShiftedDigits[key - '0'] : key);
    if (key == vk::Space) return U' ';
    for (const PunctuationKey& p : kPunctuation) {
        if (key == p.key) return static_cast<char32_t>(shift ? p.shifted : p.plain);
    }
    return std::nullopt;
}

std::string textForKey(int key, ShiftState shift) {
    if (shift.ctrl || shift.alt) return {};
    if (const auto control = controlCharacterForKey(key)) return encodeUtf8(*control);
    if (const auto printable = characterForKey(key, shift.shift)) return encodeUtf8(*printable);
    return {};
}

std::optional<int> keyFromName(std::string_view name) {
    if (name.size() == 1) {
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return c;
    }
    if (name.size() > 1 && name[0] == '#') {
        const auto number = parseNumber(name.substr(1));
        if (number && *number > 0 && *number < 256) return number;
        return std::nullopt;
    }
    for (const NamedKey& named : kNamedKeys) {
        if (sameIgnoringCase(named.name, name)) return named.key;
    }
    return functionKeyFromName(name);
}

std::string keyName(int key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, static_cast<char>(key));
    for (const NamedKey& named : kNamedKeys) {
        if (named.key == key) return std::string(named.name);
    }
    // Appending avoids g++ 12's false overlap warning on "literal" + string.
    std::string name(1, key >= vk::F1 && key < vk::F1 + 12 ? 'F' : '#');
    name += std::to_string(name[0] == 'F' ? key - vk::F1 + 1 : key);
    return name;
}

}  // namespace vxr::platform
