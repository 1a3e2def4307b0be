#pragma once
// The shapes the geometry tables are written in: offsets from a layer's
// corner and rectangles with both edges included. The value 999 marks an
// entry that does not exist; it lies outside every layer.

namespace vxr::layout {

inline constexpr int kAbsent = 999;

struct Offset {
    int x = kAbsent;
    int y = kAbsent;
    constexpr bool present() const { return x != kAbsent; }
    friend constexpr bool operator==(Offset, Offset) = default;
};

// Both edges included; one written with a single corner holds 999 as right
// and bottom.
struct InclusiveRect {
    int left = kAbsent;
    int top = kAbsent;
    int right = kAbsent;
    int bottom = kAbsent;
    constexpr bool present() const { return left != kAbsent; }
    constexpr bool contains(int x, int y) const {
        return present() && x >= left && x <= right && y >= top && y <= bottom;
    }
    constexpr int width() const { return right - left + 1; }
    constexpr int height() const { return bottom - top + 1; }
    constexpr Offset corner() const { return {left, top}; }
    friend constexpr bool operator==(const InclusiveRect&, const InclusiveRect&) = default;
};

// Hit area of a highlight picture of size (w, h) at `at`: left and top edges
// included, right and bottom excluded.
constexpr bool hitArea(Offset at, int width, int height, int x, int y) {
    return at.present() && x >= at.x && x < at.x + width && y >= at.y && y < at.y + height;
}

}  // namespace vxr::layout
