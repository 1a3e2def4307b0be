#include "platform/bitmap.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace vxr::platform {

namespace {

std::size_t pixelCount(int width, int height) {
    if (width < 0 || height < 0) throw std::invalid_argument("negative bitmap size");
    return static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
}

}  // namespace

Bitmap::Bitmap(int width, int height, Unfilled) : width_(width), height_(height), pixels_(pixelCount(width, height)) {}

Bitmap::Bitmap(int width, int height, Color fill) : Bitmap(width, height, Unfilled{}) {
    // A grey (black and white included) is one byte repeated.
    if (fill.r == fill.g && fill.g == fill.b) {
        std::memset(static_cast<void*>(pixels_.data()), fill.r, pixels_.size() * sizeof(Color));
    } else {
        std::fill(pixels_.begin(), pixels_.end(), fill);
    }
}

void Bitmap::fill(const Rect& area, Color color) {
    const Rect clipped = area.intersected(bounds());
    if (clipped.empty()) return;
    for (int y = clipped.top; y < clipped.bottom; ++y) {
        Color* line = row(y);
        std::fill(line + clipped.left, line + clipped.right, color);
    }
}

void Bitmap::resize(int width, int height, Color fill) {
    Bitmap resized(width, height, fill);
    const int keepWidth = std::min(width, width_);
    const int keepHeight = std::min(height, height_);
    for (int y = 0; y < keepHeight; ++y) std::copy_n(row(y), keepWidth, resized.row(y));
    *this = std::move(resized);
}

}  // namespace vxr::platform
