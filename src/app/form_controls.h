#pragma once
// Every named control of the main window: kind, parent, initial place and
// size, font, and whether it starts visible. The table's order is the
// creation order, so the z-order runs back to front down the table: menus
// over the screen, a submenu over the main menu's right edge, highlights over
// their menus, dialogs over menus, labels over dialogs, the focus frame in
// front of everything.

#include <array>

#include "layout/dialog_areas.h"
#include "layout/menu_geometry.h"
#include "layout/message_dialog_layout.h"
#include "layout/options_layout.h"
#include "layout/picture_list.h"
#include "layout/step_layout.h"
#include "layout/table_layout.h"

namespace vxr::app {

using layout::findPicture;

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

// Places and sizes taken from the geometry tables and the picture list; the
// handlers move and size most controls again before showing them.
constexpr int widthOf(const char* picture) { return findPicture(picture)->width; }
constexpr int heightOf(const char* picture) { return findPicture(picture)->height; }
inline constexpr auto kSubmenuAt = layout::submenu(1).at;
inline constexpr auto kThirdMenuAt = layout::thirdMenu(1, 1).at;
inline constexpr auto kFirstStepAt = layout::stepPicture(1).at;
inline constexpr auto kFileList = layout::selectionDialog(3).area;

// clang-format off
inline constexpr std::array kFormControls{
    ControlSpec{"Image0", ControlKind::Image, "", 0, 0, widthOf("F0"), heightOf("F0"), kSans, 7, true},
    ControlSpec{"Edit5", ControlKind::Edit, "", 640, 56, 20, 21, kSans, 7, true},
    // Main menu.
    ControlSpec{"Image1B", ControlKind::Image, "", layout::kMainMenuAt.x, layout::kMainMenuAt.y, widthOf("F1B"), heightOf("F1B")},
    ControlSpec{"Image1A_0", ControlKind::Image, "", 0, 0, widthOf("F10"), heightOf("F10"), kSans, 7, false, Moves::PassThrough},
    ControlSpec{"Image1A", ControlKind::Image, "", 0, 0, widthOf("F11"), heightOf("F11"), kSans, 7, false, Moves::PassThrough},
    // Second level: submenus, the options bar, the help window, the peer menu.
    ControlSpec{"Image2B", ControlKind::Image, "", kSubmenuAt.x, kSubmenuAt.y, widthOf("F21B"), heightOf("F21B")},
    ControlSpec{"Image2A_0", ControlKind::Image, "", 0, 0, widthOf("F210"), heightOf("F210"), kSans, 7, false, Moves::PassThrough},
    ControlSpec{"Image2A", ControlKind::Image, "", 0, 0, widthOf("F211"), heightOf("F211"), kSans, 7, false, Moves::PassThrough},
    // Third level.
    ControlSpec{"Image3B", ControlKind::Image, "", kThirdMenuAt.x, kThirdMenuAt.y, widthOf("F311B"), heightOf("F311B")},
    ControlSpec{"Image3A_0", ControlKind::Image, "", 0, 0, widthOf("F3110"), heightOf("F3110"), kSans, 7, false, Moves::PassThrough},
    ControlSpec{"Image3A", ControlKind::Image, "", 0, 0, widthOf("F3111"), heightOf("F3111"), kSans, 7, false, Moves::PassThrough},
    // Options dialog: title bar, tab page, the nine box pictures.
    ControlSpec{"IMAGE2BT", ControlKind::Image, "", layout::kOptionsTitleAt.x, layout::kOptionsTitleAt.y, widthOf("F240B"), heightOf("F240B")},
    ControlSpec{"IMAGE2BP", ControlKind::Image, "", layout::kOptionsTitleAt.x, layout::kOptionsTitleAt.y + heightOf("F240B"), widthOf("F241B"), heightOf("F241B")},
    ControlSpec{"Image241", ControlKind::Image, "", 0, 0, widthOf("F244"), heightOf("F244"), kSans, 7, false, Moves::Take, 1},
    ControlSpec{"Image242", ControlKind::Image, "", 0, 0, widthOf("F244"), heightOf("F244"), kSans, 7, false, Moves::Take, 2},
    ControlSpec{"Image243", ControlKind::Image, "", 0, 0, widthOf("F244"), heightOf("F244"), kSans, 7, false, Moves::Take, 3},
    ControlSpec{"Image244", ControlKind::Image, "", 0, 0, widthOf("F244"), heightOf("F244"), kSans, 7, false, Moves::Take, 4},
    ControlSpec{"Image245", ControlKind::Image, "", 0, 0, widthOf("F244"), heightOf("F244"), kSans, 7, false, Moves::Take, 5},
    ControlSpec{"Image246", ControlKind::Image, "", 0, 0, widthOf("F244"), heightOf("F244"), kSans, 7, false, Moves::Take, 6},
    ControlSpec{"Image247", ControlKind::Image, "", 0, 0, widthOf("F244"), heightOf("F244"), kSans, 7, false, Moves::Take, 7},
    ControlSpec{"Image248", ControlKind::Image, "", 0, 0, widthOf("F244"), heightOf("F244"), kSans, 7, false, Moves::Take, 8},
    ControlSpec{"Image249", ControlKind::Image, "", 0, 0, widthOf("F244"), heightOf("F244"), kSans, 7, false, Moves::Take, 9},
    // Operation dialogs and their contents.
    ControlSpec{"Image4B", ControlKind::Image, "", kFirstStepAt.x, kFirstStepAt.y, widthOf("F401B"), heightOf("F401B")},
    ControlSpec{"ScrollBox1", ControlKind::ScrollBox, "", 0, 0, kFileList.width, kFileList.height},
    ControlSpec{"Image5DA", ControlKind::Image, "ScrollBox1", 0, 0, kFileList.width, layout::kFileListHeight},
    ControlSpec{"IMAGEH", ControlKind::Image, "ScrollBox1", 0, 0, widthOf("F351B"), heightOf("F351B")},
    ControlSpec{"Image3D", ControlKind::Image, "", 0, 0, layout::kLookInLineWidth, layout::kLookInLineHeight},
    ControlSpec{"Image2D", ControlKind::Image, "", 0, 0, layout::kLookInListWidth, 0},
    ControlSpec{"Edit1", ControlKind::Edit, "", 0, 0, layout::kSizeBoxWidth, layout::kSizeBoxHeight, kSans, 7, false, Moves::Take, 1},
    ControlSpec{"Edit2", ControlKind::Edit, "", 0, 0, layout::kSizeBoxWidth, layout::kSizeBoxHeight, kSans, 7, false, Moves::Take, 2},
    ControlSpec{"Edit3", ControlKind::Edit, "", 0, 0, layout::kSizeBoxWidth, layout::kSizeBoxHeight, kSans, 7, false, Moves::Take, 3},
    ControlSpec{"Edit4", ControlKind::Edit, "", 0, 0, layout::kSizeBoxWidth, layout::kSizeBoxHeight, kSans, 7, false, Moves::Take, 4},
    ControlSpec{"Image4A_0", ControlKind::Image, "", 0, 0, widthOf("F440"), heightOf("F440")},
    ControlSpec{"Image4A", ControlKind::Image, "", 0, 0, widthOf("F441"), heightOf("F441")},
    // Message boxes.
    ControlSpec{"Image4D", ControlKind::Image, "", layout::kQuestionPosition.x, layout::kQuestionPosition.y, widthOf("F415B"), heightOf("F415B")},
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
    // The progress screen's percent box and bar.
    ControlSpec{"PercentBox", ControlKind::Label, "", 0, 0, 0, 0},
    ControlSpec{"ProgressBar", ControlKind::Image, "", 0, 0, 1, 1},
    // The restriction notice.
    ControlSpec{"Edit6", ControlKind::Edit, "", 0, 35, 0, 11, "宋体", 9},
    // Scratch picture for copying icons.
    ControlSpec{"ImageTEMP", ControlKind::Image, "", 0, 0, widthOf("FDF0"), heightOf("FDF0")},
    // The focus frame: left, top, right and bottom sides.
    ControlSpec{"BAR1", ControlKind::Image, "", 0, 0, 1, 1},
    ControlSpec{"BAR2", ControlKind::Image, "", 0, 0, 1, 1},
    ControlSpec{"BAR3", ControlKind::Image, "", 0, 0, 1, 1},
    ControlSpec{"BAR4", ControlKind::Image, "", 0, 0, 1, 1},
};
// clang-format on

}  // namespace vxr::app
