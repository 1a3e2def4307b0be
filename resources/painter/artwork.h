#pragma once
// The maker's mark and the progress screen's mascot, drawn from smooth
// shapes: each pixel is sampled 4 x 4 times and blended by its coverage, as
// the artwork of the period was (the rest of the screens stay bilevel).

#include <functional>

#include "look.h"

namespace vxr::painter {

// A shape as a test of a point in picture coordinates (pixel centres at .5).
using Shape = std::function<bool(double x, double y)>;

// Blends `color` over every pixel of `bounds` by the share of its samples
// that lie inside `shape`.
void fillShape(Bitmap& picture, const Rect& bounds, Color color, const Shape& shape);

Shape disc(double cx, double cy, double radius);
Shape ring(double cx, double cy, double inner, double outer);
Shape segment(double x0, double y0, double x1, double y1, double width);
Shape roundedBox(double left, double top, double right, double bottom, double radius);

// The Korvanta mark: a blue platter crossed by a white V, `size` pixels square.
void makerLogo(Bitmap& picture, int x, int y, int size);

// The word "KORVANTA" beside or under the mark, in the mark's colours.
void makerWordmark(Canvas& canvas, int x, int y, int points, Color color);

// Vexor's mascot, a little drive-robot carrying a disc: 110 x 112 pixels
// from (x, y).
void mascot(Bitmap& picture, int x, int y);

}  // namespace vxr::painter
