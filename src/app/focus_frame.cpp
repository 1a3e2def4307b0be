#include "app/focus_frame.h"

#include "app/tform1.h"
#include "layout/focus_frame_rects.h"
#include "platform/indexing.h"

namespace vxr::app {

using layout::dialogFrameRect;
using layout::optionsFrameRect;

void FocusFrame::hide() {
    for (int i = 1; i <= 4; ++i) cell(w_.BAR, i)->hide();
}

// Left, top, right and bottom sides, each a line of the frame colour drawn
// on the bar's own surface.
void FocusFrame::place(const layout::InclusiveRect& r, platform::Color color) {
    struct Side {
        int left, top, width, height;
    };
    const int width = r.right - r.left + 1, height = r.bottom - r.top + 1;
    const Side sides[5] = {{},
                           {r.left, r.top, 1, height},
                           {r.left, r.top, width, 1},
                           {r.right, r.top, 1, height},
                           {r.left, r.bottom, width, 1}};
    for (int i = 1; i <= 4; ++i) {
        platform::Image& bar = *cell(w_.BAR, i);
        const Side& s = sides[i];
        bar.setBounds(s.left, s.top, s.width, s.height);
        platform::Canvas& canvas = bar.canvas();
        canvas.pen().color = color;
        canvas.moveTo(0, 0);
        if (i == 1 || i == 3) {
            canvas.lineTo(0, bar.height() - 1);
        } else {
            canvas.lineTo(bar.width() - 1, 0);
        }
        // The line leaves out its end point; the bar's last pixel is part of
        // the frame's corner and is filled like the rest.
        canvas.bitmap().setPixel(bar.width() - 1, bar.height() - 1, color);
        bar.show();
        bar.bringToFront();
    }
}

void FocusFrame::DrawFocusFrame(int dialogNo, int style) {
    const layout::InclusiveRect* rect = dialogFrameRect(dialogNo);
    if (rect == nullptr || style == kFrameHidden) {
        hide();
        return;
    }
    place(*rect, style == kFrameGrey ? kGreyFrame : kWhiteFrame);
}

void FocusFrame::DrawOptionFocus(bool show) {
    if (w_.ui.SubItem == 0) return;
    if (!show) {
        hide();
        return;
    }
    place(optionsFrameRect(w_.ui.SubItem, w_.ui.FieldPos), kOptionsFrame);
}

}  // namespace vxr::app
