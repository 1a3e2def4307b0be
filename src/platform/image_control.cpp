#include "platform/image_control.h"

#include <utility>

#include "platform/paint_helpers.h"

namespace vxr::platform {

Image::Image(Container& parent, std::string name) : Control(parent, std::move(name)) {}

void Image::setPicture(Picture picture) {
    if (!owning_ && picture == picture_) return;
    picture_ = std::move(picture);
    owning_ = false;
    own_ = Bitmap();
    invalidate();
}

const Bitmap* Image::bitmap() const {
    if (owning_) return &own_;
    return picture_.get();
}

void Image::fitToPicture() {
    if (const Bitmap* shown = bitmap()) setSize(shown->width(), shown->height());
}

void Image::showAt(Picture picture, int left, int top) {
    setPicture(std::move(picture));
    fitToPicture();
    setPosition(left, top);
    show();
}

Canvas& Image::canvas() {
    if (!owning_) makeOwnBitmap();
    if (!canvas_) canvas_ = std::make_unique<Canvas>(own_);
    invalidate();
    return *canvas_;
}

// Copy on write: drawing never touches a shared picture.
void Image::makeOwnBitmap() {
    own_ = picture_ != nullptr ? *picture_ : Bitmap(width(), height(), colors::white);
    picture_.reset();
    owning_ = true;
}

void Image::boundsChanged(Rect old) {
    if (owning_ && (old.width() != width() || old.height() != height())) own_.resize(width(), height(), colors::white);
}

void Image::paint(const PaintTarget& target) {
    if (const Bitmap* shown = bitmap()) blit(target.frame, target.origin, *shown, target.clip);
}

}  // namespace vxr::platform
