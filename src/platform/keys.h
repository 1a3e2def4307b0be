#pragma once
// Keys as the controls see them: Windows virtual-key numbers, the characters
// a key produces, and the names event scripts use for keys.

#include <optional>
#include <string>
#include <string_view>

namespace vxr::platform {

// Virtual-key numbers. Letters and digits are their upper-case ASCII codes
// ('A' is 65, '0' is 48), as on Windows.
namespace vk {
inline constexpr int Backspace = 8;
inline constexpr int Tab = 9;
inline constexpr int Enter = 13;
inline constexpr int Shift = 16;
inline constexpr int Ctrl = 17;
inline constexpr int Alt = 18;
inline constexpr int Escape = 27;
inline constexpr int Space = 32;
inline constexpr int PageUp = 33;
inline constexpr int PageDown = 34;
inline constexpr int End = 35;
inline constexpr int Home = 36;
inline constexpr int Left = 37;
inline constexpr int Up = 38;
inline constexpr int Right = 39;
inline constexpr int Down = 40;
inline constexpr int Insert = 45;
inline constexpr int Delete = 46;
inline constexpr int F1 = 112;          // F1 .. F12 are 112 .. 123
inline constexpr int Semicolon = 0xBA;  // ; and :
inline constexpr int Equals = 0xBB;     // = and +
inline constexpr int Comma = 0xBC;      // , and <
inline constexpr int Minus = 0xBD;      // - and _
inline constexpr int Period = 0xBE;     // . and >
inline constexpr int Slash = 0xBF;      // / and ?
inline constexpr int Backquote = 0xC0;  // ` and ~
inline constexpr int LeftBracket = 0xDB;
inline constexpr int Backslash = 0xDC;
inline constexpr int RightBracket = 0xDD;
inline constexpr int Quote = 0xDE;
}  // namespace vk

// Modifier keys held during an input event.
struct ShiftState {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    friend constexpr bool operator==(ShiftState, ShiftState) = default;
};

// The key that types `c` on a US keyboard, and whether Shift is needed;
// nullopt for characters no key types (an event script types those with
// key number 0).
struct KeyStroke {
    int key = 0;
    bool shift = false;
};
std::optional<KeyStroke> keyForCharacter(char32_t c);

// The control character a key produces on its own (Backspace 8, Tab 9,
// Enter 13, Esc 27); printable characters come from the keyboard layout.
std::optional<char32_t> controlCharacterForKey(int key);

// The character an unshifted or shifted key types on a US keyboard
// (letters, digits, punctuation, space); nullopt for other keys.
std::optional<char32_t> characterForKey(int key, bool shift);

// The UTF-8 text a key types with the given modifiers on a US keyboard:
// the control or printable character, nothing while Ctrl or Alt is held.
std::string textForKey(int key, ShiftState shift);

// Names as scripts write them: "Down", "Enter", "Esc", "PgUp", "F5", "A",
// "7", or a decimal virtual-key number such as "#13". Case does not matter.
std::optional<int> keyFromName(std::string_view name);
// A readable name for messages ("Down", "A", "#200").
std::string keyName(int key);

}  // namespace vxr::platform
