#pragma once
// A picture control. It shows either a shared picture by reference (the
// screen catalogue's pictures never change, so showing one costs nothing and
// a test can ask which picture is shown) or a bitmap of its own that the
// program draws on. The own bitmap is made on the first call of canvas(),
// as a copy of the shared picture or, without one, blank at the control's
// size; resizing the control then resizes it, keeping what was drawn.
//
// The picture is drawn at the control's top-left corner at its own size,
// clipped to the control; where it does not reach, what lies below shows.

#include <memory>

#include "platform/canvas.h"
#include "platform/control.h"

namespace vxr::platform {

using Picture = std::shared_ptr<const Bitmap>;

class Image : public Control {
public:
    Image(Container& parent, std::string name);

    // Shows `picture` by reference, dropping any own bitmap.
    void setPicture(Picture picture);
    // The shared picture shown; nullptr when the control shows its own
    // bitmap or nothing.
    const Picture& picture() const { return picture_; }
    bool shows(const Picture& picture) const { return picture_ != nullptr && picture_ == picture; }
    bool ownsBitmap() const { return owning_; }
    // What is drawn: the shared picture, the own bitmap, or nullptr.
    const Bitmap* bitmap() const;
    // Sizes the control to what it shows.
    void fitToPicture();
    // Shows `picture` with its top-left corner at (left, top), sized to it:
    // how the screens put up a menu, a dialog or a highlight.
    void showAt(Picture picture, int left, int top);

    // The canvas on the control's own bitmap, made on first use. Fetch it
    // for each piece of drawing: the call is what marks the control for
    // redrawing, so keep no reference to it across message processing.
    Canvas& canvas();

protected:
    void paint(const PaintTarget& target) override;
    void boundsChanged(Rect old) override;

private:
    void makeOwnBitmap();

    Picture picture_;
    Bitmap own_;
    bool owning_ = false;
    std::unique_ptr<Canvas> canvas_;
};

}  // namespace vxr::platform
