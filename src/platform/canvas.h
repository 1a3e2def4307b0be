#pragma once
// Drawing on a bitmap with the semantics of a Windows device context as the
// screens use it: a pen for lines and outlines, a brush for fills and the
// band behind text, a font for text. Everything is clipped to the bitmap.

#include <span>
#include <string_view>

#include "platform/bitmap.h"
#include "platform/font.h"
#include "platform/geometry.h"

namespace vxr::platform {

struct Pen {
    Color color = colors::black;
    int width = 1;
};

enum class BrushStyle { Solid, Clear };

struct Brush {
    Color color = colors::white;
    BrushStyle style = BrushStyle::Solid;
};

class Canvas {
public:
    // Fonts come from `fonts`, by default the process-wide library.
    explicit Canvas(Bitmap& target, FontLibrary* fonts = nullptr);

    Bitmap& bitmap() { return *target_; }
    Pen& pen() { return pen_; }
    Brush& brush() { return brush_; }
    Font& font() { return font_; }

    // Fills left .. right-1, top .. bottom-1 with the brush colour; a clear
    // brush fills nothing.
    void fillRect(const Rect& area);

    // Lines leave out their last point, so a polyline's segments meet
    // without drawing a shared point twice. Pens wider than one pixel are
    // centred on the line and draw the last point too.
    void moveTo(int x, int y) { position_ = {x, y}; }
    void lineTo(int x, int y);
    Point penPosition() const { return position_; }
    void polyline(std::span<const Point> points);

    // Outline with the pen through left .. right-1, top .. bottom-1; the
    // inside filled with the brush unless the brush is clear.
    void rectangle(const Rect& area);

    // Text with its cell's top-left corner at (x, y). With a solid brush the
    // cell band (text width x font height) is first filled in the brush
    // colour. The pen position moves to the end of the text.
    void textOut(int x, int y, std::string_view text);
    int textWidth(std::string_view text);
    int textHeight(std::string_view text);

    // Copies `picture` with its top-left corner at (x, y).
    void draw(int x, int y, const Bitmap& picture);

private:
    const FontFace& currentFace();
    void drawLine(Point from, Point to, bool includeLast);
    void plot(int x, int y);
    void drawGlyph(const Glyph& glyph, int penX, int baseline, Color color);

    Bitmap* target_;
    FontLibrary* fonts_;
    Pen pen_;
    Brush brush_;
    Font font_;
    Point position_;
    // The face resolved for the font as it was at the last text call.
    const FontFace* face_ = nullptr;
    Font faceFont_;
};

}  // namespace vxr::platform
