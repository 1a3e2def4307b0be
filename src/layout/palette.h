#pragma once
// The nine fixed colours of the tool's screens, numbered 1 to 9.

#include <array>

#include "platform/color.h"
#include "platform/indexing.h"

namespace vxr::layout {

using platform::Color;

inline constexpr std::array<Color, 10> kPalette{{
    {0, 0, 0},        // unused
    {156, 154, 156},  // 1 tables, lists, drop-downs
    {0, 48, 206},     // 2 title bars, chosen rows
    {0, 101, 255},    // 3 cursor rows
    {198, 195, 198},  // 4 edits, buttons
    {80, 86, 160},    // 5 progress bar
    {95, 95, 95},     // 6 rows that cannot be chosen
    {132, 130, 132},  // 7 dialog bodies, message lines
    {123, 125, 123},  // 8 Details box
    {206, 207, 206},  // 9 title text
}};

constexpr Color palette(int n) { return n >= 1 && n <= 9 ? cell(kPalette, n) : kPalette[0]; }

}  // namespace vxr::layout
