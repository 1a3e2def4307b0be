#pragma once
// 24-bit RGB colour, convertible to and from a Windows COLORREF (0x00BBGGRR).

#include <cstdint>

namespace vxr::platform {

struct Color {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    static constexpr Color fromColorRef(std::uint32_t colorRef) {
        return {static_cast<std::uint8_t>(colorRef & 0xFF), static_cast<std::uint8_t>((colorRef >> 8) & 0xFF),
                static_cast<std::uint8_t>((colorRef >> 16) & 0xFF)};
    }

    constexpr std::uint32_t toColorRef() const {
        return std::uint32_t{r} | (std::uint32_t{g} << 8) | (std::uint32_t{b} << 16);
    }

    friend constexpr bool operator==(Color, Color) = default;
};

// Bitmaps store pixels as packed Color triples, which decoders write directly.
static_assert(sizeof(Color) == 3, "Color must be three packed bytes");

namespace colors {
inline constexpr Color black{0, 0, 0};
inline constexpr Color white{255, 255, 255};
}  // namespace colors

}  // namespace vxr::platform
