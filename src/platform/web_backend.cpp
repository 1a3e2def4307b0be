#include "platform/web_backend.h"

#include <emscripten.h>

#include <algorithm>

#include "platform/keys.h"
#include "platform/utf8.h"

// The page's side: web/trainer-glue.js sets Module.vxrScreen (the canvas
// drawing) and Module.vxrEvents (the input queue), and wakes a waiting
// trainer through Module.vxrWake.
// clang-format off
EM_JS(void, vxr_web_show, (const unsigned char* rgb, int width, int height), {
    Module.vxrScreen(HEAPU8.subarray(rgb, rgb + width * height * 3), width, height);
});

EM_JS(void, vxr_web_caption, (const char* caption), { Module.vxrCaption(UTF8ToString(caption)); });

// Fills fields[0..7] with the oldest queued input: type, x, y, button, key,
// shift bits, wheel notches, character typed.
EM_JS(int, vxr_web_take_event, (int* fields), {
    const event = Module.vxrEvents.shift();
    if (event === undefined) return 0;
    for (let i = 0; i < 8; ++i) HEAP32[(fields >> 2) + i] = event[i] | 0;
    return 1;
});

EM_JS(int, vxr_web_queued_events, (), { return Module.vxrEvents.length; });

// Resolves when input is queued or `timeout` ms pass (negative: never); the
// page also keeps the data file in the browser's storage while the trainer waits.
EM_ASYNC_JS(void, vxr_web_wait, (int timeout), {
    await Module.vxrIdle();
    if (Module.vxrEvents.length > 0) return;
    await new Promise(resolve => {
        const timer = timeout >= 0 ? setTimeout(resolve, timeout) : undefined;
        Module.vxrWake = () => { clearTimeout(timer); resolve(); };
    });
    Module.vxrWake = () => {};
});

// Resolves once the browser has had the chance to paint what was shown: at
// the next animation frame, or after a moment in a hidden tab, which has none.
EM_ASYNC_JS(void, vxr_web_let_paint, (), {
    await Promise.race([new Promise(resolve => requestAnimationFrame(() => setTimeout(resolve, 0))),
                        new Promise(resolve => setTimeout(resolve, 50))]);
});
// clang-format on

namespace vxr::platform {

namespace {

constexpr int kFieldCount = 8;

int queuedEvents() { return vxr_web_queued_events(); }
enum ShiftBit { kShift = 1, kCtrl = 2, kAlt = 4 };

MouseButton buttonFromPage(int button) {
    switch (button) {
        case 1: return MouseButton::Middle;
        case 2: return MouseButton::Right;
        default: return MouseButton::Left;
    }
}

InputEvent keyEvent(EventType type, int key, char32_t typed, ShiftState shift) {
    if (type == EventType::KeyUp) return InputEvent::keyUp(key, shift);
    std::string text = typed != 0 && !shift.ctrl && !shift.alt ? encodeUtf8(typed) : std::string();
    if (const auto control = controlCharacterForKey(key); control && text.empty() && !shift.alt)
        text = std::string(1, static_cast<char>(*control));
    return InputEvent::keyDown(key, std::move(text), shift);
}

}  // namespace

WebBackend::Window* WebBackend::find(WindowId id) {
    auto it = std::find_if(windows_.begin(), windows_.end(), [&](const Window& w) { return w.id == id; });
    return it == windows_.end() ? nullptr : &*it;
}

Point WebBackend::origin(const Window& window) const {
    if (&window == &windows_.front()) return {0, 0};
    const Window& main = windows_.front();
    return {(main.width - window.width) / 2, (main.height - window.height) / 2};
}

const WebBackend::Window* WebBackend::windowAt(Point p) const {
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
        const Point at = origin(*it);
        if (p.x >= at.x && p.y >= at.y && p.x < at.x + it->width && p.y < at.y + it->height) return &*it;
    }
    return windows_.empty() ? nullptr : &windows_.front();
}

WindowId WebBackend::openWindow(const std::string& caption, int width, int height, WindowId owner) {
    windows_.push_back({++lastId_, width, height, owner, Bitmap(width, height)});
    if (windows_.size() == 1) vxr_web_caption(caption.c_str());
    showCanvas();
    return lastId_;
}

void WebBackend::closeWindow(WindowId window) {
    std::erase_if(windows_, [&](const Window& w) { return w.id == window; });
    showCanvas();
}

void WebBackend::setCaption(WindowId window, const std::string& caption) {
    if (!windows_.empty() && windows_.front().id == window) vxr_web_caption(caption.c_str());
}

void WebBackend::setClientSize(WindowId window, int width, int height) {
    if (Window* w = find(window)) {
        w->width = width;
        w->height = height;
        w->frame = Bitmap(width, height);
    }
    showCanvas();
}

void WebBackend::present(WindowId window, const Bitmap& frame) {
    if (Window* w = find(window)) w->frame = frame;
    showCanvas();
}

// The windows laid on one picture the size of the main window.
void WebBackend::showCanvas() {
    if (windows_.empty()) return;
    const Window& main = windows_.front();
    Bitmap canvas(main.width, main.height);
    for (const Window& w : windows_) {
        const Point at = origin(w);
        const int width = std::min(w.frame.width(), main.width - at.x);
        for (int y = 0; y < w.frame.height(); ++y) {
            if (at.y + y < 0 || at.y + y >= main.height || width <= 0 || at.x < 0) continue;
            std::copy_n(w.frame.row(y), width, canvas.row(at.y + y) + at.x);
        }
    }
    vxr_web_show(reinterpret_cast<const unsigned char*>(canvas.row(0)), canvas.width(), canvas.height());
}

std::optional<InputEvent> WebBackend::takeQueuedEvent() {
    int f[kFieldCount] = {};
    if (vxr_web_take_event(f) == 0) return std::nullopt;
    const auto type = static_cast<EventType>(f[0]);
    const ShiftState shift{(f[5] & kShift) != 0, (f[5] & kCtrl) != 0, (f[5] & kAlt) != 0};
    if (type == EventType::KeyDown || type == EventType::KeyUp)
        return keyEvent(type, f[4], static_cast<char32_t>(f[7]), shift);
    if (type == EventType::CloseRequest) return InputEvent::closeRequest();
    const Point p{f[1], f[2]};
    const Window* target = windowAt(p);
    if (target == nullptr) return std::nullopt;
    const Point at = origin(*target);
    const Point client{p.x - at.x, p.y - at.y};
    InputEvent event = type == EventType::MouseWheel ? InputEvent::mouseWheel(client, f[6])
                                                     : InputEvent::pointer(type, client, buttonFromPage(f[3]), shift);
    event.window = target->id;
    return event;
}

std::optional<InputEvent> WebBackend::pollEvent() {
    // Input aimed at no window (before the first one opens) is dropped.
    while (queuedEvents() > 0) {
        if (auto event = takeQueuedEvent()) return event;
    }
    return std::nullopt;
}

// Work put off while the first frame was made runs at the first wait, once
// that frame is on the screen.
WaitResult WebBackend::waitEvent(int timeoutMs) {
    if (vxr_web_pending_threads() > 0) {
        vxr_web_let_paint();
        vxr_web_run_pending_threads();
        if (queuedEvents() > 0) return WaitResult::Ready;
    }
    vxr_web_wait(timeoutMs);
    return queuedEvents() > 0 ? WaitResult::Ready : WaitResult::TimedOut;
}

}  // namespace vxr::platform
