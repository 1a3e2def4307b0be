#include "platform/dib.h"

#include <cstdlib>

namespace vxr::platform {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::uint16_t kBitsPerPixel = 24;
constexpr std::uint32_t kUncompressed = 0;  // BI_RGB

std::uint32_t readU32(std::span<const std::uint8_t> data, std::size_t offset) {
    return std::uint32_t{data[offset]} | (std::uint32_t{data[offset + 1]} << 8) |
           (std::uint32_t{data[offset + 2]} << 16) | (std::uint32_t{data[offset + 3]} << 24);
}

std::uint16_t readU16(std::span<const std::uint8_t> data, std::size_t offset) {
    return static_cast<std::uint16_t>(data[offset] | (data[offset + 1] << 8));
}

void writeU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void writeU16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

std::size_t paddedRowBytes(int width) { return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3}; }

std::span<const std::uint8_t> withoutFileHeader(std::span<const std::uint8_t> data) {
    if (data.size() >= kFileHeaderSize && data[0] == 'B' && data[1] == 'M') return data.subspan(kFileHeaderSize);
    return data;
}

struct DibHeader {
    std::size_t headerSize = 0;
    int width = 0;
    int height = 0;
    bool topDown = false;
};

DibHeader readHeader(std::span<const std::uint8_t> dib) {
    if (dib.size() < kInfoHeaderSize) throw DibError("DIB: shorter than its header");
    DibHeader header;
    header.headerSize = readU32(dib, 0);
    const auto width = static_cast<std::int32_t>(readU32(dib, 4));
    const auto height = static_cast<std::int32_t>(readU32(dib, 8));
    if (header.headerSize < kInfoHeaderSize || header.headerSize > dib.size()) throw DibError("DIB: unknown header");
    if (readU16(dib, 14) != kBitsPerPixel) throw DibError("DIB: not 24 bits per pixel");
    if (readU32(dib, 16) != kUncompressed) throw DibError("DIB: compressed");
    if (width <= 0 || height == 0 || width > 32768 || std::abs(height) > 32768) throw DibError("DIB: bad size");
    header.width = width;
    header.height = std::abs(height);
    header.topDown = height < 0;
    return header;
}

}  // namespace

Bitmap decodeDib(std::span<const std::uint8_t> data) {
    const std::span<const std::uint8_t> dib = withoutFileHeader(data);
    const DibHeader header = readHeader(dib);
    const std::size_t rowBytes = paddedRowBytes(header.width);
    const std::span<const std::uint8_t> pixels = dib.subspan(header.headerSize);
    if (pixels.size() < rowBytes * static_cast<std::size_t>(header.height)) throw DibError("DIB: pixels missing");
    Bitmap bitmap(header.width, header.height, Bitmap::Unfilled{});
    for (int y = 0; y < header.height; ++y) {
        const int stored = header.topDown ? y : header.height - 1 - y;
        const std::uint8_t* source = pixels.data() + static_cast<std::size_t>(stored) * rowBytes;
        Color* target = bitmap.row(y);
        for (int x = 0; x < header.width; ++x, source += 3) target[x] = Color{source[2], source[1], source[0]};
    }
    return bitmap;
}

std::vector<std::uint8_t> encodeDib(const Bitmap& bitmap) {
    const std::size_t rowBytes = paddedRowBytes(bitmap.width());
    const auto imageBytes = static_cast<std::uint32_t>(rowBytes * static_cast<std::size_t>(bitmap.height()));
    std::vector<std::uint8_t> out;
    out.reserve(kInfoHeaderSize + imageBytes);
    writeU32(out, kInfoHeaderSize);
    writeU32(out, static_cast<std::uint32_t>(bitmap.width()));
    writeU32(out, static_cast<std::uint32_t>(bitmap.height()));
    writeU16(out, 1);  // planes
    writeU16(out, kBitsPerPixel);
    writeU32(out, kUncompressed);
    writeU32(out, imageBytes);
    for (int i = 0; i < 4; ++i) writeU32(out, 0);  // resolution and palette fields, unused
    for (int y = bitmap.height() - 1; y >= 0; --y) {
        const Color* source = bitmap.row(y);
        for (int x = 0; x < bitmap.width(); ++x) {
            out.insert(out.end(), {source[x].b, source[x].g, source[x].r});
        }
        out.resize(kInfoHeaderSize + rowBytes * static_cast<std::size_t>(bitmap.height() - y), 0);
    }
    return out;
}

}  // namespace vxr::platform
