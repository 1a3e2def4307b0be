#pragma once
// Where the selection dialogs' contents stand, relative to the dialog
// picture's corner: the table or file list area of each dialog, the Look-in
// line and drop-down, the file-name edit and the disk digit in the title.

#include <array>

#include "layout/table_types.h"
#include "platform/indexing.h"

namespace vxr::layout {

struct Area {
    int width = 0;
    int height = 0;
    int left = 0;
    int top = 0;
    constexpr bool present() const { return width > 0; }
};

enum class DialogContent { None, DiskTable, PartitionTable, FileList, DetailTable };

struct SelectionDialog {
    Area area;
    DialogContent content = DialogContent::None;
};

// Index = DialogNo 1..9.
inline constexpr std::array<SelectionDialog, 10> kSelectionDialogs{{
    {},
    {{397, 51, 29, 61}, DialogContent::DiskTable},        // 1 source disk
    {{482, 91, 24, 61}, DialogContent::PartitionTable},   // 2 source partition
    {{372, 181, 19, 64}, DialogContent::FileList},        // 3 image to restore from
    {{482, 69, 24, 61}, DialogContent::PartitionTable},   // 4 partition inside an image
    {{372, 181, 19, 64}, DialogContent::FileList},        // 5 image to check
    {{397, 51, 29, 61}, DialogContent::DiskTable},        // 6 destination disk
    {{482, 113, 24, 61}, DialogContent::PartitionTable},  // 7 destination partition
    {{372, 181, 19, 64}, DialogContent::FileList},        // 8 file name of a new image
    {{482, 111, 24, 51}, DialogContent::DetailTable},     // 9 destination drive details
}};

constexpr const SelectionDialog& selectionDialog(int dialogNo) {
    return dialogNo >= 1 && dialogNo <= 9 ? cell(kSelectionDialogs, dialogNo) : kSelectionDialogs[0];
}

// The disk digit in the titles of dialogs 2 and 7, on the line of the
// title's own text (drawn at y 4 in the title's font).
inline constexpr Offset kSourceDiskDigitAt{224, 4};
inline constexpr Offset kTargetDiskDigitAt{247, 4};

// File dialogs.
inline constexpr Offset kLookInLineAt{124, 27};
inline constexpr int kLookInLineWidth = 167;
inline constexpr int kLookInLineHeight = 15;
inline constexpr Offset kLookInListAt{100, 45};
inline constexpr int kLookInListWidth = 210;
inline constexpr Offset kFileNameEditAt{121, 255};
inline constexpr int kFileNameEditWidth = 181;
inline constexpr int kFileNameEditHeight = 13;
inline constexpr int kFileListHeight = 1573;  // the file list picture before it is fitted
inline constexpr int kFileIconX = 6;
inline constexpr int kFileNameX = 24;
inline constexpr int kFileSizeRight = 226;
inline constexpr int kFileDateX = 256;
inline constexpr int kFileTextRaise = 1;  // file texts stand one line above their row
inline constexpr int kLookInIconX = 8;
inline constexpr int kLookInTextX = 26;
// Drop-down row r (from 1): icon at 13 r - 10, text at 13 r - 12; the list is
// 15 pixels taller than its rows.
inline constexpr int kLookInIconRise = 10;
inline constexpr int kLookInTextRise = 12;
inline constexpr int kLookInListExtra = 15;

// Icons of the file list and drop-down.
inline constexpr const char* kParentIcon = "FDF0";
inline constexpr const char* kDirectoryIcon = "FDF1";
inline constexpr const char* kImageIcon = "FDF2";
inline constexpr const char* kDriveIcon = "FDF3";

}  // namespace vxr::layout
