// Writes the resource folder embedded in the platform tests: a JPEG
// (RCDATA GRADIENT), a DIB (BITMAP SWATCH) and a text (RCDATA GREETING).

#include <filesystem>
#include <fstream>
#include <iostream>
#include <span>

#include "platform/dib.h"
#include "platform/jpeg.h"
#include "platform/test_pictures.h"

namespace {

bool writeFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file.flush());
}

}  // namespace

int main(int argc, char** argv) {
    using namespace vxr::platform;
    if (argc != 2) {
        std::cerr << "usage: make_test_resources <folder>\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    const auto jpeg = encodeJpeg(testing::gradientPicture(testing::kGradientWidth, testing::kGradientHeight), 92);
    const auto dib = encodeDib(testing::swatchPicture());
    const auto* text = reinterpret_cast<const std::uint8_t*>(testing::kGreeting.data());
    const bool written = writeFile(folder / "gradient.jpg", jpeg) && writeFile(folder / "swatch.bmp", dib) &&
                         writeFile(folder / "Greeting.txt", {text, testing::kGreeting.size()});
    if (!written) std::cerr << "make_test_resources: cannot write to " << folder << "\n";
    return written ? 0 : 1;
}
