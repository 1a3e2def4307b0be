#pragma once
// Real windows through SDL2. A window's frame is shown at a whole-number
// scale when the screen has room (pointer positions are mapped back to
// client pixels); the window manager's close button arrives as a close
// request; keys arrive as virtual-key numbers with the text they type.

#include <deque>
#include <map>
#include <memory>
#include <utility>

#include "platform/backend.h"

union SDL_Event;

namespace vxr::platform {

// The largest whole factor by which a client area fits the usable screen
// (leaving room for a title bar); at least 1.
int chooseWindowScale(int clientWidth, int clientHeight, int screenWidth, int screenHeight);
// A point in the scaled window's pixels as a client pixel.
Point windowToClient(Point windowPoint, int scale);
// The virtual-key number of an SDL key code; 0 for keys without one.
int virtualKeyFromSdl(int keycode);

class SdlBackend : public Backend {
public:
    // `scale` 0 picks the scale from the screen. Throws NoDisplayError when
    // SDL finds no display, or only its invisible stand-ins that nobody
    // asked for by SDL_VIDEODRIVER.
    explicit SdlBackend(int scale = 0);
    ~SdlBackend() override;
    SdlBackend(const SdlBackend&) = delete;
    SdlBackend& operator=(const SdlBackend&) = delete;

    WindowId openWindow(const std::string& caption, int width, int height, WindowId owner) override;
    void closeWindow(WindowId window) override;
    void setCaption(WindowId window, const std::string& caption) override;
    void setClientSize(WindowId window, int width, int height) override;
    void present(WindowId window, const Bitmap& frame) override;
    std::optional<InputEvent> pollEvent() override;
    WaitResult waitEvent(int timeoutMs) override;
    bool interactive() const override { return true; }

    // The X11 window id (0 elsewhere), read once the window's renderer
    // exists, since making the renderer may replace the X window.
    unsigned long nativeWindowId(WindowId window) const;
    int scale(WindowId window) const;

private:
    struct Window;

    Window* find(WindowId id) const;
    std::pair<WindowId, Window*> lookUp(unsigned sdlId) const;
    std::optional<InputEvent> pointerEvent(unsigned sdlId, Point windowPoint, EventType type, MouseButton button) const;
    std::optional<InputEvent> convert(const SDL_Event& event);
    std::optional<InputEvent> convertKey(const SDL_Event& event);
    std::optional<InputEvent> convertWindowEvent(const SDL_Event& event);
    void redraw(Window& window);
    void recreateTexture(Window& window, int width, int height);

    int requestedScale_;
    std::map<WindowId, std::unique_ptr<Window>> windows_;
    WindowId lastId_ = 0;
};

}  // namespace vxr::platform
