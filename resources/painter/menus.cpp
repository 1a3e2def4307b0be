// The three menu levels: each box, and each highlight cut out of the box
// painted with that item highlighted.

#include <span>
#include <string>
#include <vector>

#include "layout/menu_geometry.h"
#include "look.h"
#include "registry.h"

namespace vxr::painter {

namespace {

using layout::MenuBox;
using layout::MenuItem;

struct MenuText {
    std::string label;
    bool arrow = false;
};

struct MenuLook {
    std::string name;     // picture
    std::string caption;  // letters down the left strip
    std::span<const MenuItem> items;
    std::vector<MenuText> texts;
    int points = 7;
};

// Each item's band: the size of its highlight picture at its offset.
Rect itemBand(const MenuItem& item) {
    return {item.offset.x, item.offset.y, item.offset.x + pictureWidth(item.highlight),
            item.offset.y + pictureHeight(item.highlight)};
}

void captionStrip(Canvas& canvas, int height, const std::string& caption) {
    canvas.bitmap().fill({3, 3, 19, height - 3}, pal(2));
    int y = 5;
    for (char letter : caption) {
        if (letter != ' ') centredText(canvas, {3, y, 19, y + 12}, std::string(1, letter), kTahoma, 7, pal(9), true);
        y += 11;
    }
}

void menuItemText(Canvas& canvas, const Rect& band, const MenuText& item, int points, bool highlighted) {
    if (highlighted) {
        canvas.bitmap().fill(band, pal(2));
        frame(canvas, band, kLight);
    }
    text(canvas, band.left + 6, band.top + 4, item.label, kSans, points, highlighted ? kWhite : kWhite, highlighted);
    if (item.arrow) rightArrow(canvas, band.right - 8, band.top + 7, highlighted ? kWhite : kBlack);
}

Bitmap paintMenu(const MenuLook& look, int highlighted) {
    const int width = pictureWidth(look.name), height = pictureHeight(look.name);
    Bitmap picture = blank(width, height, pal(7));
    Canvas canvas(picture);
    dialogBody(canvas, width, height);
    captionStrip(canvas, height, look.caption);
    for (std::size_t i = 0; i < look.items.size() && i < look.texts.size(); ++i) {
        if (!look.items[i].offset.present()) continue;
        menuItemText(canvas, itemBand(look.items[i]), look.texts[i], look.points,
                     static_cast<int>(i) + 1 == highlighted);
    }
    return picture;
}

// Adds a menu box, its item highlights and, when `plainName` is given, the
// plain picture of item 1.
void addMenu(Registry& registry, const MenuLook& look, const std::string& plainName) {
    registry[look.name] = [look] { return paintMenu(look, 0); };
    for (std::size_t i = 0; i < look.items.size(); ++i) {
        const MenuItem item = look.items[i];
        if (!item.offset.present()) continue;
        registry.try_emplace(item.highlight, [look, item, i] {
            const Rect band = itemBand(item);
            return crop(paintMenu(look, static_cast<int>(i) + 1), band.left, band.top, band.width(), band.height());
        });  // a highlight shared by two menus comes from the first
    }
    if (!plainName.empty()) {
        const MenuItem first = look.items[0];
        registry[plainName] = [look, first, plainName] {
            return crop(paintMenu(look, 0), first.offset.x, first.offset.y, pictureWidth(plainName),
                        pictureHeight(plainName));
        };
    }
}

std::span<const MenuItem> itemsOf(const MenuBox& box) { return box.items; }

}  // namespace

void addMenuPictures(Registry& registry) {
    addMenu(registry,
            {"F1B",
             "VEXOR 8",
             layout::kMainMenuItems,
             {{"Local", true}, {"Peer to peer", true}, {"VexorCast", true}, {"Options"}, {"Help"}, {"Quit"}}},
            "F10");
    addMenu(registry,
            {"F21B", "ACTION", itemsOf(layout::submenu(1)), {{"Disk", true}, {"Partition", true}, {"Check", true}}},
            "F210");
    addMenu(registry, {"F22B", "", itemsOf(layout::submenu(2)), {{"TCP/IP", true}}}, "F220");
    addMenu(registry,
            {"F23B", "CAST", itemsOf(layout::submenu(3)), {{"Multicast"}, {"Directed Broadcast"}, {"Unicast"}}},
            "F230");
    addMenu(registry,
            {"FP24",
             "ACTION",
             itemsOf(layout::submenu(layout::kPeerMenuItem)),
             {{"Disk", true}, {"Partition", true}, {"Check", true}, {"Back"}}},
            "");
    addMenu(registry, {"F311B", "DISK", itemsOf(layout::thirdMenu(1, 1)), {{"To Disk"}, {"To Image"}, {"From Image"}}},
            "F3110");
    addMenu(registry,
            {"F312B", "PART", itemsOf(layout::thirdMenu(1, 2)), {{"To Partition"}, {"To Image"}, {"From Image"}}},
            "F3120");
    addMenu(registry, {"F313B", "CHK", itemsOf(layout::thirdMenu(1, 3)), {{"Image File"}, {"Disk"}}}, "F3130");
    addMenu(registry, {"F321B", "TCP", itemsOf(layout::thirdMenu(2, 1)), {{"Slave"}, {"Master"}}}, "F3210");
}

}  // namespace vxr::painter
