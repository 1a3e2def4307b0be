#pragma once
// The focus frame: four one-pixel bars placed around the part of a dialog
// that has the keyboard focus.

#include "layout/table_types.h"
#include "platform/color.h"

namespace vxr::app {

class TForm1;

enum FrameStyle : int { kFrameHidden = 0, kFrameGrey = 1, kFrameWhite = 2 };

inline constexpr platform::Color kGreyFrame = platform::Color::fromColorRef(0xCFCFCF);
inline constexpr platform::Color kWhiteFrame = platform::Color::fromColorRef(0xFFFFFF);
inline constexpr platform::Color kOptionsFrame = platform::Color::fromColorRef(0);

class FocusFrame {
public:
    explicit FocusFrame(TForm1& window) : w_(window) {}

    // Frames the area of operation dialog `dialogNo` (or 11, 12 for the file
    // dialogs' name field and Look-in box) in grey or white, or hides it.
    void DrawFocusFrame(int dialogNo, int style);
    // Frames field FieldPos of options tab SubItem in black, or hides it.
    void DrawOptionFocus(bool show);

    void hide();

private:
    void place(const layout::InclusiveRect& rect, platform::Color color);

    TForm1& w_;
};

}  // namespace vxr::app
