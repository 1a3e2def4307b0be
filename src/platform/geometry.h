#pragma once
// Points and rectangles in pixel coordinates. A Rect is half-open like a
// Win32 RECT: it covers left .. right-1 and top .. bottom-1.

#include <algorithm>
#include <cstdint>
#include <limits>

namespace vxr::platform {

// a + b held inside int: pointer positions come from outside (a script may
// move to 2147483647) and must not wrap around.
constexpr int saturatedAdd(std::int64_t a, std::int64_t b) {
    return static_cast<int>(
        std::clamp<std::int64_t>(a + b, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

struct Point {
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(Point, Point) = default;
    friend constexpr Point operator+(Point a, Point b) { return {saturatedAdd(a.x, b.x), saturatedAdd(a.y, b.y)}; }
    friend constexpr Point operator-(Point a, Point b) {
        return {saturatedAdd(a.x, -std::int64_t{b.x}), saturatedAdd(a.y, -std::int64_t{b.y})};
    }
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr bool empty() const { return right <= left || bottom <= top; }
    constexpr bool contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    constexpr Rect intersected(const Rect& other) const {
        return {std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
                std::min(bottom, other.bottom)};
    }
    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace vxr::platform
