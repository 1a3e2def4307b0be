#pragma once
// Where the options dialog stands in the window and where its Active
// Switches labels go on tab 6.

#include "layout/table_types.h"

namespace vxr::layout {

// The options title bar F240B; the tab page stands right under it and the
// Accept/Cancel bar at this top.
inline constexpr layout::Offset kOptionsTitleAt{25, 61};
inline constexpr int kOptionsBarTop = 342;

// Active Switches labels on tab 6: two columns from this corner of the page,
// rows this far apart; the first seven fill the first column, the rest
// (up to fifteen in all) the second.
inline constexpr layout::Offset kActiveSwitchesAt{49, 61};
inline constexpr int kActiveSwitchesColumnStep = 128;
inline constexpr int kActiveSwitchesRowStep = 17;
inline constexpr int kActiveSwitchesFirstColumnRows = 7;

}  // namespace vxr::layout
