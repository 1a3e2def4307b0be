#pragma once
// Plays an event script: turns its commands into input events one at a
// time, so that each command's events are dispatched (and every handler and
// nested wait they start has run up to its next wait) before the next
// command is read. Commands without input (shot, waitfor, waitbox, sleep)
// run on the way, through the host.

#include <chrono>
#include <deque>
#include <filesystem>
#include <optional>
#include <set>
#include <string_view>

#include "platform/event_script.h"
#include "platform/input_event.h"

namespace vxr::platform {

class ScriptHost {
public:
    virtual ~ScriptHost() = default;
    virtual bool controlShowing(std::string_view name) = 0;
    virtual bool messageBoxOpen() = 0;
    // Throws ScriptError when the picture cannot be written.
    virtual void saveShot(const std::filesystem::path& path) = 0;
};

class ScriptPlayer {
public:
    using Clock = std::chrono::steady_clock;

    explicit ScriptPlayer(EventScript script);

    // The next input event; nullopt while the script waits or after its
    // end. Throws ScriptError when a wait gives up or a shot fails.
    std::optional<InputEvent> next(ScriptHost& host);
    // Events of the current command are still to be handed out.
    bool hasPendingEvents() const { return !pending_.empty(); }
    // A sleep or wait is under way and cannot end yet.
    bool blocked(ScriptHost& host) const;
    // Every command has run and every event has been handed out.
    bool finished() const;
    // While a sleep or wait is under way: when it ends at the latest.
    std::optional<Clock::time_point> waitingUntil() const { return deadline_; }
    // "FILE line N" of the command being played, or "FILE (end)".
    std::string position() const;

private:
    // Runs the current command; returns false while it still waits.
    bool runCommand(const ScriptCommand& command, ScriptHost& host);
    bool waitUntil(bool condition, const ScriptCommand& command, const std::string& what);
    void queueChord(const std::vector<int>& chord);
    void queueKey(bool down, int key);
    void queueCharacter(char32_t character);
    void queuePointer(const ScriptCommand& command);
    ShiftState heldShift() const;

    EventScript script_;
    std::size_t index_ = 0;
    std::deque<InputEvent> pending_;
    std::set<int> held_;
    std::optional<Clock::time_point> deadline_;
};

}  // namespace vxr::platform
