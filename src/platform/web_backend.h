#pragma once
// The backend of the web page: every window is drawn into the page's one
// canvas, the main window filling it and each owned window (message boxes,
// questions) centred on top, as a window manager would place it. Input comes
// from the page's listeners through a queue in JavaScript; a wait gives the
// tab back to the browser until input arrives or the time passes, so a
// waiting trainer uses no processor.

#include <deque>
#include <map>
#include <vector>

#include "platform/backend.h"

// The work of threads started but not yet run (web_runtime.cpp): how many,
// and running it all.
extern "C" int vxr_web_pending_threads();
extern "C" void vxr_web_run_pending_threads();

namespace vxr::platform {

class WebBackend : public Backend {
public:
    WindowId openWindow(const std::string& caption, int width, int height, WindowId owner) override;
    void closeWindow(WindowId window) override;
    void setCaption(WindowId window, const std::string& caption) override;
    void setClientSize(WindowId window, int width, int height) override;
    void present(WindowId window, const Bitmap& frame) override;
    std::optional<InputEvent> pollEvent() override;
    WaitResult waitEvent(int timeoutMs) override;
    bool interactive() const override { return true; }

private:
    struct Window {
        WindowId id = 0;
        int width = 0;
        int height = 0;
        WindowId owner = 0;
        Bitmap frame;
    };

    Window* find(WindowId id);
    Point origin(const Window& window) const;
    // The window a pointer at canvas point `p` is aimed at: the topmost one
    // under it, else the main window.
    const Window* windowAt(Point p) const;
    std::optional<InputEvent> takeQueuedEvent();
    void showCanvas();

    std::vector<Window> windows_;  // in stacking order, the main window first
    WindowId lastId_ = 0;
};

}  // namespace vxr::platform
