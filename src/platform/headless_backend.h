#pragma once
// A backend without a display. Windows are records holding their last
// frame; input comes from the events a test pushes, or from an idle handler
// asked whenever the queue runs dry.

#include <deque>
#include <functional>
#include <map>

#include "platform/backend.h"

namespace vxr::platform {

class HeadlessBackend : public Backend {
public:
    struct Window {
        std::string caption;
        int width = 0;
        int height = 0;
        WindowId owner = 0;
        Bitmap frame;
        int presents = 0;
    };

    void push(InputEvent event) { queue_.push_back(std::move(event)); }
    bool hasQueuedEvents() const { return !queue_.empty(); }
    // Called when a wait finds the queue empty. It may push events; it
    // returns false when no more input will come, which ends a waiting run.
    void setIdleHandler(std::function<bool()> handler) { idle_ = std::move(handler); }

    const Window* window(WindowId id) const;
    const std::map<WindowId, Window>& windows() const { return windows_; }

    WindowId openWindow(const std::string& caption, int width, int height, WindowId owner) override;
    void closeWindow(WindowId window) override;
    void setCaption(WindowId window, const std::string& caption) override;
    void setClientSize(WindowId window, int width, int height) override;
    void present(WindowId window, const Bitmap& frame) override;
    std::optional<InputEvent> pollEvent() override;
    WaitResult waitEvent(int timeoutMs) override;
    bool interactive() const override { return false; }

private:
    std::deque<InputEvent> queue_;
    std::function<bool()> idle_;
    std::map<WindowId, Window> windows_;
    WindowId lastId_ = 0;
};

}  // namespace vxr::platform
