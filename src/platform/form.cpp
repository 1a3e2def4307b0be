#include "platform/form.h"

#include <stdexcept>

#include "platform/text.h"

namespace vxr::platform {
namespace {

// The topmost showing control at `p` among the children of `container`,
// whose own corner is at `origin` and which may be seen inside `clip`.
Form::Hit hitIn(const Container& container, Point p, Point origin, Rect clip, bool forMove) {
    const Point contentOrigin = origin + container.contentOffset();
    const Rect area = container.contentArea();
    const Rect contentClip =
        clip.intersected({origin.x + area.left, origin.y + area.top, origin.x + area.right, origin.y + area.bottom});
    const auto& children = container.children();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        Control* child = *it;
        if (!child->visible()) continue;
        const Point childOrigin = contentOrigin + Point{child->left(), child->top()};
        const Rect childClip = contentClip.intersected(
            {childOrigin.x, childOrigin.y, childOrigin.x + child->width(), childOrigin.y + child->height()});
        if (!childClip.contains(p)) continue;
        if (const auto* inner = dynamic_cast<const Container*>(child)) {
            const Form::Hit hit = hitIn(*inner, p, childOrigin, childClip, forMove);
            if (hit.control != nullptr) return hit;
        }
        if (forMove && child->passesMouseMoves()) continue;
        return {child, p - childOrigin};
    }
    return {};
}

}  // namespace

Form::Form(std::string caption, int clientWidth, int clientHeight)
    : caption_(std::move(caption)), frame_(clientWidth, clientHeight, color_) {}

// Controls outliving the form keep working as plain objects.
Form::~Form() {
    for (auto& [id, control] : controls_) control->form_ = nullptr;
}

void Form::setClientSize(int width, int height) {
    if (width == clientWidth() && height == clientHeight()) return;
    frame_ = Bitmap(width, height, color_);
    markChanged();
}

void Form::setColor(Color color) {
    color_ = color;
    markChanged();
}

void Form::registerControl(Control& control) { controls_[control.id()] = &control; }

void Form::unregisterControl(Control& control) {
    controls_.erase(control.id());
    if (focused_ == control.id()) focused_ = 0;
}

Control* Form::find(ControlId id) const {
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}

Control* Form::findControl(std::string_view name) const {
    Control* first = nullptr;
    for (const auto& [id, control] : controls_) {
        if (control->name() == name && (first == nullptr || id < first->id())) first = control;
    }
    return first;
}

void Form::setFocus(Control* control) {
    if (control != nullptr && !control->canFocus())
        throw std::logic_error("control " + control->name() + " cannot take the focus");
    if (control != nullptr && !control->showing())
        throw std::logic_error("cannot focus the hidden control " + control->name());
    const ControlId next = control != nullptr ? control->id() : 0;
    if (next == focused_) return;
    const ControlId previous = focused_;
    focused_ = next;
    if (control != nullptr) control->focusChanged();
    Control* old = find(previous);
    if (old == nullptr) return;
    old->focusChanged();
    const NotifyHandler onExit = old->onExit;
    if (onExit) onExit(*old);
}

Form::Hit Form::controlAt(Point p, bool forMove) const { return hitIn(*this, p, {}, frame_.bounds(), forMove); }

bool Form::composeIfChanged() {
    if (!changed_) return false;
    compose();
    return true;
}

void Form::compose() {
    frame_.fill(frame_.bounds(), color_);
    paintChildren(frame_, {}, frame_.bounds());
    changed_ = false;
}

void Form::dispatch(const InputEvent& event) {
    switch (event.type) {
        case EventType::MouseMove: dispatchMouseMove(event); break;
        case EventType::MouseDown: dispatchMouseDown(event); break;
        case EventType::MouseUp: dispatchMouseUp(event); break;
        case EventType::MouseWheel: dispatchWheel(event); break;
        case EventType::KeyDown: dispatchKeyDown(event); break;
        case EventType::KeyUp: dispatchKeyUp(event); break;
        case EventType::CloseRequest: {
            const auto handler = onCloseRequest;
            if (handler) handler();
            break;
        }
    }
}

void Form::deliverMouseMove(ControlId id, Point local, ShiftState shift) {
    Control* control = find(id);
    if (control == nullptr) return;
    const MouseMoveHandler handler = control->onMouseMove;
    if (handler) handler(*control, shift, local.x, local.y);
}

void Form::dispatchMouseMove(const InputEvent& event) {
    if (pressedCaptures_) {
        if (Control* captor = find(pressed_)) captor->mouseDragged(event.position - captor->formOrigin());
        return;
    }
    const Hit hit = controlAt(event.position, true);
    if (hit.control != nullptr) deliverMouseMove(hit.control->id(), hit.local, event.shift);
    hoverPoint_ = event.position;
    const Hit pressTarget = controlAt(event.position, false);
    hoverPressTarget_ = pressTarget.control != nullptr ? pressTarget.control->id() : 0;
    hoverStale_ = false;
}

// The hover handlers have seen the pointer at `p` with the controls as they
// stand now.
bool Form::hoverIsCurrent(Point p) const {
    if (hoverStale_ || !(hoverPoint_ == p)) return false;
    const Hit hit = controlAt(p, false);
    return (hit.control != nullptr ? hit.control->id() : 0) == hoverPressTarget_;
}

// Pressing on a control that can take the focus gives it the focus first,
// as clicking into an edit does.
void Form::dispatchMouseDown(const InputEvent& event) {
    if (event.button != MouseButton::Left) return;
    pressedTwice_ = event.clicks % 2 == 0;
    // A dialog opened under a resting pointer, or a key that moved a
    // highlight away from it: the press acts on what is under it now.
    if (!pressedTwice_ && !hoverIsCurrent(event.position)) {
        InputEvent move = InputEvent::mouseMove(event.position, event.shift);
        dispatchMouseMove(move);
    }
    const Hit hit = controlAt(event.position, false);
    pressed_ = hit.control != nullptr ? hit.control->id() : 0;
    pressedCaptures_ = false;
    if (hit.control == nullptr) return;
    const ControlId id = hit.control->id();
    if (hit.control->canFocus()) setFocus(hit.control);
    if (Control* control = find(id)) pressedCaptures_ = control->mousePressed(hit.local, event.button);
}

void Form::dispatchMouseUp(const InputEvent& event) {
    if (event.button != MouseButton::Left) return;
    const ControlId id = pressed_;
    pressed_ = 0;
    pressedCaptures_ = false;
    Control* control = find(id);
    if (control == nullptr || !control->showing() || !control->formClip().contains(event.position)) return;
    const NotifyHandler handler = pressedTwice_ ? control->onDoubleClick : control->onClick;
    if (handler) handler(*control);
}

// The wheel goes to the innermost control under the pointer that scrolls.
void Form::dispatchWheel(const InputEvent& event) {
    const Hit hit = controlAt(event.position, false);
    for (Control* control = hit.control; control != nullptr;) {
        if (control->mouseWheeled(event.wheel)) return;
        Container* parent = control->parent();
        control = parent != nullptr ? parent->containerControl() : nullptr;
    }
}

// The form's own key-down handler: first with key preview, or alone when
// no control has the focus. Returns true when the key was handled.
bool Form::formKeyDown(int& key, ShiftState shift, bool hasTarget) {
    if (hasTarget && !keyPreview) return false;
    const auto handler = onKeyDown;
    if (handler) handler(key, shift);
    return key == 0;
}

// The characters a key types go to the control that had the focus when the
// key went down, even if a handler moved the focus meanwhile.
void Form::dispatchKeyDown(const InputEvent& event) {
    hoverStale_ = true;
    const ControlId target = focused_;
    // Characters without a key (from an input method) are key presses only.
    if (event.key != 0) {
        int key = event.key;
        if (formKeyDown(key, event.shift, target != 0)) return;
        if (Control* control = find(target)) {
            const KeyHandler handler = control->onKeyDown;
            if (handler) handler(*control, key, event.shift);
            if (key == 0) return;
            if (Control* still = find(target)) still->keyDefault(key, event.shift);
        }
    }
    for (char32_t character : decodeUtf8(event.text)) dispatchCharacter(target, character);
}

void Form::dispatchCharacter(ControlId target, char32_t character) {
    if (target == 0 || keyPreview) {
        const auto handler = onKeyPress;
        if (handler) handler(character);
        if (character == 0) return;
    }
    Control* control = find(target);
    if (control == nullptr) return;
    const KeyPressHandler handler = control->onKeyPress;
    if (handler) handler(*control, character);
    if (character == 0) return;
    if (Control* still = find(target)) still->characterDefault(character);
}

void Form::dispatchKeyUp(const InputEvent& event) {
    int key = event.key;
    const ControlId target = focused_;
    if (target == 0 || keyPreview) {
        const auto handler = onKeyUp;
        if (handler) handler(key, event.shift);
        if (key == 0) return;
    }
    Control* control = find(target);
    if (control == nullptr) return;
    const KeyHandler handler = control->onKeyUp;
    if (handler) handler(*control, key, event.shift);
}

}  // namespace vxr::platform
