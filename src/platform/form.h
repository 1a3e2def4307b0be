#pragma once
// The window's client area: its controls in z-order, the focused control,
// composition of the frame and the routing of input to controls.
//
// Routing follows the classic desktop rules. A pointer move goes to the
// topmost showing control under the pointer, in that control's coordinates,
// skipping controls that pass moves through. A click is a left-button press
// and release on the same control, wherever the pointer came from: a press
// where the controls under the pointer changed since the last move, or after
// a key, is preceded by a move there, so hover handlers see it first. The
// second press of a double click gives a double click, not a click. Keys go to the focused control; with
// keyPreview the form's own key handlers see each key first. A key-down
// handler that sets the key to 0 has handled it, and a handled key produces
// no key press. Tab and the arrows are keys like any other: focus moves only
// when the program moves it.
//
// Dispatch is re-entrant. Handlers may run nested message loops that
// dispatch further events, and may create, hide or free controls; the form
// keeps only control ids across handler calls and drops events whose control
// is gone.

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/bitmap.h"
#include "platform/control.h"
#include "platform/input_event.h"
#include "platform/paint_helpers.h"

namespace vxr::platform {

class Form : public Container {
public:
    explicit Form(std::string caption = {}, int clientWidth = 640, int clientHeight = 480);
    ~Form() override;

    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption) { caption_ = std::move(caption); }
    int clientWidth() const { return frame_.width(); }
    int clientHeight() const { return frame_.height(); }
    void setClientSize(int width, int height);
    Color color() const { return color_; }
    void setColor(Color color);

    // The focused control, or nullptr when keys reach only the form.
    Control* focusedControl() const { return find(focused_); }
    // Moves the focus (nullptr: to the form itself); the control that loses
    // it gets its exit event.
    void setFocus(Control* control);

    Control* find(ControlId id) const;
    // The first control of that name, in creation order.
    Control* findControl(std::string_view name) const;
    template <typename T>
    T* findAs(std::string_view name) const {
        return dynamic_cast<T*>(findControl(name));
    }

    // The topmost showing control at `p` (form coordinates) and `p` in its
    // coordinates; for moves, controls that pass moves are skipped.
    struct Hit {
        Control* control = nullptr;
        Point local;
    };
    Hit controlAt(Point p, bool forMove) const;

    // Composition: the frame is drawn again only after something changed.
    bool changed() const { return changed_; }
    void markChanged() { changed_ = true; }
    bool composeIfChanged();
    void compose();
    const Bitmap& frame() const { return frame_; }

    void dispatch(const InputEvent& event);

    bool keyPreview = false;
    std::function<void(int& key, ShiftState shift)> onKeyDown;
    std::function<void(char32_t& character)> onKeyPress;
    std::function<void(int& key, ShiftState shift)> onKeyUp;
    // The window manager's close button. Without a handler the application
    // ends.
    std::function<void()> onCloseRequest;

    Form* containerForm() override { return this; }
    Rect contentArea() const override { return frame_.bounds(); }

private:
    friend class Control;
    void registerControl(Control& control);
    void unregisterControl(Control& control);

    void dispatchMouseMove(const InputEvent& event);
    void dispatchMouseDown(const InputEvent& event);
    void dispatchMouseUp(const InputEvent& event);
    void dispatchWheel(const InputEvent& event);
    void dispatchKeyDown(const InputEvent& event);
    void dispatchKeyUp(const InputEvent& event);
    void dispatchCharacter(ControlId target, char32_t character);
    bool formKeyDown(int& key, ShiftState shift, bool hasTarget);
    void deliverMouseMove(ControlId id, Point local, ShiftState shift);
    bool hoverIsCurrent(Point p) const;

    std::string caption_;
    Color color_ = kButtonFace;
    Bitmap frame_;
    bool changed_ = true;
    std::unordered_map<ControlId, Control*> controls_;
    ControlId focused_ = 0;
    // The control the left button went down on, and whether it took the
    // pointer for dragging.
    ControlId pressed_ = 0;
    bool pressedCaptures_ = false;
    bool pressedTwice_ = false;
    // Where the last move was delivered, and what a press there would have
    // hit after it; a key since then makes it stale.
    Point hoverPoint_;
    ControlId hoverPressTarget_ = 0;
    bool hoverStale_ = true;
};

}  // namespace vxr::platform
