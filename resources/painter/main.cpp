// vxr_painter: draws every screen picture of the trainer.
//
//   vxr_painter --out DIR   the resources: NAME.jpg (JPEG) or NAME.bmp (24-bit DIB)
//   vxr_painter --png DIR   NAME.png of every picture, contact-sheet.png, and
//                           composites/*.png of the window as the trainer lays
//                           the pictures together
//   vxr_painter --icons DIR NAME
//                           the desktop icon DIR/<n>x<n>/apps/NAME.png at each
//                           size of the hicolor icon theme

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "app_icon.h"
#include "layout/picture_list.h"
#include "look.h"
#include "platform/dib.h"
#include "platform/jpeg.h"
#include "platform/png.h"
#include "registry.h"
#include "scene.h"

namespace vxr::painter {

namespace {

namespace fs = std::filesystem;

constexpr int kJpegQuality = 92;

const layout::PictureSpec& listedPicture(const std::string& name) {
    const layout::PictureSpec* found = layout::findPicture(name);
    if (!found) throw std::runtime_error("no picture named " + name + " in the picture list");
    return *found;
}

Registry allGenerators() {
    Registry registry;
    addMenuPictures(registry);
    addDialogPictures(registry);
    addScreenPictures(registry);
    addProgressPicture(registry);
    addHelpPage(registry);
    addOptionPictures(registry);
    addIconPictures(registry);
    return registry;
}

Bitmap paint(const Registry& registry, const layout::PictureSpec& picture) {
    auto generator = registry.find(picture.name);
    if (generator == registry.end()) throw std::runtime_error(std::string("nothing paints ") + picture.name);
    Bitmap bitmap = generator->second();
    if (bitmap.width() != picture.width || bitmap.height() != picture.height) {
        throw std::runtime_error(std::string(picture.name) + " painted at " + std::to_string(bitmap.width()) + " x " +
                                 std::to_string(bitmap.height()) + ", listed as " + std::to_string(picture.width) +
                                 " x " + std::to_string(picture.height));
    }
    return bitmap;
}

void writeBytes(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

void writeResources(const fs::path& folder) {
    const Registry registry = allGenerators();
    for (const auto& picture : layout::kPictures) {
        const Bitmap bitmap = paint(registry, picture);
        if (picture.kind == layout::PictureKind::Jpeg) {
            writeBytes(folder / (std::string(picture.name) + ".jpg"), platform::encodeJpeg(bitmap, kJpegQuality));
        } else {
            writeBytes(folder / (std::string(picture.name) + ".bmp"), platform::encodeDib(bitmap));
        }
    }
}

// Every picture with its name under it, in rows as wide as the main screen.
Bitmap contactSheet(const std::vector<std::pair<std::string, Bitmap>>& pictures) {
    constexpr int kWidth = 1300, kGap = 12, kLabel = 14;
    int x = kGap, y = kGap, rowHeight = 0;
    std::vector<std::pair<int, int>> places;
    for (const auto& [name, bitmap] : pictures) {
        if (x + bitmap.width() + kGap > kWidth && x > kGap) {
            x = kGap;
            y += rowHeight + kLabel + kGap;
            rowHeight = 0;
        }
        places.emplace_back(x, y);
        x += std::max(bitmap.width(), 40) + kGap;
        rowHeight = std::max(rowHeight, bitmap.height());
    }
    Bitmap sheet(kWidth, y + rowHeight + kLabel + kGap, Color{40, 40, 40});
    Canvas canvas(sheet);
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const auto [px, py] = places[i];
        canvas.draw(px, py, pictures[i].second);
        text(canvas, px, py + pictures[i].second.height() + 1, pictures[i].first, kSans, 7, kWhite);
    }
    return sheet;
}

void savePng(const Bitmap& bitmap, const fs::path& path) {
    if (!platform::writePng(bitmap, path)) throw std::runtime_error("cannot write " + path.string());
}

// The window with pictures laid together as the trainer shows them.
int writeComposites(const PictureSet& pictures, const fs::path& folder) {
    std::vector<Composite> composites;
    addMenuComposites(composites);
    addStepComposites(composites);
    addOptionComposites(composites);
    fs::create_directories(folder);
    for (const Composite& composite : composites) {
        Scene scene(pictures);
        composite.lay(scene);
        savePng(scene.bitmap(), folder / (composite.file + ".png"));
    }
    return static_cast<int>(composites.size());
}

void writePngs(const fs::path& folder) {
    const Registry registry = allGenerators();
    std::vector<std::pair<std::string, Bitmap>> pictures;
    for (const auto& picture : layout::kPictures) {
        Bitmap bitmap = paint(registry, picture);
        savePng(bitmap, folder / (std::string(picture.name) + ".png"));
        pictures.emplace_back(picture.name, std::move(bitmap));
    }
    savePng(contactSheet(pictures), folder / "contact-sheet.png");
    const int composites = writeComposites(PictureSet(pictures.begin(), pictures.end()), folder / "composites");
    std::cout << "vxr_painter: " << pictures.size() << " pictures, contact-sheet.png and " << composites
              << " composites in " << folder.string() << "\n";
}

}  // namespace

int pictureWidth(const std::string& name) { return listedPicture(name).width; }
int pictureHeight(const std::string& name) { return listedPicture(name).height; }

}  // namespace vxr::painter

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const bool icons = args.size() == 3 && args[0] == "--icons";
    if (!icons && (args.size() != 2 || (args[0] != "--out" && args[0] != "--png"))) {
        std::cerr << "usage: vxr_painter --out DIR | --png DIR | --icons DIR NAME\n";
        return 2;
    }
    try {
        std::filesystem::create_directories(args[1]);
        if (icons) {
            vxr::painter::writeAppIcons(args[1], args[2]);
        } else if (args[0] == "--out") {
            vxr::painter::writeResources(args[1]);
        } else {
            vxr::painter::writePngs(args[1]);
        }
    } catch (const std::exception& error) {
        std::cerr << "vxr_painter: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
