#include "platform/canvas.h"

#include <algorithm>
#include <cstdlib>

#include "platform/text.h"

namespace vxr::platform {

Canvas::Canvas(Bitmap& target, FontLibrary* fonts) : target_(&target), fonts_(fonts) {}

void Canvas::fillRect(const Rect& area) {
    if (brush_.style == BrushStyle::Solid) target_->fill(area, brush_.color);
}

void Canvas::lineTo(int x, int y) {
    drawLine(position_, {x, y}, pen_.width > 1);
    position_ = {x, y};
}

void Canvas::polyline(std::span<const Point> points) {
    for (std::size_t i = 1; i < points.size(); ++i) drawLine(points[i - 1], points[i], pen_.width > 1);
}

void Canvas::rectangle(const Rect& area) {
    if (area.empty()) return;
    fillRect({area.left + 1, area.top + 1, area.right - 1, area.bottom - 1});
    const Point corners[] = {{area.left, area.top},
                             {area.right - 1, area.top},
                             {area.right - 1, area.bottom - 1},
                             {area.left, area.bottom - 1},
                             {area.left, area.top}};
    // The closing segment ends where the outline started, so every pixel
    // of the outline is drawn.
    polyline(corners);
}

// Bresenham's line; the last point is drawn only when asked.
void Canvas::drawLine(Point from, Point to, bool includeLast) {
    const int dx = std::abs(to.x - from.x);
    const int dy = -std::abs(to.y - from.y);
    const int stepX = from.x < to.x ? 1 : -1;
    const int stepY = from.y < to.y ? 1 : -1;
    int error = dx + dy;
    Point p = from;
    while (p != to) {
        plot(p.x, p.y);
        const int doubled = 2 * error;
        if (doubled >= dy) {
            error += dy;
            p.x += stepX;
        }
        if (doubled <= dx) {
            error += dx;
            p.y += stepY;
        }
    }
    if (includeLast) plot(to.x, to.y);
}

// A pen of width w covers a w x w square around the point, reaching w/2
// pixels up and to the left.
void Canvas::plot(int x, int y) {
    if (pen_.width <= 1) {
        target_->setPixel(x, y, pen_.color);
        return;
    }
    const int left = x - pen_.width / 2;
    const int top = y - pen_.width / 2;
    target_->fill({left, top, left + pen_.width, top + pen_.width}, pen_.color);
}

const FontFace& Canvas::currentFace() {
    const bool changed = face_ == nullptr || font_.family != faceFont_.family || font_.points != faceFont_.points ||
                         font_.bold != faceFont_.bold;
    if (changed) {
        FontLibrary& library = fonts_ != nullptr ? *fonts_ : FontLibrary::instance();
        face_ = &library.face(font_);
        faceFont_ = font_;
    }
    return *face_;
}

void Canvas::textOut(int x, int y, std::string_view text) {
    const FontFace& face = currentFace();
    const std::u32string characters = decodeUtf8(text);
    const int width = face.textWidth(characters);
    if (brush_.style == BrushStyle::Solid) target_->fill({x, y, x + width, y + face.height()}, brush_.color);
    int penX = x;
    for (char32_t c : characters) {
        const Glyph& glyph = face.glyph(c);
        drawGlyph(glyph, penX, y + face.ascent(), font_.color);
        penX += glyph.advance;
    }
    position_ = {x + width, y};
}

void Canvas::drawGlyph(const Glyph& glyph, int penX, int baseline, Color color) {
    const int left = penX + glyph.left;
    const int top = baseline - glyph.top;
    const Rect visible = Rect{left, top, left + glyph.width, top + glyph.height}.intersected(target_->bounds());
    for (int y = visible.top; y < visible.bottom; ++y) {
        const std::uint8_t* ink = glyph.mask.data() + static_cast<std::size_t>((y - top) * glyph.width);
        Color* line = target_->row(y);
        for (int x = visible.left; x < visible.right; ++x) {
            if (ink[x - left] != 0) line[x] = color;
        }
    }
}

int Canvas::textWidth(std::string_view text) { return currentFace().textWidth(decodeUtf8(text)); }

int Canvas::textHeight(std::string_view) { return currentFace().height(); }

void Canvas::draw(int x, int y, const Bitmap& picture) {
    const Rect placed{x, y, x + picture.width(), y + picture.height()};
    const Rect visible = placed.intersected(target_->bounds());
    if (visible.empty()) return;
    for (int row = visible.top; row < visible.bottom; ++row) {
        const Color* source = picture.row(row - y) + (visible.left - x);
        std::copy_n(source, visible.width(), target_->row(row) + visible.left);
    }
}

}  // namespace vxr::platform
