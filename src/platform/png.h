#pragma once
// PNG files of bitmaps, for looking at frames and pictures outside the program.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

#include "platform/bitmap.h"

namespace vxr::platform {

// An 8-bit RGB PNG of the bitmap; empty on failure.
std::vector<std::uint8_t> encodePng(const Bitmap& bitmap);
// An 8-bit RGBA PNG: the bitmap's colours with one opacity byte per pixel
// (row by row, 0 clear, 255 opaque); empty on failure or when `alpha` does
// not hold one byte per pixel.
std::vector<std::uint8_t> encodePng(const Bitmap& bitmap, std::span<const std::uint8_t> alpha);
// Writes encodePng() to a file. Returns false when encoding or writing fails.
bool writePng(const Bitmap& bitmap, const std::filesystem::path& path);
bool writePng(const Bitmap& bitmap, std::span<const std::uint8_t> alpha, const std::filesystem::path& path);
// Any PNG, converted to 8-bit RGB (alpha dropped); nullopt when it is not a PNG.
std::optional<Bitmap> decodePng(std::span<const std::uint8_t> data);

}  // namespace vxr::platform
