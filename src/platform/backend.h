#pragma once
// What the application needs from a display: windows that show frames, and
// the input aimed at them. The SDL backend shows real windows; the headless
// backend keeps frames in memory and takes its input from a test.

#include <optional>
#include <stdexcept>
#include <string>

#include "platform/bitmap.h"
#include "platform/input_event.h"

namespace vxr::platform {

// No display to show a window on (started over ssh, say): a person could
// never see or answer the program.
class NoDisplayError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class WaitResult {
    Ready,       // input (or some other window event) is waiting
    TimedOut,    // the time passed without input
    NoMoreInput  // nothing is queued and nothing can come (headless only)
};

class Backend {
public:
    virtual ~Backend() = default;

    // A window with a client area of the given size, centred, titled
    // `caption`. A window with an owner is a modal window in front of it.
    virtual WindowId openWindow(const std::string& caption, int width, int height, WindowId owner) = 0;
    virtual void closeWindow(WindowId window) = 0;
    virtual void setCaption(WindowId window, const std::string& caption) = 0;
    virtual void setClientSize(WindowId window, int width, int height) = 0;
    virtual void present(WindowId window, const Bitmap& frame) = 0;

    // The next input event, without waiting.
    virtual std::optional<InputEvent> pollEvent() = 0;
    // Blocks until input is waiting or `timeoutMs` passes (negative: no
    // limit), without using the processor meanwhile.
    virtual WaitResult waitEvent(int timeoutMs) = 0;
    // Whether a person can give input (a real window) rather than only the
    // program's tests and scripts.
    virtual bool interactive() const = 0;
};

}  // namespace vxr::platform
