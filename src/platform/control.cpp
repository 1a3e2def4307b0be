#include "platform/control.h"

#include <algorithm>

#include "platform/form.h"

namespace vxr::platform {
namespace {

ControlId nextControlId() {
    static ControlId last = 0;
    return ++last;
}

}  // namespace

// Children outliving their container are orphaned: they stay registered
// with the form but are no longer shown or hit.
Container::~Container() {
    for (Control* child : children_) child->parent_ = nullptr;
}

void Container::adopt(Control& child) { children_.push_back(&child); }

void Container::release(Control& child) { std::erase(children_, &child); }

void Container::raise(Control& child) {
    release(child);
    children_.push_back(&child);
}

void Container::lower(Control& child) {
    release(child);
    children_.insert(children_.begin(), &child);
}

void Container::paintChildren(Bitmap& frame, Point origin, Rect clip) const {
    const Point contentOrigin = origin + contentOffset();
    const Rect area = contentArea();
    const Rect contentClip =
        clip.intersected({origin.x + area.left, origin.y + area.top, origin.x + area.right, origin.y + area.bottom});
    for (Control* child : children_) {
        if (!child->visible()) continue;
        const Point childOrigin = contentOrigin + Point{child->left(), child->top()};
        const Rect childClip = contentClip.intersected(
            {childOrigin.x, childOrigin.y, childOrigin.x + child->width(), childOrigin.y + child->height()});
        if (childClip.empty()) continue;
        child->paint({frame, childOrigin, childClip});
    }
}

Control::Control(Container& parent, std::string name)
    : id_(nextControlId()), name_(std::move(name)), parent_(&parent), form_(parent.containerForm()) {
    parent_->adopt(*this);
    if (form_ != nullptr) form_->registerControl(*this);
}

Control::~Control() {
    const bool wasShowing = showing();
    if (parent_ != nullptr) {
        parent_->release(*this);
        if (wasShowing) parent_->childLayoutChanged();
    }
    if (form_ != nullptr) {
        form_->unregisterControl(*this);
        if (wasShowing) form_->markChanged();
    }
}

void Control::setBounds(int left, int top, int width, int height) {
    const Rect old = bounds_;
    const Rect next{left, top, left + std::max(0, width), top + std::max(0, height)};
    if (next == old) return;
    invalidate();
    bounds_ = next;
    boundsChanged(old);
    invalidate();
    if (visible_ && parent_ != nullptr) parent_->childLayoutChanged();
}

void Control::setVisible(bool visible) {
    if (visible == visible_) return;
    invalidate();
    visible_ = visible;
    invalidate();
    if (parent_ != nullptr) parent_->childLayoutChanged();
    // A hidden control cannot keep the focus; it passes to the form.
    if (!visible && form_ != nullptr) {
        const Control* focus = form_->focusedControl();
        if (focus != nullptr && !focus->showing()) form_->setFocus(nullptr);
    }
}

bool Control::showing() const {
    if (!visible_ || parent_ == nullptr) return false;
    const Control* parentControl = parent_->containerControl();
    return parentControl == nullptr || parentControl->showing();
}

void Control::bringToFront() {
    if (parent_ == nullptr) return;
    parent_->raise(*this);
    invalidate();
}

void Control::sendToBack() {
    if (parent_ == nullptr) return;
    parent_->lower(*this);
    invalidate();
}

bool Control::focused() const { return form_ != nullptr && form_->focusedControl() == this; }

void Control::setFocus() {
    if (form_ != nullptr) form_->setFocus(this);
}

void Control::invalidate() {
    if (form_ != nullptr && showing()) form_->markChanged();
}

Point Control::formOrigin() const {
    if (parent_ == nullptr) return {left(), top()};
    const Control* parentControl = parent_->containerControl();
    const Point parentOrigin = parentControl != nullptr ? parentControl->formOrigin() : Point{};
    return parentOrigin + parent_->contentOffset() + Point{left(), top()};
}

Rect Control::formClip() const {
    const Point origin = formOrigin();
    const Rect own{origin.x, origin.y, origin.x + width(), origin.y + height()};
    if (parent_ == nullptr) return own;
    const Control* parentControl = parent_->containerControl();
    const Point parentOrigin = parentControl != nullptr ? parentControl->formOrigin() : Point{};
    const Rect area = parent_->contentArea();
    Rect clip = own.intersected({parentOrigin.x + area.left, parentOrigin.y + area.top, parentOrigin.x + area.right,
                                 parentOrigin.y + area.bottom});
    if (parentControl != nullptr) clip = clip.intersected(parentControl->formClip());
    return clip;
}

}  // namespace vxr::platform
