#include "platform/headless_backend.h"

namespace vxr::platform {

const HeadlessBackend::Window* HeadlessBackend::window(WindowId id) const {
    const auto found = windows_.find(id);
    return found == windows_.end() ? nullptr : &found->second;
}

WindowId HeadlessBackend::openWindow(const std::string& caption, int width, int height, WindowId owner) {
    const WindowId id = ++lastId_;
    Window& window = windows_[id];
    window.caption = caption;
    window.width = width;
    window.height = height;
    window.owner = owner;
    return id;
}

void HeadlessBackend::closeWindow(WindowId window) { windows_.erase(window); }

void HeadlessBackend::setCaption(WindowId window, const std::string& caption) {
    if (auto found = windows_.find(window); found != windows_.end()) found->second.caption = caption;
}

void HeadlessBackend::setClientSize(WindowId window, int width, int height) {
    if (auto found = windows_.find(window); found != windows_.end()) {
        found->second.width = width;
        found->second.height = height;
    }
}

void HeadlessBackend::present(WindowId window, const Bitmap& frame) {
    if (auto found = windows_.find(window); found != windows_.end()) {
        found->second.frame = frame;
        ++found->second.presents;
    }
}

std::optional<InputEvent> HeadlessBackend::pollEvent() {
    if (queue_.empty()) return std::nullopt;
    InputEvent event = std::move(queue_.front());
    queue_.pop_front();
    return event;
}

// No time passes here: a test's input is either queued or will never come.
WaitResult HeadlessBackend::waitEvent(int) {
    if (!queue_.empty()) return WaitResult::Ready;
    if (!idle_ || !idle_()) return WaitResult::NoMoreInput;
    return queue_.empty() ? WaitResult::TimedOut : WaitResult::Ready;
}

}  // namespace vxr::platform
