#pragma once
// Drawing the controls share: clipped copies of pictures onto the frame and
// the one-pixel light and dark edges of raised and sunken 3D surfaces.

#include "platform/bitmap.h"
#include "platform/geometry.h"

namespace vxr::platform {

// The face colour of windows and buttons.
inline constexpr Color kButtonFace{212, 208, 200};
inline constexpr Color kEdgeHighlight{255, 255, 255};
inline constexpr Color kEdgeLight = kButtonFace;
inline constexpr Color kEdgeShadow{128, 128, 128};
inline constexpr Color kEdgeDarkShadow{64, 64, 64};

// Copies `picture` with its top-left corner at `at`, touching only `clip`.
void blit(Bitmap& frame, Point at, const Bitmap& picture, const Rect& clip);

// Two-pixel 3D edges just inside `area`, as buttons (raised) and edit
// fields (sunken) have them.
void drawRaisedEdge(Bitmap& target, const Rect& area);
void drawSunkenEdge(Bitmap& target, const Rect& area);

}  // namespace vxr::platform
