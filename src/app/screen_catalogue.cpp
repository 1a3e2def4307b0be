#include "app/screen_catalogue.h"

#include <algorithm>
#include <utility>

#include "layout/menu_geometry.h"
#include "layout/picture_list.h"
#include "platform/indexing.h"
#include "platform/jpeg.h"
#include "platform/resources.h"

namespace vxr::app {

namespace {

class Loader {
public:
    Loader(ScreenCatalogue& catalogue, const platform::ResourceTable& resources, platform::JpegDecoder& decoder)
        : catalogue_(catalogue), resources_(resources), decoder_(decoder) {}

    Picture jpeg(const std::string& name) {
        return remember(name, std::make_shared<const platform::Bitmap>(resources_.loadJpeg(name, decoder_)));
    }

    Picture bitmap(const std::string& name) {
        return remember(name, std::make_shared<const platform::Bitmap>(resources_.loadBitmap(name)));
    }

private:
    Picture remember(const std::string& name, Picture picture) {
        catalogue_.loaded.emplace_back(name, picture);
        return picture;
    }

    ScreenCatalogue& catalogue_;
    const platform::ResourceTable& resources_;
    platform::JpegDecoder& decoder_;
};

std::string digit(int n) { return std::to_string(n); }

void loadFirstScreen(ScreenCatalogue& c, Loader& load) {
    c.MainScreenPicture = load.jpeg("F0");
    c.MainMenuPicture = load.jpeg("F1B");
    for (int n = 0; n <= 6; ++n) cell(c.MainMenuHighlights, n) = load.jpeg("F1" + digit(n));
}

void loadMenus(ScreenCatalogue& c, Loader& load) {
    for (int j : {1, 2, 3, 5}) {
        cell(c.SubmenuPictures, j) = load.jpeg("F2" + digit(j) + "B");
        auto& row = cell(c.SubmenuHighlights, j);
        row[0] = load.jpeg("F2" + digit(j) + "0");
        for (int i = 1; i <= 3; ++i) {
            if (layout::menuItem(layout::submenu(j), i).offset.present()) {
                cell(row, i) = load.jpeg("F2" + digit(j) + digit(i));
            }
        }
    }
    // The peer-link menu shares the Local submenu's highlights, plus Back.
    std::copy_n(c.SubmenuHighlights[1].begin(), 4, c.SubmenuHighlights[layout::kPeerMenuItem].begin());
    c.SubmenuHighlights[layout::kPeerMenuItem][4] = load.jpeg("FP25");
    for (int i = 0; i <= 2; ++i) cell(c.SubmenuHighlights[4], i) = load.jpeg("F24" + digit(i));

    for (int k = 1; k <= 3; ++k) {
        for (int i = 1; i <= 3; ++i) {
            const layout::MenuBox& box = layout::thirdMenu(k, i);
            if (!box.present()) continue;
            const std::string stem = "F3" + digit(k) + digit(i);
            cell(cell(c.ThirdMenuPictures, k), i) = load.jpeg(stem + "B");
            if (k > 2) continue;
            auto& row = cell(cell(c.ThirdMenuHighlights, k), i);
            row[0] = load.jpeg(stem + "0");
            for (int l = 1; l <= 3; ++l) {
                if (layout::menuItem(box, l).offset.present()) cell(row, l) = load.jpeg(stem + digit(l));
            }
        }
    }
    c.ThirdMenuPictures[5][1] = load.jpeg("F351B");
}

void loadDialogs(ScreenCatalogue& c, Loader& load) {
    for (int p = 1; p <= 10; ++p) {
        cell(c.DialogPictures, p) = load.jpeg("F4" + std::string(p < 10 ? "0" : "") + digit(p) + "B");
    }
    c.DialogPictures[12] = load.jpeg("F4112B");
    c.DialogPictures[19] = load.jpeg("F412B");
    c.DialogPictures[21] = load.jpeg("F4132B");
    c.DialogPictures[22] = load.jpeg("F4133B");
    for (int p = 24; p <= 29; ++p) cell(c.DialogPictures, p) = load.jpeg("F4" + digit(p - 10) + "B");

    for (int l = 1; l <= 10; ++l) {
        auto& row = cell(c.ButtonHighlights, l);
        const std::string stem = "F4" + (l == 10 ? std::string("A") : digit(l));
        // A dialog's plain, first, second and third button pictures, as far
        // as the picture list has them.
        for (int slot = 0; slot <= 3; ++slot) {
            const std::string name = stem + digit(slot);
            if (layout::findPicture(name) != nullptr) cell(row, slot) = load.jpeg(name);
        }
    }
}

void loadOptionsAndPeer(ScreenCatalogue& c, Loader& load) {
    for (int t = 0; t <= 7; ++t) cell(c.OptionsPictures, t) = load.jpeg("F24" + digit(t) + "B");
    for (int b = 4; b <= 7; ++b) cell(c.OptionsPictures, b + 4) = load.bitmap("F24" + digit(b));
    c.OptionsPictures[12] = load.jpeg("F248");
    for (int n = 0; n <= 3; ++n) cell(c.DriveIconBitmaps, n) = load.bitmap("FDF" + digit(n));
    for (int n = 1; n <= 4; ++n) cell(c.PeerPictures, n) = load.jpeg("FP2" + digit(n));
}

}  // namespace

Picture ScreenCatalogue::byName(std::string_view name) const {
    auto it = std::find_if(loaded.begin(), loaded.end(), [name](const auto& entry) { return entry.first == name; });
    return it == loaded.end() ? nullptr : it->second;
}

void LoadScreenCatalogue(ScreenCatalogue& catalogue, const platform::ResourceTable& resources,
                         platform::JpegDecoder& decoder) {
    LoadFirstScreenPictures(catalogue, resources, decoder);
    LoadOtherPictures(catalogue, resources, decoder);
}

void LoadFirstScreenPictures(ScreenCatalogue& catalogue, const platform::ResourceTable& resources,
                             platform::JpegDecoder& decoder) {
    Loader load(catalogue, resources, decoder);
    loadFirstScreen(catalogue, load);
}

void LoadOtherPictures(ScreenCatalogue& catalogue, const platform::ResourceTable& resources,
                       platform::JpegDecoder& decoder) {
    Loader load(catalogue, resources, decoder);
    loadMenus(catalogue, load);
    loadDialogs(catalogue, load);
    loadOptionsAndPeer(catalogue, load);
}

// The thread writes only positions and entries that nobody reads before
// finish() has joined it.
PictureLoading::PictureLoading(ScreenCatalogue& catalogue, const platform::ResourceTable& resources)
    : thread_([this, &catalogue, resources] {
          try {
              platform::JpegDecoder decoder;
              LoadOtherPictures(catalogue, resources, decoder);
          } catch (...) {
              failure_ = std::current_exception();
          }
      }) {}

PictureLoading::~PictureLoading() {
    if (thread_.joinable()) thread_.join();
}

void PictureLoading::finish() {
    if (thread_.joinable()) thread_.join();
    if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
}

}  // namespace vxr::app
