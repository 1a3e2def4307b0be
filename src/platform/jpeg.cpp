#include "platform/jpeg.h"

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <string>

namespace vxr::platform {

namespace {

// libjpeg reports fatal errors through error_exit, which must not return:
// it keeps the message and jumps back to the call that started the work.
struct ErrorTrap {
    jpeg_error_mgr manager{};
    std::jmp_buf jump{};
    char message[JMSG_LENGTH_MAX] = {};
};

void trapError(j_common_ptr info) {
    auto* trap = reinterpret_cast<ErrorTrap*>(info->err);
    info->err->format_message(info, trap->message);
    std::longjmp(trap->jump, 1);
}

// Warnings about slightly damaged data are not worth a line on stderr.
void ignoreMessage(j_common_ptr) {}

void installTrap(ErrorTrap& trap) {
    jpeg_std_error(&trap.manager);
    trap.manager.error_exit = trapError;
    trap.manager.output_message = ignoreMessage;
}

// Everything between setjmp and the last libjpeg call runs in frames without
// objects that have destructors; `out` belongs to the caller.
bool decodeInto(jpeg_decompress_struct& info, ErrorTrap& trap, std::span<const std::uint8_t> data, Bitmap& out) {
    if (setjmp(trap.jump)) {
        jpeg_abort_decompress(&info);
        return false;
    }
    jpeg_mem_src(&info, data.data(), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    out = Bitmap(static_cast<int>(info.output_width), static_cast<int>(info.output_height), Bitmap::Unfilled{});
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = reinterpret_cast<JSAMPROW>(out.row(static_cast<int>(info.output_scanline)));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    return true;
}

bool encodeInto(const Bitmap& bitmap, int quality, ErrorTrap& trap, unsigned char** buffer, unsigned long* size) {
    jpeg_compress_struct info{};
    info.err = &trap.manager;
    if (setjmp(trap.jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, buffer, size);
    info.image_width = static_cast<JDIMENSION>(bitmap.width());
    info.image_height = static_cast<JDIMENSION>(bitmap.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        // libjpeg only reads the rows it is given.
        auto row =
            const_cast<JSAMPROW>(reinterpret_cast<const JSAMPLE*>(bitmap.row(static_cast<int>(info.next_scanline))));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

}  // namespace

struct JpegDecoder::State {
    jpeg_decompress_struct info{};
    ErrorTrap trap;
};

JpegDecoder::JpegDecoder() : state_(std::make_unique<State>()) {
    installTrap(state_->trap);
    state_->info.err = &state_->trap.manager;
    jpeg_create_decompress(&state_->info);
}

JpegDecoder::~JpegDecoder() { jpeg_destroy_decompress(&state_->info); }

Bitmap JpegDecoder::decode(std::span<const std::uint8_t> data) {
    Bitmap out;
    if (data.empty()) throw JpegError("JPEG: no data");
    if (!decodeInto(state_->info, state_->trap, data, out)) {
        throw JpegError(std::string("JPEG: ") + state_->trap.message);
    }
    return out;
}

std::vector<std::uint8_t> encodeJpeg(const Bitmap& bitmap, int quality) {
    if (bitmap.empty()) throw JpegError("JPEG: empty bitmap");
    ErrorTrap trap;
    installTrap(trap);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    const bool encoded = encodeInto(bitmap, quality, trap, &buffer, &size);
    std::vector<std::uint8_t> result;
    if (encoded) result.assign(buffer, buffer + size);
    std::free(buffer);
    if (!encoded) throw JpegError(std::string("JPEG: ") + trap.message);
    return result;
}

}  // namespace vxr::platform
