#pragma once
// Every named control of the main window: kind, parent, initial place and
// size, font, and whether it starts visible. The table's order is the
// creation order, so the z-order runs back to front down the table: menus
// over the screen, a submenu over the main menu's right edge, highlights over
// their menus, dialogs over menus, labels over dialogs, the focus frame in
// front of everything.

#include <array>

namespace vxr::app {

enum class ControlKind { Image, Label, Edit, ScrollBox };

// Pointer moves over a menu highlight go to the menu below it; clicks stay.
enum class Moves { Take, PassThrough };

struct ControlSpec {
    const char* name;
    ControlKind kind;
    const char* parent;  // "" for the window
    int left, top, width, height;
    const char* font = "Microsoft Sans Serif";
    int points = 7;
    bool visible = false;
    Moves moves = Moves::Take;
    int tag = 0;
};

inline constexpr const char* kSans = "Microsoft Sans Serif";

inline constexpr std::array kFormControls{
    ControlSpec{"Image0", ControlKind::Image, "", 0, 0, 640, 480, kSans, 7, true},
    ControlSpec{"Edit5", ControlKind::Edit, "", 640, 56, 20, 21, kSans, 7, true},
    // Main menu.
    ControlSpec{"Image1B", ControlKind::Image, "", 30, 217, 119, 160},
    ControlSpec{"Image1A_0", ControlKind::Image, "", 0, 0, 73, 20, kSans, 7, false, Moves::PassThrough},
    ControlSpec{"Image1A", ControlKind::Image, "", 0, 0, 73, 20, kSans, 7, false, Moves::PassThrough},
    // Second level: submenus, the options bar, the help window, the peer menu.
    ControlSpec{"Image2B", ControlKind::Image, "", 124, 220, 102, 86},
    ControlSpec{"Image2A_0", ControlKind::Image, "", 0, 0, 56, 20, kSans, 7, false, Moves::PassThrough},
    ControlSpec{"Image2A", ControlKind::Image, "", 0, 0, 56, 20, kSans, 7, false, Moves::PassThrough},
    // Third level.
    ControlSpec{"Image3B", ControlKind::Image, "", 201, 223, 118, 86},
    ControlSpec{"Image3A_0", ControlKind::Image, "", 0, 0, 72, 20, kSans, 7, false, Moves::PassThrough},
    ControlSpec{"Image3A", ControlKind::Image, "", 0, 0, 72, 20, kSans, 7, false, Moves::PassThrough},
    // Options dialog: title bar, tab page, the nine box pictures.
    ControlSpec{"IMAGE2BT", ControlKind::Image, "", 25, 61, 596, 27},
    ControlSpec{"IMAGE2BP", ControlKind::Image, "", 25, 88, 594, 254},
    ControlSpec{"Image241", ControlKind::Image, "", 0, 0, 15, 15, kSans, 7, false, Moves::Take, 1},
    ControlSpec{"Image242", ControlKind::Image, "", 0, 0, 15, 15, kSans, 7, false, Moves::Take, 2},
    ControlSpec{"Image243", ControlKind::Image, "", 0, 0, 15, 15, kSans, 7, false, Moves::Take, 3},
    ControlSpec{"Image244", ControlKind::Image, "", 0, 0, 15, 15, kSans, 7, false, Moves::Take, 4},
    ControlSpec{"Image245", ControlKind::Image, "", 0, 0, 15, 15, kSans, 7, false, Moves::Take, 5},
    ControlSpec{"Image246", ControlKind::Image, "", 0, 0, 15, 15, kSans, 7, false, Moves::Take, 6},
    ControlSpec{"Image247", ControlKind::Image, "", 0, 0, 15, 15, kSans, 7, false, Moves::Take, 7},
    ControlSpec{"Image248", ControlKind::Image, "", 0, 0, 15, 15, kSans, 7, false, Moves::Take, 8},
    ControlSpec{"Image249", ControlKind::Image, "", 0, 0, 15, 15, kSans, 7, false, Moves::Take, 9},
    // Operation dialogs and their contents.
    ControlSpec{"Image4B", ControlKind::Image, "", 60, 100, 468, 168},
    ControlSpec{"ScrollBox1", ControlKind::ScrollBox, "", 139, 115, 372, 181},
    ControlSpec{"Image5DA", ControlKind::Image, "ScrollBox1", 0, 0, 372, 1573},
    ControlSpec{"IMAGEH", ControlKind::Image, "ScrollBox1", 0, 0, 565, 2313},
    ControlSpec{"Image3D", ControlKind::Image, "", 0, 0, 167, 15},
    ControlSpec{"Image2D", ControlKind::Image, "", 0, 0, 210, 28},
    ControlSpec{"Edit1", ControlKind::Edit, "", 0, 0, 62, 11, kSans, 7, false, Moves::Take, 1},
    ControlSpec{"Edit2", ControlKind::Edit, "", 0, 0, 62, 11, kSans, 7, false, Moves::Take, 2},
    ControlSpec{"Edit3", ControlKind::Edit, "", 0, 0, 62, 11, kSans, 7, false, Moves::Take, 3},
    ControlSpec{"Edit4", ControlKind::Edit, "", 0, 0, 62, 11, kSans, 7, false, Moves::Take, 4},
    ControlSpec{"Image4A_0", ControlKind::Image, "", 0, 0, 68, 20},
    ControlSpec{"Image4A", ControlKind::Image, "", 0, 0, 68, 20},
    // Message boxes.
    ControlSpec{"Image4D", ControlKind::Image, "", 130, 104, 358, 143},
    // Text labels of tables, panels and message boxes.
    ControlSpec{"Label1", ControlKind::Label, "", 0, 0, 0, 0},
    ControlSpec{"Label2", ControlKind::Label, "", 0, 0, 0, 0},
    ControlSpec{"Label3", ControlKind::Label, "", 0, 0, 0, 0},
    ControlSpec{"Label4", ControlKind::Label, "", 0, 0, 0, 0},
    ControlSpec{"Label5", ControlKind::Label, "", 0, 0, 0, 0},
    ControlSpec{"Label6", ControlKind::Label, "", 0, 0, 0, 0},
    ControlSpec{"Label7", ControlKind::Label, "", 0, 0, 0, 0},
    ControlSpec{"Label8", ControlKind::Label, "", 0, 0, 0, 0},
    ControlSpec{"Label9", ControlKind::Label, "", 0, 0, 0, 0},
    ControlSpec{"Label10", ControlKind::Label, "", 0, 0, 0, 0},
    ControlSpec{"Label11", ControlKind::Label, "", 0, 0, 0, 0},
    ControlSpec{"Label12", ControlKind::Label, "", 0, 0, 0, 0},
    ControlSpec{"Label13", ControlKind::Label, "", 0, 0, 0, 0},
    ControlSpec{"Label14", ControlKind::Label, "", 0, 0, 0, 0},
    ControlSpec{"Label15", ControlKind::Label, "", 0, 0, 0, 0},
    ControlSpec{"Label21", ControlKind::Label, "", 0, 0, 0, 0},
    ControlSpec{"Label22", ControlKind::Label, "", 0, 0, 0, 0},
    ControlSpec{"Label23", ControlKind::Label, "", 0, 0, 0, 0, "Garamond", 9},
    ControlSpec{"Label24", ControlKind::Label, "", 0, 0, 0, 0, "Tahoma", 7},
    // The restriction notice.
    ControlSpec{"Edit6", ControlKind::Edit, "", 0, 35, 0, 11, "宋体", 9},
    // Scratch picture for copying icons.
    ControlSpec{"ImageTEMP", ControlKind::Image, "", 0, 0, 24, 13},
    // The focus frame: left, top, right and bottom sides.
    ControlSpec{"BAR1", ControlKind::Image, "", 0, 0, 1, 1},
    ControlSpec{"BAR2", ControlKind::Image, "", 0, 0, 1, 1},
    ControlSpec{"BAR3", ControlKind::Image, "", 0, 0, 1, 1},
    ControlSpec{"BAR4", ControlKind::Image, "", 0, 0, 1, 1},
};

}  // namespace vxr::app
