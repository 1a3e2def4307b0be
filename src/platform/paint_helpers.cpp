#include "platform/paint_helpers.h"

#include <algorithm>

namespace vxr::platform {
namespace {

// A one-pixel frame: top and left in `topLeft`, bottom and right in
// `bottomRight`.
void drawFrame(Bitmap& target, const Rect& r, Color topLeft, Color bottomRight) {
    if (r.empty()) return;
    target.fill({r.left, r.top, r.right, r.top + 1}, topLeft);
    target.fill({r.left, r.top, r.left + 1, r.bottom}, topLeft);
    target.fill({r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
    target.fill({r.right - 1, r.top, r.right, r.bottom}, bottomRight);
}

Rect inset(const Rect& r, int by) { return {r.left + by, r.top + by, r.right - by, r.bottom - by}; }

}  // namespace

void blit(Bitmap& frame, Point at, const Bitmap& picture, const Rect& clip) {
    const Rect placed{at.x, at.y, at.x + picture.width(), at.y + picture.height()};
    const Rect visible = placed.intersected(clip).intersected(frame.bounds());
    if (visible.empty()) return;
    for (int y = visible.top; y < visible.bottom; ++y) {
        const Color* source = picture.row(y - at.y) + (visible.left - at.x);
        std::copy_n(source, visible.width(), frame.row(y) + visible.left);
    }
}

void drawRaisedEdge(Bitmap& target, const Rect& area) {
    drawFrame(target, area, kEdgeHighlight, kEdgeDarkShadow);
    drawFrame(target, inset(area, 1), kEdgeLight, kEdgeShadow);
}

void drawSunkenEdge(Bitmap& target, const Rect& area) {
    drawFrame(target, area, kEdgeShadow, kEdgeHighlight);
    drawFrame(target, inset(area, 1), kEdgeDarkShadow, kEdgeLight);
}

}  // namespace vxr::platform
