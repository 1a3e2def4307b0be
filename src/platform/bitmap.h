#pragma once
// An RGB picture held in memory, rows top to bottom, pixels left to right.

#include <memory>
#include <new>
#include <span>
#include <utility>
#include <vector>

#include "platform/color.h"
#include "platform/geometry.h"

namespace vxr::platform {

// Leaves the elements a vector grows by unwritten, so that a bitmap is
// filled once, by whoever makes it, rather than zeroed first.
template <typename T>
struct UnfilledAllocator : std::allocator<T> {
    template <typename U>
    struct rebind {
        using other = UnfilledAllocator<U>;
    };
    UnfilledAllocator() = default;
    template <typename U>
    UnfilledAllocator(const UnfilledAllocator<U>&) noexcept {}
    template <typename U>
    void construct(U*) noexcept {}
    template <typename U, typename... Args>
    void construct(U* at, Args&&... args) {
        ::new (static_cast<void*>(at)) U(std::forward<Args>(args)...);
    }
};

class Bitmap {
public:
    // For decoders that write every pixel themselves.
    struct Unfilled {};

    Bitmap() = default;
    Bitmap(int width, int height, Color fill = colors::black);
    Bitmap(int width, int height, Unfilled);

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return width_ == 0 || height_ == 0; }
    Rect bounds() const { return {0, 0, width_, height_}; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    // Reading or writing outside the bitmap is a programming error for
    // pixel() and row(); setPixel() ignores points outside.
    Color pixel(int x, int y) const { return pixels_[index(x, y)]; }
    void setPixel(int x, int y, Color color) {
        if (contains(x, y)) pixels_[index(x, y)] = color;
    }
    Color* row(int y) { return pixels_.data() + index(0, y); }
    const Color* row(int y) const { return pixels_.data() + index(0, y); }
    std::span<const Color> pixels() const { return pixels_; }

    // Fills the part of `area` that lies inside the bitmap.
    void fill(const Rect& area, Color color);
    // Changes the size, keeping the pixels of the overlapping top-left part
    // and filling the new area with `fill`.
    void resize(int width, int height, Color fill = colors::black);

    friend bool operator==(const Bitmap&, const Bitmap&) = default;

private:
    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
    }

    int width_ = 0;
    int height_ = 0;
    std::vector<Color, UnfilledAllocator<Color>> pixels_;
};

}  // namespace vxr::platform
