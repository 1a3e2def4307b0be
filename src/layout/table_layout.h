#pragma once
// Layout of the drive and partition tables: 13-pixel rows and where each
// column's text stands. A Right placement means the text ends at x; Left
// that it starts at x; Centre that it is centred on x.

#include <array>

#include "platform/color.h"

namespace vxr::layout {

inline constexpr int kRowHeight = 13;
// A row's band covers its top 11 lines; its texts stand one line higher
// than the band's top.
inline constexpr int kRowBandDepth = 11;
inline constexpr int kRowTextRaise = 1;
// The cursor rows' frame.
inline constexpr int kCursorFrameWidth = 2;
inline constexpr int kCursorFrameInset = 1;
inline constexpr int kDiskTableWidth = 397;
inline constexpr int kPartitionTableWidth = 482;

enum class Align { Left, Right, Centre };

struct Column {
    const char* head;
    Align align;
    int x;
};

// Disk rows (row kind 1).
inline constexpr std::array<Column, 6> kDiskColumns{{
    {"Drive", Align::Left, 36},
    {"Size(MB)", Align::Right, 114},
    {"Type", Align::Centre, 162},
    {"Cylinders", Align::Right, 244},
    {"Heads", Align::Right, 306},
    {"Sectors", Align::Right, 380},
}};

// Partition rows (row kinds 2 and 6); the "NEW" row's Part text starts at 16.
inline constexpr std::array<Column, 6> kPartitionColumns{{
    {"Part", Align::Left, 30},
    {"Type", Align::Right, 98},
    {"ID", Align::Right, 138},
    {"Description", Align::Right, 210},
    {"Size", Align::Right, 380},
    {"Data Size", Align::Right, 460},
}};
inline constexpr int kNewRowPartX = 16;
inline constexpr int kPartitionLabelX = 250;  // the empty Label column of the heads

// Detail rows (row kinds 3, 12 and 13). Row kind 12 has no New Size column,
// and its "Size" stands where the others show "Old Size".
inline constexpr std::array<Column, 7> kDetailColumns{{
    {"Part", Align::Left, 16},
    {"Type", Align::Left, 48},
    {"ID", Align::Left, 102},
    {"Description", Align::Left, 138},
    {"New Size", Align::Right, 324},
    {"Old Size", Align::Right, 396},
    {"Data Size", Align::Right, 460},
}};
inline constexpr int kDetailLabelX = 212;  // the empty Label column of the destination details' heads

// Footers: "Free" and "Total" lines.
struct FooterLayout {
    int freeLabelX;  // "Free", left
    int freeValueX;  // free space
    Align freeValueAlign;
    int totalLabelX;  // "Total", left
    int capacityX;
    Align capacityAlign;
};
inline constexpr FooterLayout kPartitionFooter{300, 380, Align::Right, 298, 380, Align::Right};  // row kind 4
inline constexpr FooterLayout kDetailFooter{224, 270, Align::Left, 220, 270, Align::Left};       // row kinds 5, 15
inline constexpr int kFooterLineLeft = 6;
inline constexpr int kFooterLineRight = 476;
inline constexpr int kFooterTotalDrop = 25;  // the Total line stands this far below the footer row's top
// A black line and a light line under the Free line.
inline constexpr int kFooterDarkLineDrop = 18;
inline constexpr int kFooterLightLineDrop = 19;
inline constexpr platform::Color kFooterLightLine{207, 207, 207};

// Size boxes: x for partition operations (column 1) and disk operations (column 2).
inline constexpr std::array<int, 3> kSizeBoxX{{0, 342, 268}};
inline constexpr int kSizeBoxWidth = 62;
inline constexpr int kSizeBoxHeight = 11;
inline constexpr int kSizeBoxDrop = 1;  // below its row's top

}  // namespace vxr::layout
