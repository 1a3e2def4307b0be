#pragma once
// The three menu levels: where each box stands, which picture it shows, and
// for each item its offset from the box's corner and its highlight picture.
// An item's hit area is its highlight picture's rectangle at the offset.

#include <array>

#include "layout/table_types.h"
#include "model/option_names.h"
#include "platform/indexing.h"

namespace vxr::layout {

struct MenuItem {
    Offset offset;               // absent: no such item
    const char* highlight = "";  // picture laid over the item
};

struct MenuBox {
    Offset at;                 // window position; absent: placed by its dialog
    const char* picture = "";  // empty: no such box
    std::array<MenuItem, 4> items{};
    constexpr bool present() const { return picture[0] != '\0'; }
};

inline constexpr MenuItem kAbsentItem{};

// Main menu: Local, Peer to peer, VexorCast, Options, Help, Quit.
inline constexpr Offset kMainMenuAt{30, 217};
inline constexpr const char* kMainMenuPicture = "F1B";
inline constexpr int kMainItems = 6;
inline constexpr std::array<MenuItem, kMainItems> kMainMenuItems{{
    {{22, 3}, "F11"},
    {{22, 34}, "F12"},
    {{22, 56}, "F13"},
    {{22, 86}, "F14"},
    {{22, 108}, "F15"},
    {{22, 130}, "F16"},
}};

// Second level by main item (index = MainItem 1..7; 6 has none, 7 is the
// peer-link menu that replaces the main menu).
inline constexpr int kPeerMenuItem = 7;
inline constexpr std::array<MenuBox, 8> kSubmenus{{
    {},
    {{124, 220}, "F21B", {{{{22, 3}, "F211"}, {{22, 25}, "F212"}, {{22, 54}, "F213"}, kAbsentItem}}},
    {{124, 251}, "F22B", {{{{22, 3}, "F221"}, kAbsentItem, kAbsentItem, kAbsentItem}}},
    {{124, 273}, "F23B", {{{{22, 3}, "F231"}, {{22, 25}, "F232"}, {{22, 47}, "F233"}, kAbsentItem}}},
    // Options: the Accept/Cancel bar, placed by the options dialog.
    {{}, "F247B", {{{{201, 8}, "F241"}, {{317, 8}, "F242"}, kAbsentItem, kAbsentItem}}},
    // Help: the help window, placed by the help screen; its OK button.
    {{}, "F25B", {{{{515, 316}, "F251"}, kAbsentItem, kAbsentItem, kAbsentItem}}},
    {},
    {{30, 231}, "FP24", {{{{22, 3}, "F211"}, {{22, 25}, "F212"}, {{22, 54}, "F213"}, {{22, 83}, "FP25"}}}},
}};

// Third level by [main item 1..3][submenu item 1..3]. VexorCast > Multicast
// is a session dialog without items and without a place of its own.
inline constexpr MenuBox kNoBox{};
// clang-format off
inline constexpr std::array<std::array<MenuBox, 4>, 4> kThirdMenus{{
    {kNoBox, kNoBox, kNoBox, kNoBox},
    {kNoBox,
     {{201, 223}, "F311B", {{{{22, 3}, "F3111"}, {{22, 25}, "F3112"}, {{22, 54}, "F3113"}, kAbsentItem}}},
     {{201, 245}, "F312B", {{{{22, 3}, "F3121"}, {{22, 25}, "F3122"}, {{22, 54}, "F3123"}, kAbsentItem}}},
     {{201, 274}, "F313B", {{{{22, 3}, "F3131"}, {{22, 32}, "F3132"}, kAbsentItem, kAbsentItem}}}},
    {kNoBox, {{195, 254}, "F321B", {{{{22, 3}, "F3211"}, {{22, 32}, "F3212"}, kAbsentItem, kAbsentItem}}}, kNoBox, kNoBox},
    {kNoBox, {{}, "F331B", {kAbsentItem, kAbsentItem, kAbsentItem, kAbsentItem}}, kNoBox, kNoBox},
}};
// clang-format on

// In peer mode the third level stands this much further left and lower.
inline constexpr Offset kPeerThirdMenuShift{-92, 10};

constexpr const MenuBox& submenu(int mainItem) {
    return mainItem >= 1 && mainItem <= 7 ? cell(kSubmenus, mainItem) : kSubmenus[0];
}

constexpr const MenuBox& thirdMenu(int mainItem, int subItem) {
    if (mainItem < 1 || mainItem > 3 || subItem < 1 || subItem > 3) return kNoBox;
    return cell(cell(kThirdMenus, mainItem), subItem);
}

constexpr const MenuItem& menuItem(const MenuBox& box, int item) {
    return item >= 1 && item <= 4 ? at(box.items, item) : kAbsentItem;
}

// Options dialog tab strip on the tab page layer, both edges included, and
// the page picture of each tab.
inline constexpr int kOptionTabCount = 6;
inline constexpr std::array<InclusiveRect, kOptionTabCount> kOptionTabRects{{
    {36, 2, 94, 20},
    {96, 2, 159, 20},
    {161, 2, 197, 20},
    {200, 2, 271, 20},
    {274, 2, 327, 20},
    {330, 2, 406, 20},
}};
inline constexpr std::array<const char*, kOptionTabCount> kOptionTabPages{
    {"F241B", "F242B", "F243B", "F244B", "F245B", "F246B"}};
inline constexpr std::array<const char*, kOptionTabCount> kOptionTabNames{
    {model::kOptionWordNames[0], model::kOptionWordNames[1], model::kOptionWordNames[2], model::kOptionWordNames[3],
     model::kOptionWordNames[4], "Save Settings"}};

// Save Settings button on tab 6: x 400..524, y 220..239 (y 240 excluded);
// its highlight stands at the button's corner.
inline constexpr InclusiveRect kSaveSettingsButton{400, 220, 524, 239};
inline constexpr const char* kSaveSettingsHighlight = "F248";

}  // namespace vxr::layout
