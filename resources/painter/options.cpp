// The options dialog: title bar, the six tab pages with their option lines,
// the Accept/Cancel bar, the button pictures and the box bitmaps.

#include <string>

#include "input/menu_geometry.h"
#include "look.h"
#include "operations/option_boxes.h"
#include "registry.h"

namespace vxr::painter {

namespace {

using operations::OptionBox;

// What each box says on its tab page, and a short explanation under it.
struct OptionLine {
    const char* label;
    const char* explanation;
};

constexpr OptionLine kOptionLines[operations::kOptionTabs][operations::kBoxesPerTab] = {
    {{"Spanning", "Split images across several volumes"},
     {"AutoName", "Name the span files without asking"},
     {"Compatible Naming", "Use 8.3 names for span files"},
     {"CRC Ignore", "Go on when a checksum does not match"},
     {"Create CRC32", "Store a checksum of every file in the image"}},
    {{"FAT32 Conversion", "Convert FAT16 partitions to FAT32 on restore"},
     {"64K FAT Clusters", "Allow 64K clusters on FAT16 partitions"},
     {"FAT Limit", "Keep FAT16 partitions at 2 GB"}},
    {{"Sure", "Answer every question with Yes"},
     {"Force Cloning", "Go on past bad clusters"},
     {"Reboot", "Restart the computer when the task ends"},
     {"Exit to DOS", "Leave the program when the task ends"}},
    {{"Default", ""}, {"Image All", ""}, {"Image Boot", ""}, {"Image Disk", ""},
     {"Default", ""}, {"Buffered", ""}, {"Unbuffered", ""}, {"Tape Eject", ""}},
    {{"Password", "Encrypt all created images with a password"},
     {"None", ""}, {"Manufacturer", ""}, {"Product Name", ""}, {"Version", ""},
     {"Serial Number", ""}, {"UUID", ""}, {"Manufacturer + Product", ""}, {"PIII ID", ""}},
};

void tabStrip(Canvas& canvas, int selected) {
    for (int t = 1; t <= input::kOptionTabCount; ++t) {
        const Rect tab = toRect(input::kOptionTabRects[static_cast<std::size_t>(t - 1)]);
        const bool isSelected = t == selected;
        canvas.bitmap().fill(tab, isSelected ? pal(7) : pal(8));
        bevel(canvas, {tab.left, tab.top, tab.right, tab.bottom + (isSelected ? 1 : 0)}, true);
        centredText(canvas, tab, input::kOptionTabNames[static_cast<std::size_t>(t - 1)], kSans, 7,
                    isSelected ? kWhite : kBlack);
    }
}

void boxLines(Canvas& canvas, int tab) {
    for (int n = 1; n <= operations::kBoxesPerTab; ++n) {
        const OptionBox& box = operations::optionBox(tab, n);
        if (!box.present()) continue;
        const OptionLine& line = kOptionLines[tab - 1][n - 1];
        canvas.bitmap().fill({box.x, box.y, box.x + 15, box.y + 15}, pal(7));
        text(canvas, box.x + 22, box.y + 1, line.label, kSans, 7, kWhite);
        if (line.explanation[0] != '\0') text(canvas, box.x + 22, box.y + 15, line.explanation, kSans, 7, pal(9));
    }
}

void groupCaptions(Canvas& canvas, int tab) {
    if (tab == 4) {
        groupBox(canvas, {24, 30, 300, 154}, "Image mode");
        groupBox(canvas, {24, 162, 580, 218}, "Tape");
    }
    if (tab == 5) groupBox(canvas, {110, 130, 470, 232}, "Lock type");
}

void activeSwitches(Canvas& canvas) {
    text(canvas, 30, 40, "Active Switches:", kSans, 7, kWhite, true);
    canvas.bitmap().fill({40, 58, 400, 190}, pal(7));
}

Bitmap tabPage(int tab, int highlightSave) {
    const std::string name = "F24" + std::to_string(tab) + "B";
    const int width = pictureWidth(name), height = pictureHeight(name);
    Bitmap picture = blank(width, height, pal(7));
    Canvas canvas(picture);
    canvas.bitmap().fill({0, 0, width, 22}, pal(8));
    tabStrip(canvas, tab);
    frame(canvas, {0, 21, width, height}, kBlack);
    bevel(canvas, {1, 21, width - 1, height - 1}, true);
    if (tab == 6) {
        activeSwitches(canvas);
        button(canvas, toRect(input::kSaveSettingsButton), "Save Settings",
               highlightSave ? ButtonLook::Focused : ButtonLook::Plain);
    } else {
        groupCaptions(canvas, tab);
        boxLines(canvas, tab);
    }
    return picture;
}

Bitmap titleBarPicture() {
    Bitmap picture = blank(pictureWidth("F240B"), pictureHeight("F240B"), pal(7));
    Canvas canvas(picture);
    dialogBody(canvas, picture.width(), picture.height());
    titleBar(canvas, picture.width(), "Options");
    return picture;
}

Bitmap acceptCancelBar(int focused) {
    Bitmap picture = blank(pictureWidth("F247B"), pictureHeight("F247B"), pal(7));
    Canvas canvas(picture);
    dialogBody(canvas, picture.width(), picture.height());
    const auto& bar = input::submenu(4);
    const char* captions[] = {"Accept", "Cancel"};
    for (int i = 1; i <= 2; ++i) {
        const auto& item = input::menuItem(bar, i);
        const Rect area{item.offset.x, item.offset.y, item.offset.x + pictureWidth(item.highlight),
                        item.offset.y + pictureHeight(item.highlight)};
        button(canvas, area, captions[i - 1], i == focused ? ButtonLook::Focused : ButtonLook::Plain);
    }
    return picture;
}

Bitmap barButton(int item, int focused) {
    const auto& at = input::menuItem(input::submenu(4), item);
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
    for (int tab = 1; tab <= input::kOptionTabCount; ++tab) {
        registry[input::kOptionTabPages[static_cast<std::size_t>(tab - 1)]] = [tab] { return tabPage(tab, 0); };
    }
    registry["F247B"] = [] { return acceptCancelBar(0); };
    registry["F240"] = [] { return barButton(2, 0); };
    registry["F241"] = [] { return barButton(1, 1); };
    registry["F242"] = [] { return barButton(2, 2); };
    registry[input::kSaveSettingsHighlight] = [] {
        const auto& b = input::kSaveSettingsButton;
        return crop(tabPage(6, 1), b.left, b.top, pictureWidth("F248"), pictureHeight("F248"));
    };
    registry["F244"] = [] { return checkBox(false); };
    registry["F245"] = [] { return checkBox(true); };
    registry["F246"] = [] { return radioButton(false); };
    registry["F247"] = [] { return radioButton(true); };
}

}  // namespace vxr::painter
