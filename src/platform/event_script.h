#pragma once
// Event scripts: input for a run without a person, one command per line.
//
//   # comment                  blank lines and lines starting with # are skipped
//   key Down [Enter Ctrl+A ..] press and release keys in turn; a chord such
//                              as Ctrl+A or Shift+Tab holds the modifiers
//   keydown Ctrl / keyup Ctrl  press or release one key
//   type C:\IMG                type the rest of the line, character by character
//   move X Y                   move the pointer (client coordinates)
//   click X Y                  move there, press and release the left button
//   press X Y / release X Y    the left button's halves, moving there first
//   wheel X Y N                turn the wheel N notches (positive: up) at X, Y
//   close                      the window manager's close button
//   shot FILE.png              save what the window shows as PNG
//   waitfor NAME [SECONDS]     wait until the control NAME is showing
//   waitbox [SECONDS]          wait until a message box is open
//   sleep MS                   let MS milliseconds pass
//
// Key names: letters, digits, Enter, Esc, Tab, Space, Backspace, Delete,
// Insert, Home, End, PgUp, PgDn, Left, Up, Right, Down, Shift, Ctrl, Alt,
// F1 to F12, or #N for virtual-key number N. Waits give up after 10 seconds
// unless told otherwise; no wait or sleep may be longer than a day. Commands
// and key names ignore case. A UTF-8 byte-order mark before the first line
// is skipped.

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/geometry.h"

namespace vxr::platform {

struct ScriptCommand {
    enum class Kind {
        Key,
        KeyDown,
        KeyUp,
        Type,
        Move,
        Click,
        Press,
        Release,
        Wheel,
        Close,
        Shot,
        WaitFor,
        WaitBox,
        Sleep
    };

    Kind kind = Kind::Key;
    int line = 0;
    // Key: each chord lists its modifiers, then its key. KeyDown, KeyUp:
    // one chord of one key.
    std::vector<std::vector<int>> chords;
    Point point;
    int amount = 0;    // wheel notches; sleep and wait limits in milliseconds
    std::string text;  // typed text, shot file, control name
};

class ScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class EventScript {
public:
    static constexpr int kDefaultWaitMs = 10000;

    // Throws ScriptError naming `source` and the line of the first mistake.
    static EventScript parse(std::string_view text, std::string source = "script");
    static EventScript load(const std::filesystem::path& path);

    const std::string& source() const { return source_; }
    const std::vector<ScriptCommand>& commands() const { return commands_; }

private:
    std::string source_;
    std::vector<ScriptCommand> commands_;
};

}  // namespace vxr::platform
