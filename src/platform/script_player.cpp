#include "platform/script_player.h"

#include "platform/text.h"
#include "platform/utf8.h"

namespace vxr::platform {

using Kind = ScriptCommand::Kind;

ScriptPlayer::ScriptPlayer(EventScript script) : script_(std::move(script)) {}

bool ScriptPlayer::finished() const { return pending_.empty() && index_ >= script_.commands().size(); }

bool ScriptPlayer::blocked(ScriptHost& host) const {
    if (!pending_.empty() || index_ >= script_.commands().size() || !deadline_) return false;
    if (Clock::now() >= *deadline_) return false;
    const ScriptCommand& command = script_.commands()[index_];
    switch (command.kind) {
        case Kind::WaitFor: return !host.controlShowing(command.text);
        case Kind::WaitBox: return !host.messageBoxOpen();
        default: return true;
    }
}

std::string ScriptPlayer::position() const {
    const auto& commands = script_.commands();
    const std::string source = escapeControls(script_.source());
    if (index_ >= commands.size()) return source + " (end)";
    return source + " line " + std::to_string(commands[index_].line);
}

std::optional<InputEvent> ScriptPlayer::next(ScriptHost& host) {
    while (pending_.empty() && index_ < script_.commands().size()) {
        if (!runCommand(script_.commands()[index_], host)) return std::nullopt;
        ++index_;
    }
    if (pending_.empty()) return std::nullopt;
    InputEvent event = std::move(pending_.front());
    pending_.pop_front();
    return event;
}

bool ScriptPlayer::runCommand(const ScriptCommand& command, ScriptHost& host) {
    switch (command.kind) {
        case Kind::Key:
            for (const auto& chord : command.chords) queueChord(chord);
            return true;
        case Kind::KeyDown: queueKey(true, command.chords.front().front()); return true;
        case Kind::KeyUp: queueKey(false, command.chords.front().front()); return true;
        case Kind::Type:
            for (char32_t character : decodeUtf8(command.text)) queueCharacter(character);
            return true;
        case Kind::Move:
        case Kind::Click:
        case Kind::Press:
        case Kind::Release:
        case Kind::Wheel: queuePointer(command); return true;
        case Kind::Close: pending_.push_back(InputEvent::closeRequest()); return true;
        case Kind::Shot: host.saveShot(command.text); return true;
        case Kind::WaitFor:
            return waitUntil(host.controlShowing(command.text), command,
                             "the control " + escapeControls(command.text) + " to show");
        case Kind::WaitBox: return waitUntil(host.messageBoxOpen(), command, "a message box");
        case Kind::Sleep: return waitUntil(false, command, "");
    }
    return true;
}

// A wait ends when its condition holds; a sleep (no description) when its
// time is up; a wait whose time is up fails.
bool ScriptPlayer::waitUntil(bool condition, const ScriptCommand& command, const std::string& what) {
    const auto now = Clock::now();
    if (!deadline_) deadline_ = now + std::chrono::milliseconds(command.amount);
    if (!condition && now < *deadline_) return false;
    deadline_.reset();
    if (!condition && !what.empty())
        throw ScriptError(position() + ": gave up waiting for " + what + " after " + std::to_string(command.amount) +
                          " ms");
    return true;
}

ShiftState ScriptPlayer::heldShift() const {
    return {held_.contains(vk::Shift), held_.contains(vk::Ctrl), held_.contains(vk::Alt)};
}

void ScriptPlayer::queueKey(bool down, int key) {
    if (down) {
        held_.insert(key);
        pending_.push_back(InputEvent::keyDown(key, textForKey(key, heldShift()), heldShift()));
    } else {
        held_.erase(key);
        pending_.push_back(InputEvent::keyUp(key, heldShift()));
    }
}

// The modifiers of a chord go down first and come up last.
void ScriptPlayer::queueChord(const std::vector<int>& chord) {
    for (int key : chord) queueKey(true, key);
    for (auto key = chord.rbegin(); key != chord.rend(); ++key) queueKey(false, *key);
}

// A character typed by its key on a US keyboard, with Shift as it needs;
// characters no key types arrive as text alone (key 0), as an input method
// delivers them.
void ScriptPlayer::queueCharacter(char32_t character) {
    const auto stroke = keyForCharacter(character);
    ShiftState shift = heldShift();
    if (!stroke) {
        pending_.push_back(InputEvent::keyDown(0, encodeUtf8(character), shift));
        return;
    }
    shift.shift = shift.shift || stroke->shift;
    pending_.push_back(InputEvent::keyDown(stroke->key, encodeUtf8(character), shift));
    pending_.push_back(InputEvent::keyUp(stroke->key, shift));
}

void ScriptPlayer::queuePointer(const ScriptCommand& command) {
    const ShiftState shift = heldShift();
    pending_.push_back(InputEvent::mouseMove(command.point, shift));
    switch (command.kind) {
        case Kind::Click:
            pending_.push_back(InputEvent::mouseDown(command.point, MouseButton::Left, shift));
            pending_.push_back(InputEvent::mouseUp(command.point, MouseButton::Left, shift));
            break;
        case Kind::Press: pending_.push_back(InputEvent::mouseDown(command.point, MouseButton::Left, shift)); break;
        case Kind::Release: pending_.push_back(InputEvent::mouseUp(command.point, MouseButton::Left, shift)); break;
        case Kind::Wheel: pending_.push_back(InputEvent::mouseWheel(command.point, command.amount)); break;
        default: break;
    }
}

}  // namespace vxr::platform
