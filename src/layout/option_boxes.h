#pragma once
// The options dialog's boxes: for each tab 1..5 and box 1..9 the place on the
// tab page, the style and the boxes that turning it on clears. Option word t
// holds tab t, box n in bit n-1. The painter and the click handlers read this
// one table; the texts listed under "Active Switches" are the model's
// (model/option_names.h).

#include <array>
#include <cstdint>
#include <initializer_list>

#include "layout/table_types.h"
#include "model/option_names.h"
#include "platform/indexing.h"

namespace vxr::layout {

inline constexpr int kCheckBox = 4;
inline constexpr int kRadioButton = 6;
inline constexpr int kOptionTabs = model::bytes::kOptionWords;
inline constexpr int kBoxesPerTab = model::kBoxesPerOptionWord;

struct OptionBox {
    int x = kAbsent;  // relative to the tab page
    int y = kAbsent;
    int style = 0;
    std::uint16_t clears = 0;  // bit n-1: box n is cleared when this one is turned on

    bool present() const { return x != kAbsent; }
};

constexpr std::uint16_t boxes(std::initializer_list<int> numbers) {
    std::uint16_t mask = 0;
    for (int n : numbers) mask = static_cast<std::uint16_t>(mask | 1u << (n - 1));
    return mask;
}

// The lock-type radio buttons 2..9 of the security tab exclude each other.
constexpr std::uint16_t otherLockTypes(int box) {
    return static_cast<std::uint16_t>(boxes({2, 3, 4, 5, 6, 7, 8, 9}) & ~(1u << (box - 1)));
}

inline constexpr OptionBox kNoOptionBox{};

// clang-format off
inline constexpr std::array<std::array<OptionBox, kBoxesPerTab>, kOptionTabs> kOptionBoxTable{{
    // 1 Span/CRC
    {{{35, 55, kCheckBox, 0},
      {35, 97, kCheckBox, 0},
      {35, 139, kCheckBox, 0},
      {35, 181, kCheckBox, 0},
      {35, 223, kCheckBox, 0},
      kNoOptionBox, kNoOptionBox, kNoOptionBox, kNoOptionBox}},
    // 2 FAT32/64
    {{{35, 55, kCheckBox, boxes({2})},
      {35, 110, kCheckBox, boxes({1, 3})},
      {35, 165, kCheckBox, boxes({2})},
      kNoOptionBox, kNoOptionBox, kNoOptionBox, kNoOptionBox, kNoOptionBox, kNoOptionBox}},
    // 3 Misc
    {{{35, 55, kCheckBox, 0},
      {35, 110, kCheckBox, 0},
      {35, 165, kCheckBox, boxes({4})},
      {35, 220, kCheckBox, boxes({3})},
      kNoOptionBox, kNoOptionBox, kNoOptionBox, kNoOptionBox, kNoOptionBox}},
    // 4 Image/Tape
    {{{36, 41, kRadioButton, boxes({2, 3, 4})},
      {36, 71, kRadioButton, boxes({1, 3, 4})},
      {36, 101, kRadioButton, boxes({1, 2, 4})},
      {36, 131, kRadioButton, boxes({1, 2, 3})},
      {36, 172, kRadioButton, boxes({6, 7})},
      {36, 194, kRadioButton, boxes({5, 7})},
      {154, 172, kRadioButton, boxes({5, 6})},
      {323, 171, kCheckBox, 0},
      kNoOptionBox}},
    // 5 Security
    {{{35, 55, kCheckBox, 0},
      {124, 144, kRadioButton, otherLockTypes(2)},
      {124, 165, kRadioButton, otherLockTypes(3)},
      {124, 186, kRadioButton, otherLockTypes(4)},
      {124, 207, kRadioButton, otherLockTypes(5)},
      {264, 144, kRadioButton, otherLockTypes(6)},
      {264, 165, kRadioButton, otherLockTypes(7)},
      {264, 186, kRadioButton, otherLockTypes(8)},
      {264, 207, kRadioButton, otherLockTypes(9)}}},
}};
// clang-format on

// Box n (1..9) of tab t (1..5); an absent box outside the table.
constexpr const OptionBox& optionBox(int tab, int box) {
    if (tab < 1 || tab > kOptionTabs || box < 1 || box > kBoxesPerTab) return kNoOptionBox;
    return at(at(kOptionBoxTable, tab), box);
}

}  // namespace vxr::layout
