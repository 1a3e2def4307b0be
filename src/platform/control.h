#pragma once
// The base of the window's controls. A control is placed by pixel
// coordinates inside its parent (the form or a scroll box), has a name, a
// tag, a visibility and a place in its parent's z-order (later created is in
// front), and handler slots for the pointer and the keyboard.
//
// A control registers with its parent when it is constructed and leaves when
// it is destroyed, so whoever owns a control (usually the window class that
// names it) may free it at any time, also from inside one of its own
// handlers: the form calls handlers through copies and looks controls up by
// id afterwards, never through a pointer kept across a handler call.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/bitmap.h"
#include "platform/geometry.h"
#include "platform/input_event.h"
#include "platform/keys.h"

namespace vxr::platform {

class Control;
class Form;

// Ids are never reused, so an id held across a handler call either finds
// the same control or nothing.
using ControlId = std::uint64_t;

using NotifyHandler = std::function<void(Control& sender)>;
using MouseMoveHandler = std::function<void(Control& sender, ShiftState shift, int x, int y)>;
// Setting `key` to 0 marks the key handled: it then produces no key press.
using KeyHandler = std::function<void(Control& sender, int& key, ShiftState shift)>;
// Setting `character` to 0 discards it.
using KeyPressHandler = std::function<void(Control& sender, char32_t& character)>;

// Where a control draws: the frame, where the control's (0, 0) lands in it,
// and the part of the frame it may touch.
struct PaintTarget {
    Bitmap& frame;
    Point origin;
    Rect clip;
};

// Holds controls in z-order, the first at the back.
class Container {
public:
    Container() = default;
    virtual ~Container();
    Container(const Container&) = delete;
    Container& operator=(const Container&) = delete;

    const std::vector<Control*>& children() const { return children_; }
    virtual Form* containerForm() = 0;
    // The container as a control (a scroll box), or nullptr for the form.
    virtual Control* containerControl() { return nullptr; }
    // Where a child at (0, 0) lands, relative to the container's own corner,
    // and the part of the container that children may cover.
    virtual Point contentOffset() const { return {}; }
    virtual Rect contentArea() const = 0;

protected:
    // Paints the visible children in z-order inside `clip`, with the
    // container's own corner at `origin`.
    void paintChildren(Bitmap& frame, Point origin, Rect clip) const;
    // A child appeared, vanished, moved or changed size.
    virtual void childLayoutChanged() {}

private:
    friend class Control;
    void adopt(Control& child);
    void release(Control& child);
    void raise(Control& child);
    void lower(Control& child);

    std::vector<Control*> children_;
};

class Control {
public:
    Control(Container& parent, std::string name);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    ControlId id() const { return id_; }
    const std::string& name() const { return name_; }
    Form* form() const { return form_; }
    Container* parent() const { return parent_; }

    int left() const { return bounds_.left; }
    int top() const { return bounds_.top; }
    int width() const { return bounds_.width(); }
    int height() const { return bounds_.height(); }
    // In the parent's coordinates.
    Rect bounds() const { return bounds_; }
    void setLeft(int left) { setBounds(left, top(), width(), height()); }
    void setTop(int top) { setBounds(left(), top, width(), height()); }
    void setWidth(int width) { setBounds(left(), top(), width, height()); }
    void setHeight(int height) { setBounds(left(), top(), width(), height); }
    void setPosition(int left, int top) { setBounds(left, top, width(), height()); }
    void setSize(int width, int height) { setBounds(left(), top(), width, height); }
    void setBounds(int left, int top, int width, int height);

    bool visible() const { return visible_; }
    void setVisible(bool visible);
    void show() { setVisible(true); }
    void hide() { setVisible(false); }
    // Visible, and so are all its parents up to the form.
    bool showing() const;

    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }

    void bringToFront();
    void sendToBack();

    // A control that passes pointer moves lets them through to the control
    // below it while still taking clicks (the menu highlights).
    bool passesMouseMoves() const { return passesMouseMoves_; }
    void setPassesMouseMoves(bool passes) { passesMouseMoves_ = passes; }

    virtual bool canFocus() const { return false; }
    bool focused() const;
    // Gives this control the keyboard focus; ignored when it cannot take it.
    void setFocus();

    // The frame must be composed again because this control changed.
    void invalidate();

    // The control and the part of the frame it covers, in form coordinates.
    Point formOrigin() const;
    Rect formClip() const;

    MouseMoveHandler onMouseMove;
    NotifyHandler onClick;
    // The second press and release of a double click, which is no click.
    NotifyHandler onDoubleClick;
    KeyHandler onKeyDown;
    KeyPressHandler onKeyPress;
    KeyHandler onKeyUp;
    NotifyHandler onExit;

protected:
    virtual void paint(const PaintTarget& target) = 0;
    virtual void boundsChanged(Rect /*old*/) {}

    // Built-in behaviour, run by the form before the handlers. Returning
    // true from mousePressed takes the pointer until the button is released
    // (scroll bar dragging); such a control then gets every move.
    virtual bool mousePressed(Point /*local*/, MouseButton /*button*/) { return false; }
    virtual void mouseDragged(Point /*local*/) {}
    virtual bool mouseWheeled(int /*notches*/) { return false; }
    virtual void keyDefault(int /*key*/, ShiftState /*shift*/) {}
    virtual void characterDefault(char32_t /*character*/) {}
    virtual void focusChanged() {}

private:
    friend class Container;
    friend class Form;

    ControlId id_;
    std::string name_;
    Container* parent_;
    Form* form_;
    Rect bounds_;
    bool visible_ = true;
    bool passesMouseMoves_ = false;
    int tag_ = 0;
};

}  // namespace vxr::platform
