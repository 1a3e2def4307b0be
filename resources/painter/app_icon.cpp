// The program's icon for the desktop menu: the maker's mark on a clear
// background, at every size the icon theme asks for.

#include "app_icon.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "artwork.h"
#include "platform/png.h"

namespace vxr::painter {

namespace {

// The sizes of the hicolor theme's fixed-size folders, in pixels.
constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// The mark drawn over black and over white tells each pixel's cover: where
// the two differ by d, the mark lets (d / 255) of the background through.
// The colour over black, divided by the cover, is the mark's own colour.
struct ClearPicture {
    Bitmap colours;
    std::vector<std::uint8_t> alpha;
};

std::uint8_t unblend(std::uint8_t overBlack, int cover) {
    return static_cast<std::uint8_t>(std::min(255, (overBlack * 255 + cover / 2) / cover));
}

ClearPicture markOnClear(int size) {
    Bitmap overBlack = blank(size, size, kBlack), overWhite = blank(size, size, kWhite);
    makerLogo(overBlack, 0, 0, size);
    makerLogo(overWhite, 0, 0, size);
    ClearPicture out{blank(size, size, kBlack), std::vector<std::uint8_t>(static_cast<std::size_t>(size) * size)};
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const Color b = overBlack.pixel(x, y), w = overWhite.pixel(x, y);
            const int cover = 255 - (w.g - b.g);
            out.alpha[static_cast<std::size_t>(y) * size + x] = static_cast<std::uint8_t>(cover);
            if (cover > 0)
                out.colours.setPixel(x, y, Color{unblend(b.r, cover), unblend(b.g, cover), unblend(b.b, cover)});
        }
    }
    return out;
}

}  // namespace

void writeAppIcons(const std::filesystem::path& folder, const std::string& name) {
    for (const int size : kIconSizes) {
        const std::string square = std::to_string(size) + "x" + std::to_string(size);
        const std::filesystem::path apps = folder / square / "apps";
        std::filesystem::create_directories(apps);
        const ClearPicture icon = markOnClear(size);
        if (!platform::writePng(icon.colours, icon.alpha, apps / (name + ".png"))) {
            throw std::runtime_error("cannot write the " + square + " icon in " + apps.string());
        }
    }
}

}  // namespace vxr::painter
