#pragma once
// Where the operation steps' titles and text lines are laid over their
// pictures, and the password edit.

#include "layout/steps.h"
#include "layout/table_types.h"

namespace vxr::layout {

// Overlaid texts, relative to the step picture's corner.
inline constexpr Offset kStepTitleAt{6, 4};
inline constexpr Offset kStepLine1At{44, 32};
inline constexpr Offset kStepLine2At{44, 45};
inline constexpr Offset kConfirmPasswordAt{12, 31};

// The password edit of steps 29 and 129.
inline constexpr Offset kPasswordEditAt{54, 54};
inline constexpr int kPasswordEditWidth = 226;
inline constexpr int kPasswordEditHeight = 15;

}  // namespace vxr::layout
