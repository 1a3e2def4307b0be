#include "artwork.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace vxr::painter {

namespace {

constexpr int kSamples = 4;

Color blend(Color under, Color over, double share) {
    const auto mix = [share](std::uint8_t a, std::uint8_t b) {
        return static_cast<std::uint8_t>(std::lround(a + (b - a) * share));
    };
    return {mix(under.r, over.r), mix(under.g, over.g), mix(under.b, over.b)};
}

double coverage(const Shape& shape, int px, int py) {
    int inside = 0;
    for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
            if (shape(px + (sx + 0.5) / kSamples, py + (sy + 0.5) / kSamples)) ++inside;
        }
    }
    return static_cast<double>(inside) / (kSamples * kSamples);
}

// Draws `shape` in `outline`, grown by one pixel through `grown`, then in
// `fill`: a dark edge round every part of the figures.
void outlined(Bitmap& picture, const Rect& bounds, Color fill, Color outline, const Shape& grown, const Shape& shape) {
    fillShape(picture, bounds, outline, grown);
    fillShape(picture, bounds, fill, shape);
}

}  // namespace

void fillShape(Bitmap& picture, const Rect& bounds, Color color, const Shape& shape) {
    for (int y = std::max(bounds.top, 0); y < std::min(bounds.bottom, picture.height()); ++y) {
        for (int x = std::max(bounds.left, 0); x < std::min(bounds.right, picture.width()); ++x) {
            const double share = coverage(shape, x, y);
            if (share > 0) picture.setPixel(x, y, blend(picture.pixel(x, y), color, share));
        }
    }
}

Shape disc(double cx, double cy, double radius) {
    return [=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius; };
}

Shape ring(double cx, double cy, double inner, double outer) {
    return [=](double x, double y) {
        const double d = (x - cx) * (x - cx) + (y - cy) * (y - cy);
        return d >= inner * inner && d <= outer * outer;
    };
}

Shape segment(double x0, double y0, double x1, double y1, double width) {
    return [=](double x, double y) {
        const double dx = x1 - x0, dy = y1 - y0;
        const double length2 = dx * dx + dy * dy;
        const double t = length2 == 0 ? 0 : std::clamp(((x - x0) * dx + (y - y0) * dy) / length2, 0.0, 1.0);
        const double ex = x - (x0 + t * dx), ey = y - (y0 + t * dy);
        return ex * ex + ey * ey <= width * width / 4;
    };
}

Shape roundedBox(double left, double top, double right, double bottom, double radius) {
    return [=](double x, double y) {
        if (x < left || x > right || y < top || y > bottom) return false;
        const double cx = std::clamp(x, left + radius, right - radius);
        const double cy = std::clamp(y, top + radius, bottom - radius);
        return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
    };
}

void makerLogo(Bitmap& picture, int x, int y, int size) {
    const double s = size, cx = x + s / 2, cy = y + s / 2;
    const Rect bounds{x, y, x + size, y + size};
    fillShape(picture, bounds, kShadow, disc(cx, cy, s * 0.49));
    fillShape(picture, bounds, pal(2), disc(cx, cy, s * 0.45));
    fillShape(picture, bounds, pal(3), ring(cx, cy, s * 0.33, s * 0.36));
    fillShape(picture, bounds, pal(3), ring(cx, cy, s * 0.20, s * 0.22));
    const double width = std::max(2.0, s * 0.13);
    const double topY = y + s * 0.20, tipY = y + s * 0.82;
    for (const Color color : {kShadow, kWhite}) {
        const double w = color == kShadow ? width + 2 : width;
        fillShape(picture, bounds, color, segment(x + s * 0.20, topY, cx, tipY, w));
        fillShape(picture, bounds, color, segment(x + s * 0.80, topY, cx, tipY, w));
    }
    fillShape(picture, bounds, kRed, disc(x + s * 0.80, y + s * 0.74, std::max(1.5, s * 0.07)));
}

void makerWordmark(Canvas& canvas, int x, int y, int points, Color color) {
    // Letters spaced out a little, as marks of the time were set.
    const int spacing = std::max(1, points / 4);
    for (const char letter : std::string("KORVANTA")) {
        const std::string glyph(1, letter);
        text(canvas, x, y, glyph, "Garamond", points, color, true);
        x += textWidth(canvas, glyph, "Garamond", points, true) + spacing;
    }
}

void mascot(Bitmap& picture, int x, int y) {
    const Rect bounds{x, y, x + 110, y + 112};
    const auto X = [x](double v) { return x + v; };
    const auto Y = [y](double v) { return y + v; };
    const Color metal{198, 195, 198}, screen{16, 32, 72}, eye{120, 220, 255}, led{40, 200, 60};
    // Antenna with its red tip.
    fillShape(picture, bounds, kShadow, segment(X(40), Y(6), X(44), Y(20), 3));
    outlined(picture, bounds, kRed, kShadow, disc(X(40), Y(6), 5), disc(X(40), Y(6), 4));
    // Legs, one striding forward, with their feet.
    outlined(picture, bounds, pal(6), kShadow, segment(X(36), Y(82), X(28), Y(102), 9),
             segment(X(36), Y(82), X(28), Y(102), 7));
    outlined(picture, bounds, pal(6), kShadow, segment(X(54), Y(82), X(64), Y(100), 9),
             segment(X(54), Y(82), X(64), Y(100), 7));
    outlined(picture, bounds, kShadow, kBlack, roundedBox(X(16), Y(100), X(36), Y(108), 3),
             roundedBox(X(17), Y(101), X(35), Y(107), 2));
    outlined(picture, bounds, kShadow, kBlack, roundedBox(X(58), Y(98), X(78), Y(106), 3),
             roundedBox(X(59), Y(99), X(77), Y(105), 2));
    // The free arm waves; its shoulder hides behind the body.
    outlined(picture, bounds, metal, kShadow, segment(X(24), Y(60), X(9), Y(45), 7),
             segment(X(24), Y(60), X(9), Y(45), 5));
    outlined(picture, bounds, metal, kShadow, disc(X(8), Y(43), 4.5), disc(X(8), Y(43), 3.5));
    // The body: a drive case with its slot and a lit LED.
    outlined(picture, bounds, pal(2), kBlack, roundedBox(X(19), Y(49), X(71), Y(87), 5),
             roundedBox(X(20), Y(50), X(70), Y(86), 4));
    fillShape(picture, bounds, pal(3), roundedBox(X(24), Y(53), X(66), Y(58), 2));
    fillShape(picture, bounds, kBlack, roundedBox(X(27), Y(68), X(57), Y(71), 1));
    fillShape(picture, bounds, led, disc(X(63), Y(70), 2.2));
    // The head: a monitor with a friendly face.
    outlined(picture, bounds, metal, kBlack, roundedBox(X(13), Y(18), X(77), Y(50), 6),
             roundedBox(X(14), Y(19), X(76), Y(49), 5));
    fillShape(picture, bounds, screen, roundedBox(X(20), Y(24), X(70), Y(44), 4));
    for (const double ex : {34.0, 56.0}) {
        fillShape(picture, bounds, eye, disc(X(ex), Y(32), 4.5));
        fillShape(picture, bounds, kWhite, disc(X(ex + 1.2), Y(30.8), 1.4));
    }
    fillShape(picture, bounds, eye,
              [&](double px, double py) { return ring(X(45), Y(31), 7.5, 9.5)(px, py) && py > Y(37); });
    // The other arm holds a disc out in front.
    outlined(picture, bounds, metal, kShadow, segment(X(68), Y(58), X(86), Y(64), 7),
             segment(X(68), Y(58), X(86), Y(64), 5));
    outlined(picture, bounds, Color{226, 226, 232}, kShadow, disc(X(92), Y(66), 16), disc(X(92), Y(66), 15));
    fillShape(picture, bounds, Color{170, 200, 230}, ring(X(92), Y(66), 6, 12));
    fillShape(picture, bounds, kWhite, ring(X(92), Y(66), 9, 10));
    outlined(picture, bounds, pal(9), kShadow, disc(X(92), Y(66), 4), disc(X(92), Y(66), 3));
}

}  // namespace vxr::painter
