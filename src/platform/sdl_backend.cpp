#include "platform/sdl_backend.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <string_view>

// Last: the window-manager header pulls in X11's headers and their macros.
#include <SDL2/SDL_syswm.h>

namespace vxr::platform {
namespace {

// Room left for the window manager's title bar and borders.
constexpr int kDecorationHeight = 40;

struct KeyPair {
    SDL_Keycode sdl;
    int key;
};

// clang-format off
constexpr KeyPair kKeyTable[] = {
    {SDLK_BACKSPACE, vk::Backspace}, {SDLK_TAB, vk::Tab},           {SDLK_RETURN, vk::Enter},
    {SDLK_KP_ENTER, vk::Enter},      {SDLK_LSHIFT, vk::Shift},      {SDLK_RSHIFT, vk::Shift},
    {SDLK_LCTRL, vk::Ctrl},          {SDLK_RCTRL, vk::Ctrl},        {SDLK_LALT, vk::Alt},
    {SDLK_RALT, vk::Alt},            {SDLK_ESCAPE, vk::Escape},     {SDLK_SPACE, vk::Space},
    {SDLK_PAGEUP, vk::PageUp},       {SDLK_PAGEDOWN, vk::PageDown}, {SDLK_END, vk::End},
    {SDLK_HOME, vk::Home},           {SDLK_LEFT, vk::Left},         {SDLK_UP, vk::Up},
    {SDLK_RIGHT, vk::Right},         {SDLK_DOWN, vk::Down},         {SDLK_INSERT, vk::Insert},
    {SDLK_DELETE, vk::Delete},       {SDLK_SEMICOLON, vk::Semicolon}, {SDLK_EQUALS, vk::Equals},
    {SDLK_COMMA, vk::Comma},         {SDLK_MINUS, vk::Minus},       {SDLK_PERIOD, vk::Period},
    {SDLK_SLASH, vk::Slash},         {SDLK_BACKQUOTE, vk::Backquote}, {SDLK_LEFTBRACKET, vk::LeftBracket},
    {SDLK_BACKSLASH, vk::Backslash}, {SDLK_RIGHTBRACKET, vk::RightBracket}, {SDLK_QUOTE, vk::Quote},
};
// clang-format on

// Numeric keypad digits are virtual keys 96 .. 105.
constexpr int kNumpad0 = 96;

ShiftState shiftFromSdl(Uint16 mod) { return {(mod & KMOD_SHIFT) != 0, (mod & KMOD_CTRL) != 0, (mod & KMOD_ALT) != 0}; }

std::optional<MouseButton> buttonFromSdl(Uint8 button) {
    switch (button) {
        case SDL_BUTTON_LEFT: return MouseButton::Left;
        case SDL_BUTTON_MIDDLE: return MouseButton::Middle;
        case SDL_BUTTON_RIGHT: return MouseButton::Right;
        default: return std::nullopt;
    }
}

[[noreturn]] void failWithSdlError(const std::string& what) { throw std::runtime_error(what + ": " + SDL_GetError()); }

// The text SDL reports right after a key down belongs to that key.
std::string takeFollowingText() {
    SDL_Event next;
    if (SDL_PeepEvents(&next, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) != 1) return {};
    if (next.type != SDL_TEXTINPUT) return {};
    SDL_PeepEvents(&next, 1, SDL_GETEVENT, SDL_TEXTINPUT, SDL_TEXTINPUT);
    return next.text.text;
}

// SDL falls back to drivers that draw into memory when it finds no display;
// a window there is never seen.
bool isInvisibleDriver(std::string_view driver) { return driver == "offscreen" || driver == "dummy"; }

}  // namespace

int chooseWindowScale(int clientWidth, int clientHeight, int screenWidth, int screenHeight) {
    if (clientWidth <= 0 || clientHeight <= 0) return 1;
    const int byWidth = screenWidth / clientWidth;
    const int byHeight = (screenHeight - kDecorationHeight) / clientHeight;
    return std::max(1, std::min(byWidth, byHeight));
}

Point windowToClient(Point windowPoint, int scale) {
    const int s = std::max(1, scale);
    // Rounds towards minus infinity, so pixels left of or above the window
    // stay outside the client area.
    const auto down = [s](int v) { return v >= 0 ? v / s : -((-v + s - 1) / s); };
    return {down(windowPoint.x), down(windowPoint.y)};
}

int virtualKeyFromSdl(int keycode) {
    if (keycode >= SDLK_a && keycode <= SDLK_z) return 'A' + (keycode - SDLK_a);
    if (keycode >= SDLK_0 && keycode <= SDLK_9) return keycode;
    if (keycode >= SDLK_F1 && keycode <= SDLK_F12) return vk::F1 + (keycode - SDLK_F1);
    if (keycode >= SDLK_KP_1 && keycode <= SDLK_KP_9) return kNumpad0 + 1 + (keycode - SDLK_KP_1);
    if (keycode == SDLK_KP_0) return kNumpad0;
    for (const KeyPair& pair : kKeyTable) {
        if (pair.sdl == keycode) return pair.key;
    }
    return 0;
}

struct SdlBackend::Window {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    Uint32 sdlId = 0;
    unsigned long nativeId = 0;
    int width = 0;
    int height = 0;
    int scale = 1;
    bool hasFrame = false;

    ~Window() {
        if (texture != nullptr) SDL_DestroyTexture(texture);
        if (renderer != nullptr) SDL_DestroyRenderer(renderer);
        if (window != nullptr) SDL_DestroyWindow(window);
    }
};

SdlBackend::SdlBackend(int scale) : requestedScale_(scale) {
    // Ctrl+C in the terminal should end the program, not arrive as a quit
    // event that nobody reads.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // The frames are small: SDL's software renderer shows them on any X
    // server without loading a GL driver. The environment may still choose
    // another renderer (SDL_RENDER_DRIVER).
    SDL_SetHintWithPriority(SDL_HINT_RENDER_DRIVER, "software", SDL_HINT_DEFAULT);
    SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_DEFAULT);
    // The first click into a window that had lost the focus acts, as a
    // candidate expects of a click on a button.
    SDL_SetHintWithPriority(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1", SDL_HINT_DEFAULT);
    // A double click is two presses within a few pixels, as desktops of the
    // imitated era counted it, not anywhere within SDL's default 32.
    SDL_SetHintWithPriority(SDL_HINT_MOUSE_DOUBLE_CLICK_RADIUS, "4", SDL_HINT_DEFAULT);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) throw NoDisplayError(std::string("no display: ") + SDL_GetError());
    const std::string_view driver = SDL_GetCurrentVideoDriver();
    if (std::getenv("SDL_VIDEODRIVER") == nullptr && isInvisibleDriver(driver)) {
        SDL_Quit();
        throw NoDisplayError("no display is available (DISPLAY and WAYLAND_DISPLAY are not set or unusable)");
    }
}

SdlBackend::~SdlBackend() {
    windows_.clear();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SDL_Quit();
}

SdlBackend::Window* SdlBackend::find(WindowId id) const {
    const auto found = windows_.find(id);
    return found == windows_.end() ? nullptr : found->second.get();
}

WindowId SdlBackend::openWindow(const std::string& caption, int width, int height, WindowId owner) {
    auto made = std::make_unique<Window>();
    Window& w = *made;
    SDL_Rect usable{0, 0, width, height};
    SDL_GetDisplayUsableBounds(0, &usable);
    w.scale = requestedScale_ > 0 ? requestedScale_ : chooseWindowScale(width, height, usable.w, usable.h);
    w.width = width;
    w.height = height;
    w.window = SDL_CreateWindow(caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width * w.scale,
                                height * w.scale, 0);
    if (w.window == nullptr) failWithSdlError("cannot open a window");
    w.renderer = SDL_CreateRenderer(w.window, -1, 0);
    if (w.renderer == nullptr) w.renderer = SDL_CreateRenderer(w.window, -1, SDL_RENDERER_SOFTWARE);
    if (w.renderer == nullptr) failWithSdlError("cannot draw in the window");
    recreateTexture(w, width, height);
    w.sdlId = SDL_GetWindowID(w.window);
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(w.window, &info) == SDL_TRUE && info.subsystem == SDL_SYSWM_X11)
        w.nativeId = static_cast<unsigned long>(info.info.x11.window);
    if (Window* ownerWindow = find(owner)) {
        SDL_SetWindowModalFor(w.window, ownerWindow->window);
        SDL_RaiseWindow(w.window);
    }
    windows_[++lastId_] = std::move(made);
    return lastId_;
}

void SdlBackend::recreateTexture(Window& window, int width, int height) {
    if (window.texture != nullptr) SDL_DestroyTexture(window.texture);
    window.texture =
        SDL_CreateTexture(window.renderer, SDL_PIXELFORMAT_RGB24, SDL_TEXTUREACCESS_STREAMING, width, height);
    if (window.texture == nullptr) failWithSdlError("cannot make the window's picture");
    window.hasFrame = false;
}

void SdlBackend::closeWindow(WindowId window) { windows_.erase(window); }

void SdlBackend::setCaption(WindowId window, const std::string& caption) {
    if (Window* w = find(window)) SDL_SetWindowTitle(w->window, caption.c_str());
}

void SdlBackend::setClientSize(WindowId window, int width, int height) {
    Window* w = find(window);
    if (w == nullptr || (width == w->width && height == w->height)) return;
    w->width = width;
    w->height = height;
    SDL_SetWindowSize(w->window, width * w->scale, height * w->scale);
    recreateTexture(*w, width, height);
}

void SdlBackend::present(WindowId window, const Bitmap& frame) {
    Window* w = find(window);
    if (w == nullptr || frame.empty()) return;
    if (frame.width() != w->width || frame.height() != w->height) setClientSize(window, frame.width(), frame.height());
    SDL_UpdateTexture(w->texture, nullptr, frame.row(0), frame.width() * 3);
    w->hasFrame = true;
    redraw(*w);
}

void SdlBackend::redraw(Window& window) {
    if (!window.hasFrame) return;
    const SDL_Rect scaled{0, 0, window.width * window.scale, window.height * window.scale};
    SDL_RenderClear(window.renderer);
    SDL_RenderCopy(window.renderer, window.texture, nullptr, &scaled);
    SDL_RenderPresent(window.renderer);
}

std::optional<InputEvent> SdlBackend::pollEvent() {
    SDL_Event event;
    while (SDL_PollEvent(&event) == 1) {
        if (auto converted = convert(event)) return converted;
    }
    return std::nullopt;
}

WaitResult SdlBackend::waitEvent(int timeoutMs) {
    const int ready = timeoutMs < 0 ? SDL_WaitEvent(nullptr) : SDL_WaitEventTimeout(nullptr, timeoutMs);
    return ready == 1 ? WaitResult::Ready : WaitResult::TimedOut;
}

std::pair<WindowId, SdlBackend::Window*> SdlBackend::lookUp(unsigned sdlId) const {
    for (const auto& [id, window] : windows_) {
        if (window->sdlId == sdlId) return {id, window.get()};
    }
    return {kActiveWindow, nullptr};
}

std::optional<InputEvent> SdlBackend::pointerEvent(unsigned sdlId, Point windowPoint, EventType type,
                                                   MouseButton button) const {
    const auto [id, window] = lookUp(sdlId);
    if (window == nullptr) return std::nullopt;
    InputEvent event = InputEvent::pointer(type, windowToClient(windowPoint, window->scale), button,
                                           shiftFromSdl(static_cast<Uint16>(SDL_GetModState())));
    event.window = id;
    return event;
}

// Input for windows of ours becomes an event in client coordinates; a
// window that needs painting again is redrawn from its last frame.
std::optional<InputEvent> SdlBackend::convert(const SDL_Event& event) {
    switch (event.type) {
        case SDL_MOUSEMOTION:
            return pointerEvent(event.motion.windowID, {event.motion.x, event.motion.y}, EventType::MouseMove,
                                MouseButton::Left);
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            const auto button = buttonFromSdl(event.button.button);
            if (!button) return std::nullopt;
            const EventType type = event.type == SDL_MOUSEBUTTONDOWN ? EventType::MouseDown : EventType::MouseUp;
            auto press = pointerEvent(event.button.windowID, {event.button.x, event.button.y}, type, *button);
            if (press) press->clicks = event.button.clicks;
            return press;
        }
        case SDL_MOUSEWHEEL: {
            auto wheel = pointerEvent(event.wheel.windowID, {event.wheel.mouseX, event.wheel.mouseY},
                                      EventType::MouseWheel, MouseButton::Left);
            if (wheel) wheel->wheel = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
            return wheel;
        }
        case SDL_KEYDOWN:
        case SDL_KEYUP: return convertKey(event);
        case SDL_TEXTINPUT: {
            // Text without a key before it comes from an input method.
            InputEvent text = InputEvent::keyDown(0, event.text.text);
            text.window = lookUp(event.text.windowID).first;
            return text;
        }
        case SDL_WINDOWEVENT: return convertWindowEvent(event);
        default: return std::nullopt;
    }
}

std::optional<InputEvent> SdlBackend::convertKey(const SDL_Event& event) {
    const int key = virtualKeyFromSdl(event.key.keysym.sym);
    const ShiftState shift = shiftFromSdl(event.key.keysym.mod);
    const WindowId window = lookUp(event.key.windowID).first;
    if (event.type == SDL_KEYUP) {
        if (key == 0) return std::nullopt;
        InputEvent up = InputEvent::keyUp(key, shift);
        up.window = window;
        return up;
    }
    std::string text = takeFollowingText();
    if (const auto control = controlCharacterForKey(key); control && text.empty() && !shift.alt)
        text = std::string(1, static_cast<char>(*control));
    if (key == 0 && text.empty()) return std::nullopt;
    InputEvent down = InputEvent::keyDown(key, std::move(text), shift);
    down.window = window;
    return down;
}

std::optional<InputEvent> SdlBackend::convertWindowEvent(const SDL_Event& event) {
    const auto [id, window] = lookUp(event.window.windowID);
    if (window == nullptr) return std::nullopt;
    if (event.window.event == SDL_WINDOWEVENT_EXPOSED) redraw(*window);
    if (event.window.event != SDL_WINDOWEVENT_CLOSE) return std::nullopt;
    InputEvent close = InputEvent::closeRequest();
    close.window = id;
    return close;
}

unsigned long SdlBackend::nativeWindowId(WindowId window) const {
    const Window* w = find(window);
    return w != nullptr ? w->nativeId : 0;
}

int SdlBackend::scale(WindowId window) const {
    const Window* w = find(window);
    return w != nullptr ? w->scale : 1;
}

}  // namespace vxr::platform
