#pragma once
// Pictures shared by the program that makes the platform tests' embedded
// resources and the tests that read them back.

#include <cstdint>
#include <ostream>
#include <string_view>

#include "platform/bitmap.h"

namespace vxr::platform {

// Lets test failures show colours as numbers.
inline void PrintTo(Color color, std::ostream* out) {
    *out << "rgb(" << int{color.r} << ", " << int{color.g} << ", " << int{color.b} << ")";
}

}  // namespace vxr::platform

namespace vxr::platform::testing {

// A picture with smooth gradients and hard-edged blocks, so that lossy
// round trips are measured on both.
inline Bitmap gradientPicture(int width, int height) {
    Bitmap picture(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool block = ((x / 16) + (y / 16)) % 5 == 0;
            picture.setPixel(x, y,
                             block ? Color{200, 40, 40}
                                   : Color{static_cast<std::uint8_t>(x * 255 / (width - 1)),
                                           static_cast<std::uint8_t>(y * 255 / (height - 1)), 128});
        }
    }
    return picture;
}

// Small, odd-sized and with a distinct colour at every pixel, so that row
// order, padding and channel order errors all show.
inline Bitmap swatchPicture() {
    Bitmap picture(5, 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            picture.setPixel(x, y,
                             Color{static_cast<std::uint8_t>(40 * x), static_cast<std::uint8_t>(80 * y),
                                   static_cast<std::uint8_t>(250 - 10 * x - 60 * y)});
        }
    }
    return picture;
}

inline constexpr int kGradientWidth = 64;
inline constexpr int kGradientHeight = 48;
inline constexpr std::string_view kGreeting = "hello from the resource table\n";

}  // namespace vxr::platform::testing
