// The main screen and the switches help window.

#include <cstdint>
#include <string>

#include "artwork.h"
#include "layout/help_layout.h"
#include "layout/menu_geometry.h"
#include "look.h"
#include "registry.h"

namespace vxr::painter {

namespace {

constexpr Color kDesktop{30, 70, 98};

// The work area every menu and dialog opens on; the contact notice (left 130,
// rows 150 to 290) stands on its plain grey.
constexpr Rect kWorkArea{12, 50, 628, 446};
constexpr Rect kStatusStrip{12, 452, 628, 474};

// A few levels of deterministic grain and a faint diagonal weave: quiet
// enough that nothing on the desktop draws the eye.
Color desktopPixel(int x, int y) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    const int grain = static_cast<int>((h >> 24) % 7) - 3;
    const int weave = ((x + y) % 8 < 2 || (x - y + 800) % 8 < 2) ? 4 : 0;
    const auto level = [&](std::uint8_t base) { return static_cast<std::uint8_t>(base + grain + weave); };
    return {level(kDesktop.r), level(kDesktop.g), level(kDesktop.b)};
}

void desktop(Bitmap& picture) {
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) picture.setPixel(x, y, desktopPixel(x, y));
    }
}

void titleLine(Bitmap& picture, Canvas& canvas) {
    makerLogo(picture, 14, 6, 38);
    text(canvas, 60, 7, "Vexor 8.0", kSans, 14, kWhite, true);
    makerWordmark(canvas, 62, 30, 9, pal(9));
    const char* claim = "Disk and partition imaging";
    text(canvas, kWorkArea.right - 6 - textWidth(canvas, claim, kTahoma, 8, true), 12, claim, kTahoma, 8, pal(9), true);
}

void workArea(Bitmap& picture, Canvas& canvas) {
    frame(canvas, {kWorkArea.left - 1, kWorkArea.top - 1, kWorkArea.right + 1, kWorkArea.bottom + 1}, kBlack);
    picture.fill(kWorkArea, pal(7));
    bevel(canvas, kWorkArea, true);
    // The mark once more in the corner that no menu or dialog covers.
    makerLogo(picture, kWorkArea.right - 58, kWorkArea.bottom - 58, 50);
    const char* product = "Korvanta Vexor 8.0";
    text(canvas, kWorkArea.right - 66 - textWidth(canvas, product, kTahoma, 8, true), kWorkArea.bottom - 16, product,
         kTahoma, 8, pal(9), true);
}

void statusPanel(Canvas& canvas, const Rect& area, std::string_view caption) {
    sunkenField(canvas, {area.left + 1, area.top + 1, area.right - 1, area.bottom - 1}, pal(4));
    text(canvas, area.left + 5, area.top + 5, caption, kSans, 7, kBlack);
}

void statusStrip(Canvas& canvas) {
    canvas.bitmap().fill(kStatusStrip, pal(7));
    bevel(canvas, kStatusStrip, true);
    const int top = kStatusStrip.top + 2, bottom = kStatusStrip.bottom - 2;
    statusPanel(canvas, {kStatusStrip.left + 3, top, 120, bottom}, "Vexor 8.0");
    statusPanel(canvas, {122, top, 520, bottom}, "Choose with the mouse, or with the arrow keys and Enter");
    statusPanel(canvas, {522, top, kStatusStrip.right - 3, bottom}, "Korvanta");
}

Bitmap mainScreen() {
    Bitmap picture = blank(640, 480, kDesktop);
    desktop(picture);
    Canvas canvas(picture);
    titleLine(picture, canvas);
    workArea(picture, canvas);
    statusStrip(canvas);
    return picture;
}

// The OK button of the help window, where the help menu's geometry has it.
Rect helpOkButton() {
    const layout::Offset at = layout::menuItem(layout::submenu(5), 1).offset;
    return {at.x, at.y, at.x + pictureWidth("F250"), at.y + pictureHeight("F250")};
}

Bitmap helpWindow(int focused) {
    using namespace layout;
    const int width = pictureWidth(kHelpWindowPicture);
    const int height = pictureHeight(kHelpWindowPicture);
    Bitmap picture = blank(width, height, pal(7));
    Canvas canvas(picture);
    dialogBody(canvas, width, height);
    titleBar(canvas, width, "Vexor 8.0 Switches");
    const Rect page{kHelpScrollInsetX, kHelpScrollInsetTop, width - kHelpScrollInsetX,
                    kHelpScrollInsetTop + kHelpScrollHeight};
    picture.fill(page, kWhite);
    bevel(canvas, {page.left - 1, page.top, page.right + 1, page.bottom + 1}, false);
    makerLogo(picture, 10, page.bottom + 8, 34);
    makerWordmark(canvas, 50, page.bottom + 10, 9, kBlack);
    text(canvas, 50, page.bottom + 26, "Switches of the Vexor 8.0 command line", kSans, 7, kWhite);
    button(canvas, helpOkButton(), "OK", focused ? ButtonLook::Focused : ButtonLook::Plain);
    return picture;
}

Bitmap helpButton(const char* name, int focused) {
    const Rect ok = helpOkButton();
    return crop(helpWindow(focused), ok.left, ok.top, pictureWidth(name), pictureHeight(name));
}

}  // namespace

void addScreenPictures(Registry& registry) {
    registry["F0"] = mainScreen;
    registry[layout::kHelpWindowPicture] = [] { return helpWindow(0); };
    registry["F250"] = [] { return helpButton("F250", 0); };
    registry["F251"] = [] { return helpButton("F251", 1); };
}

}  // namespace vxr::painter
