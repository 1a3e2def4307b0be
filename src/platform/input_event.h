#pragma once
// Input as a backend delivers it: pointer events in a window's client
// coordinates, keys as virtual-key numbers with the characters they type,
// and the window manager's close request.

#include <string>

#include "platform/geometry.h"
#include "platform/keys.h"

namespace vxr::platform {

// Windows are numbered by their backend from 1. Events that name no window
// go to the active one: the open message box, else the main window.
using WindowId = int;
inline constexpr WindowId kActiveWindow = 0;

enum class EventType { MouseMove, MouseDown, MouseUp, MouseWheel, KeyDown, KeyUp, CloseRequest };

enum class MouseButton { Left, Right, Middle };

struct InputEvent {
    EventType type = EventType::MouseMove;
    WindowId window = kActiveWindow;
    Point position;  // pointer events, client coordinates
    MouseButton button = MouseButton::Left;
    int clicks = 1;    // a press: 2 for the second press of a double click
    int wheel = 0;     // notches; positive scrolls up
    int key = 0;       // virtual-key number
    std::string text;  // UTF-8 characters a key down types
    ShiftState shift;

    static InputEvent pointer(EventType type, Point p, MouseButton button, ShiftState shift) {
        InputEvent event;
        event.type = type;
        event.position = p;
        event.button = button;
        event.shift = shift;
        return event;
    }
    static InputEvent mouseMove(Point p, ShiftState shift = {}) {
        return pointer(EventType::MouseMove, p, MouseButton::Left, shift);
    }
    static InputEvent mouseDown(Point p, MouseButton button = MouseButton::Left, ShiftState shift = {}) {
        return pointer(EventType::MouseDown, p, button, shift);
    }
    static InputEvent doubleClickPress(Point p) {
        InputEvent event = mouseDown(p);
        event.clicks = 2;
        return event;
    }
    static InputEvent mouseUp(Point p, MouseButton button = MouseButton::Left, ShiftState shift = {}) {
        return pointer(EventType::MouseUp, p, button, shift);
    }
    static InputEvent mouseWheel(Point p, int notches) {
        InputEvent event = pointer(EventType::MouseWheel, p, MouseButton::Left, {});
        event.wheel = notches;
        return event;
    }
    static InputEvent keyboard(EventType type, int key, std::string text, ShiftState shift) {
        InputEvent event;
        event.type = type;
        event.key = key;
        event.text = std::move(text);
        event.shift = shift;
        return event;
    }
    static InputEvent keyDown(int key, std::string text = {}, ShiftState shift = {}) {
        return keyboard(EventType::KeyDown, key, std::move(text), shift);
    }
    static InputEvent keyUp(int key, ShiftState shift = {}) { return keyboard(EventType::KeyUp, key, {}, shift); }
    static InputEvent closeRequest() {
        InputEvent event;
        event.type = EventType::CloseRequest;
        return event;
    }
};

}  // namespace vxr::platform
