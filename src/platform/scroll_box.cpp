#include "platform/scroll_box.h"

#include <algorithm>

namespace vxr::platform {
namespace {

constexpr int kMinimumThumb = 8;
constexpr Color kArrowColor = colors::black;

Rect shifted(const Rect& r, Point by) { return {r.left + by.x, r.top + by.y, r.right + by.x, r.bottom + by.y}; }

// A raised button face, clipped.
void paintButton(Bitmap& frame, const Rect& area, const Rect& clip) {
    if (area.intersected(clip).empty()) return;
    Bitmap button(area.width(), area.height(), kButtonFace);
    drawRaisedEdge(button, button.bounds());
    blit(frame, {area.left, area.top}, button, clip);
}

// A small solid triangle pointing up or down, centred in `area`.
void paintArrow(Bitmap& frame, const Rect& area, bool up, const Rect& clip) {
    constexpr int kRows = 4;
    const int centreX = area.left + area.width() / 2;
    const int top = area.top + (area.height() - kRows) / 2;
    for (int i = 0; i < kRows; ++i) {
        const int half = up ? i : kRows - 1 - i;
        frame.fill(Rect{centreX - half, top + i, centreX + half + 1, top + i + 1}.intersected(clip), kArrowColor);
    }
}

}  // namespace

ScrollBox::ScrollBox(Container& parent, std::string name) : Control(parent, std::move(name)) {}

int ScrollBox::range() const {
    int bottom = 0;
    for (const Control* child : children()) {
        if (child->visible()) bottom = std::max(bottom, child->bounds().bottom);
    }
    return bottom;
}

int ScrollBox::maxScroll() const { return std::max(0, range() - height()); }

void ScrollBox::setScrollTop(int position) { scrollTo(position); }

void ScrollBox::scrollBy(std::int64_t delta) { scrollTo(scrollTop_ + delta); }

// Positions are taken wide: a huge wheel turn or a thumb dragged far off the
// screen scrolls to an end instead of wrapping around.
void ScrollBox::scrollTo(std::int64_t position) {
    const int clamped = static_cast<int>(std::clamp<std::int64_t>(position, 0, maxScroll()));
    if (clamped == scrollTop_) return;
    scrollTop_ = clamped;
    invalidate();
}

void ScrollBox::setColor(Color color) {
    color_ = color;
    invalidate();
}

void ScrollBox::setScrollBarColor(Color color) {
    scrollBarColor_ = color;
    invalidate();
}

Rect ScrollBox::contentArea() const { return {0, 0, width() - (scrollBarShown() ? kScrollBarWidth : 0), height()}; }

void ScrollBox::boundsChanged(Rect) { setScrollTop(scrollTop_); }

void ScrollBox::childLayoutChanged() {
    setScrollTop(scrollTop_);
    invalidate();
}

ScrollBox::BarLayout ScrollBox::barLayout() const {
    const int w = width();
    const int h = height();
    const int arrow = std::min(kScrollBarWidth, h / 2);
    BarLayout layout;
    layout.bar = {w - kScrollBarWidth, 0, w, h};
    layout.upArrow = {w - kScrollBarWidth, 0, w, arrow};
    layout.downArrow = {w - kScrollBarWidth, h - arrow, w, h};
    layout.track = {w - kScrollBarWidth, arrow, w, h - arrow};
    const int trackLength = layout.track.height();
    const int thumbLength =
        std::clamp(trackLength * h / std::max(1, range()), std::min(kMinimumThumb, trackLength), trackLength);
    const int travel = trackLength - thumbLength;
    const int thumbTop = layout.track.top + (maxScroll() > 0 ? travel * scrollTop_ / maxScroll() : 0);
    layout.thumb = {w - kScrollBarWidth, thumbTop, w, thumbTop + thumbLength};
    return layout;
}

void ScrollBox::paint(const PaintTarget& target) {
    target.frame.fill(target.clip, color_);
    paintChildren(target.frame, target.origin, target.clip);
    if (scrollBarShown()) paintScrollBar(target);
}

void ScrollBox::paintScrollBar(const PaintTarget& target) const {
    const BarLayout layout = barLayout();
    const Point o = target.origin;
    target.frame.fill(shifted(layout.track, o).intersected(target.clip), scrollBarColor_);
    paintButton(target.frame, shifted(layout.upArrow, o), target.clip);
    paintButton(target.frame, shifted(layout.downArrow, o), target.clip);
    paintButton(target.frame, shifted(layout.thumb, o), target.clip);
    paintArrow(target.frame, shifted(layout.upArrow, o), true, target.clip);
    paintArrow(target.frame, shifted(layout.downArrow, o), false, target.clip);
}

bool ScrollBox::mousePressed(Point local, MouseButton button) {
    if (button != MouseButton::Left || !scrollBarShown()) return false;
    const BarLayout layout = barLayout();
    if (!layout.bar.contains(local)) return false;
    if (layout.upArrow.contains(local)) {
        scrollBy(-kLineStep);
    } else if (layout.downArrow.contains(local)) {
        scrollBy(kLineStep);
    } else if (layout.thumb.contains(local)) {
        dragStartY_ = local.y;
        dragStartTop_ = scrollTop_;
        return true;
    } else {
        scrollBy(local.y < layout.thumb.top ? -height() : height());
    }
    return false;
}

// The thumb follows the pointer; its travel spans the whole scroll range.
void ScrollBox::mouseDragged(Point local) {
    const BarLayout layout = barLayout();
    const int travel = layout.track.height() - layout.thumb.height();
    if (travel <= 0) return;
    const std::int64_t moved = std::int64_t{local.y} - dragStartY_;
    scrollTo(dragStartTop_ + moved * maxScroll() / travel);
}

bool ScrollBox::mouseWheeled(int notches) {
    if (!scrollBarShown()) return false;
    scrollBy(-std::int64_t{notches} * kWheelStep);
    return true;
}

}  // namespace vxr::platform
