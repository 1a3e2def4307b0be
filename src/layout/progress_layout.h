#pragma once
// The progress screen's controls, relative to the progress picture's corner.

#include "layout/table_types.h"

namespace vxr::layout {

inline constexpr Offset kPercentBoxAt{110, 100};
inline constexpr int kPercentBoxWidth = 63;
inline constexpr int kPercentBoxHeight = 12;
inline constexpr Offset kProgressBarAt{11, 29};
inline constexpr int kProgressBarHeight = 17;
inline constexpr int kProgressBarSteps = 517;  // also its final width
inline constexpr int kDetailsLeftX = 6;
inline constexpr int kDetailsRightX = 110;
inline constexpr int kDetailsTop = 214;
inline constexpr int kDetailsRowHeight = 14;

}  // namespace vxr::layout
