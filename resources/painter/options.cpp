// The options dialog: title bar, the six tab pages with their option lines,
// the Accept/Cancel bar, the button pictures and the box bitmaps.

#include <stdexcept>
#include <string>

#include "layout/focus_frame_rects.h"
#include "layout/menu_geometry.h"
#include "layout/option_boxes.h"
#include "layout/options_layout.h"
#include "look.h"
#include "option_texts.h"
#include "platform/indexing.h"
#include "registry.h"

namespace vxr::painter {

namespace {

using layout::OptionBox;

constexpr int kLabelPoints = 8;

// Where the tab pages stand in the window, so that the focus frame's window
// rectangles can be read in page coordinates.
layout::Offset pageOrigin() { return {layout::kOptionsTitleAt.x, layout::kOptionsTitleAt.y + pictureHeight("F240B")}; }

Rect pageRect(const layout::InclusiveRect& window) {
    const layout::Offset origin = pageOrigin();
    return {window.left - origin.x, window.top - origin.y, window.right + 1 - origin.x, window.bottom + 1 - origin.y};
}

// The focus frame rectangle of a field, which rings the field's caption.
Rect captionFrame(int tab, int field) { return pageRect(layout::optionsFrameRect(tab, field)); }

// The largest size up to the labels' own at which a tab's name stands
// inside the focus frame that later rings it (inside its two sides):
// the frame must not cut its first and last letters.
int tabNamePoints(Canvas& canvas, std::string_view name, const Rect& frameAt) {
    int points = kLabelPoints;
    while (points > 6 && textWidth(canvas, name, kSans, points) > frameAt.right - frameAt.left - 2) --points;
    return points;
}

void tabStrip(Canvas& canvas, int selected) {
    for (int t = 1; t <= layout::kOptionTabCount; ++t) {
        const Rect tab = toRect(at(layout::kOptionTabRects, t));
        const bool isSelected = t == selected;
        canvas.bitmap().fill(tab, isSelected ? pal(7) : pal(8));
        bevel(canvas, {tab.left, tab.top, tab.right, tab.bottom + (isSelected ? 1 : 0)}, true);
        const Rect caption = captionFrame(t, 1);
        const char* name = at(layout::kOptionTabNames, t);
        centredText(canvas, {caption.left, tab.top, caption.right, tab.bottom}, name, kSans,
                    tabNamePoints(canvas, name, caption), isSelected ? kWhite : kBlack);
    }
}

// A box's caption inside the focus frame that later rings it, and its
// explanation under it or, where the rows stand close, beside it.
void optionLine(Canvas& canvas, int tab, int n) {
    const OptionBox& box = layout::optionBox(tab, n);
    const OptionText& line = optionText(tab, n);
    const Rect frameAt = captionFrame(tab, n + 1);
    const int x = frameAt.left + 2, y = frameAt.top + 2;
    text(canvas, x, y, line.caption, kSans, kLabelPoints, kWhite);
    if (line.explanation[0] == '\0') return;
    if (line.beside > 0) {
        text(canvas, line.beside, y + 1, line.explanation, kSans, 7, kBlack);
    } else {
        text(canvas, x, box.y + 17, line.explanation, kSans, 7, kBlack);
        if (line.more[0] != '\0') text(canvas, x, box.y + 28, line.more, kSans, 7, kBlack);
    }
}

void optionLines(Canvas& canvas, int tab) {
    for (int n = 1; n <= layout::kBoxesPerTab; ++n) {
        if (layout::optionBox(tab, n).present()) optionLine(canvas, tab, n);
    }
}

void pageNotes(Canvas& canvas, int tab) {
    for (const PageNote& note : pageNotesOf(tab)) {
        if (note.box) groupBox(canvas, {note.left, note.top, note.right, note.bottom}, note.caption);
        int y = note.box ? note.top + 10 : note.top;
        const int x = note.left + (note.box ? 12 : 0);
        for (const char* words : note.lines) {
            if (words == nullptr) break;
            if (note.box && x + textWidth(canvas, words, kSans, 7) > note.right - 6) {
                throw std::runtime_error(std::string("option page note too wide for its box: ") + words);
            }
            text(canvas, x, y, words, kSans, 7, kBlack);
            y += 13;
        }
    }
}

void activeSwitches(Canvas& canvas) {
    text(canvas, layout::kActiveSwitchesAt.x - 2, layout::kActiveSwitchesAt.y - 22, "Active Switches:", kSans,
         kLabelPoints, kWhite, true);
}

Bitmap tabPage(int tab, int highlightSave) {
    const std::string name = at(layout::kOptionTabPages, tab);
    const int width = pictureWidth(name), height = pictureHeight(name);
    Bitmap picture = blank(width, height, pal(7));
    Canvas canvas(picture);
    canvas.bitmap().fill({0, 0, width, 22}, pal(8));
    tabStrip(canvas, tab);
    frame(canvas, {0, 21, width, height}, kBlack);
    bevel(canvas, {1, 21, width - 1, height - 1}, true);
    pageNotes(canvas, tab);
    if (tab == layout::kOptionTabCount) {
        activeSwitches(canvas);
        button(canvas, toRect(layout::kSaveSettingsButton), "Save Settings",
               highlightSave ? ButtonLook::Focused : ButtonLook::Plain);
    } else {
        optionLines(canvas, tab);
    }
    return picture;
}

Bitmap titleBarPicture() {
    Bitmap picture = blank(pictureWidth("F240B"), pictureHeight("F240B"), pal(7));
    Canvas canvas(picture);
    dialogBody(canvas, picture.width(), picture.height());
    titleBar(canvas, picture.width(), "Vexor 8.0 Options");
    return picture;
}

Bitmap acceptCancelBar(int focused) {
    Bitmap picture = blank(pictureWidth("F247B"), pictureHeight("F247B"), pal(7));
    Canvas canvas(picture);
    dialogBody(canvas, picture.width(), picture.height());
    const auto& bar = layout::submenu(4);
    const char* captions[] = {"Accept", "Cancel"};
    for (int i = 1; i <= 2; ++i) {
        const auto& item = layout::menuItem(bar, i);
        const Rect area{item.offset.x, item.offset.y, item.offset.x + pictureWidth(item.highlight),
                        item.offset.y + pictureHeight(item.highlight)};
        button(canvas, area, captions[i - 1], i == focused ? ButtonLook::Focused : ButtonLook::Plain);
    }
    return picture;
}

Bitmap barButton(int item, int focused) {
    const auto& at = layout::menuItem(layout::submenu(4), item);
    return crop(acceptCancelBar(focused), at.offset.x, at.offset.y, pictureWidth(at.highlight),
                pictureHeight(at.highlight));
}

// Box bitmaps: a sunken white square with a tick, or a round button with a dot.
Bitmap checkBox(bool set) {
    Bitmap picture = blank(15, 15, pal(7));
    Canvas canvas(picture);
    sunkenField(canvas, {1, 1, 14, 14}, kWhite);
    if (set) {
        for (int i = 0; i < 3; ++i) {
            canvas.bitmap().fill({4 + i, 6 + i, 5 + i, 9 + i}, kBlack);
            canvas.bitmap().fill({7 + i, 8 - i, 8 + i, 11 - i}, kBlack);
        }
    }
    return picture;
}

Bitmap radioButton(bool set) {
    Bitmap picture = blank(14, 14, pal(7));
    for (int y = 0; y < 14; ++y) {
        for (int x = 0; x < 14; ++x) {
            const int dx = 2 * x - 13, dy = 2 * y - 13, d = dx * dx + dy * dy;
            if (d <= 13 * 13) picture.setPixel(x, y, d >= 10 * 10 ? (dy < dx ? kLight : kShadow) : kWhite);
            if (set && d <= 4 * 4) picture.setPixel(x, y, kBlack);
        }
    }
    return picture;
}

}  // namespace

void addOptionPictures(Registry& registry) {
    registry["F240B"] = titleBarPicture;
    for (int tab = 1; tab <= layout::kOptionTabCount; ++tab) {
        registry[at(layout::kOptionTabPages, tab)] = [tab] { return tabPage(tab, 0); };
    }
    registry["F247B"] = [] { return acceptCancelBar(0); };
    registry["F240"] = [] { return barButton(2, 0); };
    registry["F241"] = [] { return barButton(1, 1); };
    registry["F242"] = [] { return barButton(2, 2); };
    registry[layout::kSaveSettingsHighlight] = [] {
        const auto& b = layout::kSaveSettingsButton;
        return crop(tabPage(6, 1), b.left, b.top, pictureWidth("F248"), pictureHeight("F248"));
    };
    registry["F244"] = [] { return checkBox(false); };
    registry["F245"] = [] { return checkBox(true); };
    registry["F246"] = [] { return radioButton(false); };
    registry["F247"] = [] { return radioButton(true); };
}

}  // namespace vxr::painter
