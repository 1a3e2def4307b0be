#pragma once
// JPEG decoding and encoding with libjpeg.

#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <vector>

#include "platform/bitmap.h"

namespace vxr::platform {

class JpegError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Decodes many pictures with one libjpeg decompressor, so its tables and
// buffers are set up once.
class JpegDecoder {
public:
    JpegDecoder();
    ~JpegDecoder();
    JpegDecoder(const JpegDecoder&) = delete;
    JpegDecoder& operator=(const JpegDecoder&) = delete;

    // Throws JpegError for data libjpeg cannot decode.
    Bitmap decode(std::span<const std::uint8_t> data);

private:
    struct State;
    std::unique_ptr<State> state_;
};

// Baseline JPEG of the bitmap at `quality` (1 to 100). Throws JpegError.
std::vector<std::uint8_t> encodeJpeg(const Bitmap& bitmap, int quality);

}  // namespace vxr::platform
