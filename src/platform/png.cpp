#include "platform/png.h"

#include <png.h>

#include <cstring>
#include <fstream>

namespace vxr::platform {

namespace {

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

struct ReadCursor {
    std::span<const std::uint8_t> data;
    std::size_t offset = 0;
};

void readBytes(png_structp png, png_bytep target, png_size_t length) {
    auto* cursor = static_cast<ReadCursor*>(png_get_io_ptr(png));
    if (length > cursor->data.size() - cursor->offset) png_error(png, "truncated PNG");
    std::memcpy(target, cursor->data.data() + cursor->offset, length);
    cursor->offset += length;
}

// One row of RGBA from the bitmap's row and its opacity bytes.
void interleaveAlpha(const Bitmap& bitmap, std::span<const std::uint8_t> alpha, int y, std::vector<std::uint8_t>& row) {
    const auto* rgb = reinterpret_cast<const std::uint8_t*>(bitmap.row(y));
    const std::size_t width = static_cast<std::size_t>(bitmap.width());
    const std::uint8_t* opacity = alpha.data() + static_cast<std::size_t>(y) * width;
    for (std::size_t x = 0; x < width; ++x) {
        std::memcpy(&row[x * 4], rgb + x * 3, 3);
        row[x * 4 + 3] = opacity[x];
    }
}

// libpng reports errors by longjmp, so this frame holds no objects with
// destructors; `out` and `row` belong to the caller. With an empty `alpha`
// the PNG is RGB, else RGBA built in `row`.
bool encodeInto(const Bitmap& bitmap, std::span<const std::uint8_t> alpha, std::vector<std::uint8_t>& out,
                std::vector<std::uint8_t>& row) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &out, appendBytes, nullptr);
    png_set_IHDR(png, info, static_cast<png_uint_32>(bitmap.width()), static_cast<png_uint_32>(bitmap.height()), 8,
                 alpha.empty() ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < bitmap.height(); ++y) {
        if (alpha.empty()) {
            png_write_row(png, reinterpret_cast<png_const_bytep>(bitmap.row(y)));
        } else {
            interleaveAlpha(bitmap, alpha, y, row);
            png_write_row(png, row.data());
        }
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

// Reads the header into `out`'s size, then the rows. Same longjmp rule.
bool decodeInto(ReadCursor& cursor, Bitmap& out) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, &cursor, readBytes);
    png_read_info(png, info);
    // Whatever the stored format, deliver 8-bit RGB.
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_strip_alpha(png);
    png_set_gray_to_rgb(png);
    png_read_update_info(png, info);
    out = Bitmap(static_cast<int>(png_get_image_width(png, info)), static_cast<int>(png_get_image_height(png, info)));
    for (int y = 0; y < out.height(); ++y) png_read_row(png, reinterpret_cast<png_bytep>(out.row(y)), nullptr);
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

}  // namespace

std::vector<std::uint8_t> encodePng(const Bitmap& bitmap) {
    std::vector<std::uint8_t> out, row;
    if (!encodeInto(bitmap, {}, out, row)) out.clear();
    return out;
}

std::vector<std::uint8_t> encodePng(const Bitmap& bitmap, std::span<const std::uint8_t> alpha) {
    const auto pixels = static_cast<std::size_t>(bitmap.width()) * static_cast<std::size_t>(bitmap.height());
    if (alpha.size() != pixels || pixels == 0) return {};
    std::vector<std::uint8_t> out, row(static_cast<std::size_t>(bitmap.width()) * 4);
    if (!encodeInto(bitmap, alpha, out, row)) out.clear();
    return out;
}

namespace {

bool writeBytes(const std::vector<std::uint8_t>& data, const std::filesystem::path& path) {
    if (data.empty()) return false;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    return static_cast<bool>(file.flush());
}

}  // namespace

bool writePng(const Bitmap& bitmap, const std::filesystem::path& path) { return writeBytes(encodePng(bitmap), path); }

bool writePng(const Bitmap& bitmap, std::span<const std::uint8_t> alpha, const std::filesystem::path& path) {
    return writeBytes(encodePng(bitmap, alpha), path);
}

std::optional<Bitmap> decodePng(std::span<const std::uint8_t> data) {
    ReadCursor cursor{data, 0};
    Bitmap out;
    if (!decodeInto(cursor, out)) return std::nullopt;
    return out;
}

}  // namespace vxr::platform
