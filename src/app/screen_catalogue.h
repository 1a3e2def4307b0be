#pragma once
// The screen catalogue: every picture of the program's resources, decoded
// once at start-up into fixed tables addressed by table and position. An
// empty position holds nullptr. Pictures are immutable and shared: the same
// object may stand at several positions and in several controls.
//
// The first frame needs only the main screen, the main menu and its
// highlights; the other pictures can be decoded on a second thread while it
// shows (PictureLoading), as long as nothing looks at them before finish().

#include <array>
#include <exception>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

#include "platform/image_control.h"

namespace vxr::platform {
class JpegDecoder;
class ResourceTable;
}  // namespace vxr::platform

namespace vxr::app {

using platform::Picture;

struct ScreenCatalogue {
    Picture MainScreenPicture;                                                 // F0
    Picture MainMenuPicture;                                                   // F1B
    std::array<Picture, 7> MainMenuHighlights;                                 // 0..6
    std::array<Picture, 6> SubmenuPictures;                                    // 1..5
    std::array<std::array<Picture, 5>, 8> SubmenuHighlights;                   // [1..7][0..4]
    std::array<std::array<Picture, 4>, 6> ThirdMenuPictures;                   // [1..5][1..3]
    std::array<std::array<std::array<Picture, 4>, 4>, 3> ThirdMenuHighlights;  // [1..2][1..3][0..3]
    std::array<Picture, 30> DialogPictures;                                    // 1..29
    std::array<std::array<Picture, 4>, 11> ButtonHighlights;                   // [1..10][0..3]
    std::array<Picture, 13> OptionsPictures;                                   // 0..12
    std::array<Picture, 5> PeerPictures;                                       // 1..4
    std::array<Picture, 4> DriveIconBitmaps;                                   // 0..3

    // The picture with this resource name wherever it stands, or nullptr.
    Picture byName(std::string_view name) const;

    // Every resource name loaded, with its picture, in loading order.
    std::vector<std::pair<std::string, Picture>> loaded;
};

// Fills the catalogue from the resources with one shared JPEG decoder.
// Throws std::runtime_error naming a missing or undecodable resource.
void LoadScreenCatalogue(ScreenCatalogue& catalogue, const platform::ResourceTable& resources,
                         platform::JpegDecoder& decoder);
// The two halves of LoadScreenCatalogue, in this order: the pictures of the
// first screen, then every other one.
void LoadFirstScreenPictures(ScreenCatalogue& catalogue, const platform::ResourceTable& resources,
                             platform::JpegDecoder& decoder);
void LoadOtherPictures(ScreenCatalogue& catalogue, const platform::ResourceTable& resources,
                       platform::JpegDecoder& decoder);

// LoadOtherPictures on a thread of its own, started at construction.
class PictureLoading {
public:
    PictureLoading(ScreenCatalogue& catalogue, const platform::ResourceTable& resources);
    ~PictureLoading();
    PictureLoading(const PictureLoading&) = delete;
    PictureLoading& operator=(const PictureLoading&) = delete;

    // Waits until every picture is decoded; throws what the loading threw
    // (a picture missing or undecodable), once.
    void finish();

private:
    std::exception_ptr failure_;
    std::thread thread_;
};

}  // namespace vxr::app
