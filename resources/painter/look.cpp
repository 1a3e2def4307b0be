#include "look.h"

#include <algorithm>

namespace vxr::painter {

using platform::BrushStyle;
using platform::Point;

Bitmap blank(int width, int height, Color fill) { return Bitmap(width, height, fill); }

Bitmap crop(const Bitmap& source, int x, int y, int width, int height) {
    Bitmap part(width, height, pal(7));
    for (int row = 0; row < height; ++row) {
        for (int col = 0; col < width; ++col) {
            if (source.contains(x + col, y + row)) part.setPixel(col, row, source.pixel(x + col, y + row));
        }
    }
    return part;
}

namespace {

void useFont(Canvas& canvas, const char* family, int points, Color color, bool bold) {
    canvas.font().family = family;
    canvas.font().points = points;
    canvas.font().bold = bold;
    canvas.font().color = color;
}

void fill(Canvas& canvas, const Rect& area, Color color) {
    canvas.brush() = {color, BrushStyle::Solid};
    canvas.fillRect(area);
}

void hline(Canvas& canvas, int x0, int x1, int y, Color color) { canvas.bitmap().fill({x0, y, x1 + 1, y + 1}, color); }

void vline(Canvas& canvas, int x, int y0, int y1, Color color) { canvas.bitmap().fill({x, y0, x + 1, y1 + 1}, color); }

}  // namespace

void text(Canvas& canvas, int x, int y, std::string_view text, const char* family, int points, Color color, bool bold) {
    useFont(canvas, family, points, color, bold);
    canvas.brush().style = BrushStyle::Clear;
    canvas.textOut(x, y, text);
}

int textWidth(Canvas& canvas, std::string_view text, const char* family, int points, bool bold) {
    useFont(canvas, family, points, kBlack, bold);
    return canvas.textWidth(text);
}

void centredText(Canvas& canvas, const Rect& area, std::string_view caption, const char* family, int points,
                 Color color, bool bold) {
    useFont(canvas, family, points, color, bold);
    const int width = canvas.textWidth(caption);
    const int height = canvas.textHeight(caption);
    text(canvas, area.left + (area.width() - width) / 2, area.top + (area.height() - height) / 2, caption, family,
         points, color, bold);
}

void bevel(Canvas& canvas, const Rect& area, bool raised) {
    const Color topLeft = raised ? kLight : kShadow;
    const Color bottomRight = raised ? kShadow : kLight;
    hline(canvas, area.left, area.right - 1, area.top, topLeft);
    vline(canvas, area.left, area.top, area.bottom - 1, topLeft);
    hline(canvas, area.left, area.right - 1, area.bottom - 1, bottomRight);
    vline(canvas, area.right - 1, area.top, area.bottom - 1, bottomRight);
}

void frame(Canvas& canvas, const Rect& area, Color color) {
    hline(canvas, area.left, area.right - 1, area.top, color);
    hline(canvas, area.left, area.right - 1, area.bottom - 1, color);
    vline(canvas, area.left, area.top, area.bottom - 1, color);
    vline(canvas, area.right - 1, area.top, area.bottom - 1, color);
}

void dottedFrame(Canvas& canvas, const Rect& area, Color color) {
    for (int x = area.left; x < area.right; x += 2) {
        canvas.bitmap().setPixel(x, area.top, color);
        canvas.bitmap().setPixel(x, area.bottom - 1, color);
    }
    for (int y = area.top; y < area.bottom; y += 2) {
        canvas.bitmap().setPixel(area.left, y, color);
        canvas.bitmap().setPixel(area.right - 1, y, color);
    }
}

void dialogBody(Canvas& canvas, int width, int height) {
    fill(canvas, {0, 0, width, height}, pal(7));
    frame(canvas, {0, 0, width, height}, kBlack);
    bevel(canvas, {1, 1, width - 1, height - 1}, true);
}

void titleBar(Canvas& canvas, int width, std::string_view title) {
    fill(canvas, {2, 2, width - 2, 18}, pal(2));
    text(canvas, 6, 4, title, kTahoma, 7, pal(9), true);
}

void button(Canvas& canvas, const Rect& area, std::string_view caption, ButtonLook look) {
    fill(canvas, area, pal(4));
    if (look == ButtonLook::Focused) {
        frame(canvas, area, kBlack);
        bevel(canvas, {area.left + 1, area.top + 1, area.right - 1, area.bottom - 1}, true);
        dottedFrame(canvas, {area.left + 4, area.top + 3, area.right - 4, area.bottom - 3}, kBlack);
    } else {
        bevel(canvas, area, true);
        hline(canvas, area.left + 1, area.right - 2, area.bottom - 2, pal(6));
        vline(canvas, area.right - 2, area.top + 1, area.bottom - 2, pal(6));
    }
    centredText(canvas, area, caption, kSans, 7, kBlack);
}

void sunkenField(Canvas& canvas, const Rect& area, Color color) {
    fill(canvas, area, color);
    bevel(canvas, {area.left - 1, area.top - 1, area.right + 1, area.bottom + 1}, false);
}

void groupBox(Canvas& canvas, const Rect& area, std::string_view caption) {
    frame(canvas, {area.left + 1, area.top + 1, area.right + 1, area.bottom + 1}, kLight);
    frame(canvas, area, kShadow);
    useFont(canvas, kSans, 7, kBlack, false);
    const int width = canvas.textWidth(caption);
    fill(canvas, {area.left + 8, area.top - 6, area.left + 12 + width, area.top + 6}, pal(7));
    text(canvas, area.left + 10, area.top - 6, caption, kSans, 7, kWhite);
}

void rightArrow(Canvas& canvas, int x, int y, Color color) {
    for (int i = 0; i < 4; ++i) vline(canvas, x + i, y + i, y + 6 - i, color);
}

void downArrow(Canvas& canvas, int x, int y, Color color) {
    for (int i = 0; i < 4; ++i) hline(canvas, x + i, x + 6 - i, y + i, color);
}

namespace {

void signDisc(Canvas& canvas, int x, int y, Color color = kRed) {
    // A filled circle of radius 13 with a dark rim.
    for (int row = 0; row < 28; ++row) {
        for (int col = 0; col < 28; ++col) {
            const int dx = 2 * col - 27, dy = 2 * row - 27;
            const int d = dx * dx + dy * dy;
            if (d <= 27 * 27) canvas.bitmap().setPixel(x + col, y + row, d >= 24 * 24 ? kShadow : color);
        }
    }
}

}  // namespace

void exclamationSign(Canvas& canvas, int x, int y) {
    signDisc(canvas, x, y);
    canvas.bitmap().fill({x + 12, y + 5, x + 16, y + 17}, kWhite);
    canvas.bitmap().fill({x + 12, y + 19, x + 16, y + 23}, kWhite);
}

void questionSign(Canvas& canvas, int x, int y) {
    signDisc(canvas, x, y);
    text(canvas, x + 9, y + 3, "?", kSans, 13, kWhite, true);
}

void informationSign(Canvas& canvas, int x, int y) {
    signDisc(canvas, x, y, pal(2));
    canvas.bitmap().fill({x + 12, y + 6, x + 16, y + 10}, kWhite);
    canvas.bitmap().fill({x + 12, y + 12, x + 16, y + 23}, kWhite);
}

}  // namespace vxr::painter
