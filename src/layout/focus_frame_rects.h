#pragma once
// Where the focus frame stands: for the operation dialogs a rectangle per
// dialog number, for the options dialog a rectangle per tab and field. Window
// client coordinates, both edges included.

#include <array>

#include "layout/table_types.h"
#include "platform/indexing.h"

namespace vxr::layout {

inline constexpr int kFrameDialogs = 30;

// Dialog number 1..30 -> rectangle number in kDialogFrameRects (0: no frame).
// The file dialogs also use 11 (file-name field) and 12 (Look-in box).
inline constexpr std::array<int, kFrameDialogs + 1> kDialogFrameRows{
    {0, 1, 5, 3, 9, 3, 2, 6, 3, 4, 0, 7, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}};

inline constexpr std::array<InclusiveRect, 10> kDialogFrameRects{{
    {0, 0, 0, 0},
    {88, 144, 486, 212},
    {115, 172, 513, 240},
    {138, 98, 511, 296},
    {68, 130, 551, 258},
    {68, 142, 551, 250},
    {68, 142, 551, 272},
    {237, 302, 422, 319},
    {218, 74, 431, 94},
    {68, 142, 551, 228},
}};

// Options tab 1..6, field 1..10; field 1 is the tab's own label in the strip.
// Unlisted fields are all zero, except tab 1 field 7, which holds left 81.
inline constexpr int kOptionFrameTabs = 6;
inline constexpr int kOptionFrameFields = 10;
inline constexpr InclusiveRect kZeroRect{0, 0, 0, 0};
// clang-format off
inline constexpr std::array<std::array<InclusiveRect, kOptionFrameFields>, kOptionFrameTabs> kOptionsFrameRects{{
    {{{68, 92, 112, 107}, {81, 143, 127, 158}, {81, 185, 132, 200}, {81, 227, 169, 242}, {81, 269, 136, 284},
      {81, 311, 148, 326}, {81, 0, 0, 0}, kZeroRect, kZeroRect, kZeroRect}},
    {{{125, 92, 179, 105}, {81, 143, 168, 158}, {81, 198, 166, 213}, {81, 253, 130, 268}, kZeroRect, kZeroRect,
      kZeroRect, kZeroRect, kZeroRect, kZeroRect}},
    {{{190, 92, 217, 105}, {81, 143, 112, 158}, {81, 198, 150, 213}, {81, 253, 124, 268}, {81, 308, 138, 323},
      kZeroRect, kZeroRect, kZeroRect, kZeroRect, kZeroRect}},
    {{{229, 92, 291, 105}, {81, 128, 122, 143}, {81, 158, 130, 173}, {81, 188, 142, 203}, {81, 218, 140, 233},
      {81, 259, 123, 274}, {81, 281, 156, 296}, {200, 259, 282, 274}, {370, 259, 428, 274}, kZeroRect}},
    {{{303, 92, 347, 105}, {81, 143, 327, 158}, {169, 231, 200, 246}, {169, 252, 236, 267}, {169, 273, 240, 288},
      {169, 294, 212, 309}, {309, 231, 379, 246}, {309, 252, 337, 267}, {309, 273, 450, 288}, {309, 294, 349, 309}}},
    {{{360, 92, 425, 105}, kZeroRect, kZeroRect, kZeroRect, kZeroRect, kZeroRect, kZeroRect, kZeroRect, kZeroRect,
      kZeroRect}},
}};
// clang-format on

// Frame rectangle of an operation dialog, or none.
constexpr const InclusiveRect* dialogFrameRect(int dialogNo) {
    if (dialogNo < 1 || dialogNo > kFrameDialogs) return nullptr;
    const int row = cell(kDialogFrameRows, dialogNo);
    return row == 0 ? nullptr : &cell(kDialogFrameRects, row);
}

constexpr InclusiveRect optionsFrameRect(int tab, int field) {
    if (tab < 1 || tab > kOptionFrameTabs || field < 1 || field > kOptionFrameFields) return kZeroRect;
    return at(at(kOptionsFrameRects, tab), field);
}

}  // namespace vxr::layout
