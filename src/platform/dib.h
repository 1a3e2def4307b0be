#pragma once
// Device-independent bitmaps, the format of BITMAP resources: a
// BITMAPINFOHEADER (or a later, longer header) followed by 24-bit pixels in
// blue-green-red order, rows bottom-up unless the height is negative, each
// row padded to a multiple of four bytes.

#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

#include "platform/bitmap.h"

namespace vxr::platform {

class DibError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Decodes a packed 24-bit DIB; a .bmp file (a DIB behind a 14-byte file
// header starting "BM") is accepted too. Throws DibError for anything else.
Bitmap decodeDib(std::span<const std::uint8_t> data);

// A packed 24-bit bottom-up DIB with a BITMAPINFOHEADER, as a BITMAP
// resource holds it.
std::vector<std::uint8_t> encodeDib(const Bitmap& bitmap);

}  // namespace vxr::platform
