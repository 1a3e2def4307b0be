#pragma once
// A scrolled area holding several children, of which the program shows one
// at a time (the file list or the help page). The vertical range is the
// bottom edge of the lowest visible child; the scroll position stays within
// 0 .. range - height. A vertical scroll bar on the right, its track in a
// colour of the program's choice, appears while the range exceeds the
// height; its arrows, track and thumb respond to the left button, and the
// mouse wheel scrolls the box.

#include <cstdint>

#include "platform/control.h"
#include "platform/paint_helpers.h"

namespace vxr::platform {

class ScrollBox : public Control, public Container {
public:
    static constexpr int kScrollBarWidth = 16;
    static constexpr int kLineStep = 12;
    static constexpr int kWheelStep = 3 * kLineStep;

    ScrollBox(Container& parent, std::string name);

    int range() const;
    int maxScroll() const;
    int scrollTop() const { return scrollTop_; }
    void setScrollTop(int position);
    void scrollBy(std::int64_t delta);
    bool scrollBarShown() const { return range() > height(); }

    Color color() const { return color_; }
    void setColor(Color color);
    Color scrollBarColor() const { return scrollBarColor_; }
    void setScrollBarColor(Color color);

    Form* containerForm() override { return form(); }
    Control* containerControl() override { return this; }
    Point contentOffset() const override { return {0, -scrollTop_}; }
    Rect contentArea() const override;

protected:
    void paint(const PaintTarget& target) override;
    void boundsChanged(Rect old) override;
    void childLayoutChanged() override;
    bool mousePressed(Point local, MouseButton button) override;
    void mouseDragged(Point local) override;
    bool mouseWheeled(int notches) override;

private:
    // The scroll bar's parts, in the box's coordinates.
    struct BarLayout {
        Rect bar, upArrow, downArrow, track, thumb;
    };
    BarLayout barLayout() const;
    void scrollTo(std::int64_t position);
    void paintScrollBar(const PaintTarget& target) const;

    int scrollTop_ = 0;
    Color color_ = kButtonFace;
    Color scrollBarColor_ = kButtonFace;
    // While the thumb is dragged: where the pointer took it, and the
    // position then.
    int dragStartY_ = 0;
    int dragStartTop_ = 0;
};

}  // namespace vxr::platform
