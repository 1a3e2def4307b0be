#include "platform/label.h"

#include "platform/canvas.h"
#include "platform/paint_helpers.h"

namespace vxr::platform {

Label::Label(Container& parent, std::string name) : Control(parent, std::move(name)) { adjustSize(); }

void Label::setCaption(std::string caption) {
    if (caption == caption_) return;
    caption_ = std::move(caption);
    stale_ = true;
    invalidate();
    adjustSize();
}

void Label::setFont(const Font& font) {
    font_ = font;
    stale_ = true;
    invalidate();
    adjustSize();
}

void Label::setColor(Color color) {
    if (color == color_) return;
    color_ = color;
    stale_ = true;
    invalidate();
}

void Label::setTransparent(bool transparent) {
    if (transparent == transparent_) return;
    transparent_ = transparent;
    stale_ = true;
    invalidate();
}

void Label::setAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    adjustSize();
}

void Label::adjustSize() {
    if (!autoSize_) return;
    Bitmap scratch;
    Canvas measure(scratch);
    measure.font() = font_;
    setSize(measure.textWidth(caption_), measure.textHeight(caption_));
}

void Label::boundsChanged(Rect old) {
    if (old.width() != width() || old.height() != height()) stale_ = true;
}

// Draws the text once into a bitmap of the label's size; a transparent
// label draws white ink on black to learn which pixels the text covers.
void Label::render() {
    rendered_ = Bitmap(width(), height(), transparent_ ? colors::black : color_);
    Canvas canvas(rendered_);
    canvas.font() = font_;
    if (transparent_) canvas.font().color = colors::white;
    canvas.brush().style = BrushStyle::Clear;
    canvas.textOut(0, 0, caption_);
    ink_.clear();
    if (transparent_) {
        ink_.reserve(rendered_.pixels().size());
        for (Color c : rendered_.pixels()) ink_.push_back(c != colors::black);
    }
    stale_ = false;
}

void Label::paint(const PaintTarget& target) {
    if (stale_) render();
    if (!transparent_) {
        blit(target.frame, target.origin, rendered_, target.clip);
        return;
    }
    for (int y = target.clip.top; y < target.clip.bottom; ++y) {
        Color* line = target.frame.row(y);
        const std::size_t rowStart = static_cast<std::size_t>(y - target.origin.y) * static_cast<std::size_t>(width());
        for (int x = target.clip.left; x < target.clip.right; ++x) {
            if (ink_[rowStart + static_cast<std::size_t>(x - target.origin.x)]) line[x] = font_.color;
        }
    }
}

}  // namespace vxr::platform
