#pragma once
// The switches help window and the scroll box that shows the text page in it.

#include "layout/table_types.h"

namespace vxr::layout {

inline constexpr const char* kHelpWindowPicture = "F25B";
inline constexpr const char* kHelpPagePicture = "F351B";
inline constexpr Offset kHelpWindowAt{29, 67};
inline constexpr int kHelpScrollHeight = 286;
inline constexpr int kHelpScrollInsetX = 3;  // left inset; the width is the window's less twice this
inline constexpr int kHelpScrollInsetTop = 17;

}  // namespace vxr::layout
