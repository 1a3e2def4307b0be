#pragma once
// The drawing kit of the picture painter: the tool's early graphical-DOS look
// of bevelled grey boxes, blue title bars, raised buttons and sunken fields.
// Every colour an overlay later covers comes from the palette.

#include <string_view>

#include "layout/palette.h"
#include "layout/table_types.h"
#include "platform/canvas.h"

namespace vxr::painter {

using platform::Bitmap;
using platform::Canvas;
using platform::Color;
using platform::Rect;

inline constexpr Color kLight{222, 223, 222};
inline constexpr Color kShadow{66, 65, 66};
inline constexpr Color kWhite{255, 255, 255};
inline constexpr Color kBlack{0, 0, 0};
inline constexpr Color kRed{206, 0, 0};

inline Color pal(int n) { return layout::palette(n); }

// Fonts of the screens.
inline constexpr const char* kSans = "Microsoft Sans Serif";
inline constexpr const char* kTahoma = "Tahoma";

// Rectangle of an inclusive table rectangle.
inline Rect toRect(const layout::InclusiveRect& r) { return {r.left, r.top, r.right + 1, r.bottom + 1}; }

Bitmap blank(int width, int height, Color fill);
Bitmap crop(const Bitmap& source, int x, int y, int width, int height);

// Text without a band behind it.
void text(Canvas& canvas, int x, int y, std::string_view text, const char* family, int points, Color color,
          bool bold = false);
int textWidth(Canvas& canvas, std::string_view text, const char* family, int points, bool bold = false);
void centredText(Canvas& canvas, const Rect& area, std::string_view text, const char* family, int points, Color color,
                 bool bold = false);

// One-pixel bevel just inside `area`: light top and left, dark bottom and
// right when raised, the other way round when sunken.
void bevel(Canvas& canvas, const Rect& area, bool raised);
void frame(Canvas& canvas, const Rect& area, Color color);
void dottedFrame(Canvas& canvas, const Rect& area, Color color);

// A window of the tool: palette 7 body, outer black line, bevel, and a
// palette 2 title bar whose text stands where title labels are laid.
void dialogBody(Canvas& canvas, int width, int height);
void titleBar(Canvas& canvas, int width, std::string_view title);

enum class ButtonLook { Plain, Focused };
void button(Canvas& canvas, const Rect& area, std::string_view caption, ButtonLook look);

// A sunken field in `fill` (edits, lists, the Look-in line).
void sunkenField(Canvas& canvas, const Rect& area, Color fill);

// A group box line with its caption, as around the Statistics and Details.
void groupBox(Canvas& canvas, const Rect& area, std::string_view caption);

// Small glyphs.
void rightArrow(Canvas& canvas, int x, int y, Color color);  // 4 x 7, tip at the right
void downArrow(Canvas& canvas, int x, int y, Color color);   // 7 x 4
void exclamationSign(Canvas& canvas, int x, int y);          // 28 x 28 red sign
void questionSign(Canvas& canvas, int x, int y);             // 28 x 28 red sign
void informationSign(Canvas& canvas, int x, int y);          // 28 x 28 blue sign

}  // namespace vxr::painter
