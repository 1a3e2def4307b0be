// Median times of the platform's hot paths: drawing one 40-character line of
// dialog text, and decoding one 640 x 480 screen picture. Also the one-off
// cost of the first text, which loads the font configuration.
//
//   vxr_platform_bench [rounds]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "median_time.h"
#include "platform/canvas.h"
#include "platform/jpeg.h"

namespace {

using namespace vxr::platform;
using vxr::bench::medianMicroseconds;

// A screen-like picture: gradients, flat panels and fine lines, so the
// encoder has the kind of content real screens have.
Bitmap screenLikePicture() {
    Bitmap picture(640, 480);
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            picture.setPixel(x, y,
                             Color{static_cast<std::uint8_t>(x * 255 / 639), static_cast<std::uint8_t>(y * 255 / 479),
                                   static_cast<std::uint8_t>((x ^ y) & 0x3F)});
        }
    }
    Canvas canvas(picture);
    canvas.brush().color = Color{132, 130, 132};
    canvas.fillRect({60, 80, 580, 400});
    canvas.font() = {"Microsoft Sans Serif", 7, false, colors::black};
    for (int row = 0; row < 24; ++row) canvas.textOut(70, 90 + 13 * row, "Partition 1  Primary  07  NTFS  4096");
    return picture;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;

    Bitmap target(640, 480, Color{156, 154, 156});
    Canvas canvas(target);
    canvas.brush().color = Color{156, 154, 156};
    canvas.font() = {"Microsoft Sans Serif", 7, false, colors::black};
    const char* line = "Proceed with disk clone? Size 4096 MB 12";  // 40 characters
    const auto setupStart = std::chrono::steady_clock::now();
    canvas.textOut(0, 0, line);  // fonts and glyphs loaded before timing
    const double setupMicros =
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - setupStart).count();
    const double textMicros = medianMicroseconds(rounds, [&] { canvas.textOut(10, 100, line); });

    const std::vector<std::uint8_t> jpeg = encodeJpeg(screenLikePicture(), 92);
    JpegDecoder decoder;
    const double jpegMicros = medianMicroseconds(std::max(1, rounds / 10), [&] { decoder.decode(jpeg); });

    std::printf("first text, font set-up included: %.0f us once\n", setupMicros);
    std::printf("text line (40 characters, 7 pt): %.1f us median\n", textMicros);
    std::printf("JPEG decode (640 x 480, %zu bytes): %.1f us median\n", jpeg.size(), jpegMicros);
    return 0;
}
