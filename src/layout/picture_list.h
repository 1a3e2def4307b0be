#pragma once
// Every picture of the program's resources: its name, kind and size. The
// painter makes exactly these; the screen catalogue loads them by name.

#include <array>
#include <string_view>

namespace vxr::layout {

enum class PictureKind { Jpeg, Bitmap };

struct PictureSpec {
    const char* name;
    PictureKind kind;
    int width;
    int height;
};

inline constexpr PictureKind J = PictureKind::Jpeg;
inline constexpr PictureKind B = PictureKind::Bitmap;

// Kept one line per group of pictures.
// clang-format off
inline constexpr std::array kPictures{
    // Main screen and main menu.
    PictureSpec{"F0", J, 640, 480}, PictureSpec{"F1B", J, 119, 160},
    PictureSpec{"F10", J, 73, 20}, PictureSpec{"F11", J, 73, 20}, PictureSpec{"F12", J, 73, 20},
    PictureSpec{"F13", J, 73, 20}, PictureSpec{"F14", J, 73, 20}, PictureSpec{"F15", J, 73, 20},
    PictureSpec{"F16", J, 73, 20},
    // Second level.
    PictureSpec{"F21B", J, 102, 86}, PictureSpec{"F210", J, 56, 20}, PictureSpec{"F211", J, 56, 20},
    PictureSpec{"F212", J, 56, 20}, PictureSpec{"F213", J, 56, 20},
    PictureSpec{"F22B", J, 96, 34}, PictureSpec{"F220", J, 50, 20}, PictureSpec{"F221", J, 50, 20},
    PictureSpec{"F23B", J, 147, 78}, PictureSpec{"F230", J, 102, 20}, PictureSpec{"F231", J, 102, 20},
    PictureSpec{"F232", J, 102, 20}, PictureSpec{"F233", J, 102, 20},
    PictureSpec{"F25B", J, 583, 352}, PictureSpec{"F250", J, 58, 25}, PictureSpec{"F251", J, 58, 26},
    PictureSpec{"F240", J, 63, 20}, PictureSpec{"F241", J, 63, 20}, PictureSpec{"F242", J, 63, 20},
    PictureSpec{"FP25", J, 56, 20},
    // Third level.
    PictureSpec{"F311B", J, 118, 86}, PictureSpec{"F3110", J, 72, 20}, PictureSpec{"F3111", J, 72, 20},
    PictureSpec{"F3112", J, 72, 20}, PictureSpec{"F3113", J, 72, 20},
    PictureSpec{"F312B", J, 118, 86}, PictureSpec{"F3120", J, 72, 20}, PictureSpec{"F3121", J, 72, 20},
    PictureSpec{"F3122", J, 72, 20}, PictureSpec{"F3123", J, 72, 20},
    PictureSpec{"F313B", J, 110, 64}, PictureSpec{"F3130", J, 64, 20}, PictureSpec{"F3131", J, 64, 20},
    PictureSpec{"F3132", J, 64, 20},
    PictureSpec{"F321B", J, 95, 64}, PictureSpec{"F3210", J, 49, 20}, PictureSpec{"F3211", J, 49, 20},
    PictureSpec{"F3212", J, 49, 20},
    PictureSpec{"F331B", J, 358, 234}, PictureSpec{"F351B", J, 565, 2313},
    // Operation dialogs.
    PictureSpec{"F401B", J, 468, 168}, PictureSpec{"F402B", J, 533, 218}, PictureSpec{"F403B", J, 443, 377},
    PictureSpec{"F404B", J, 533, 196}, PictureSpec{"F405B", J, 443, 377}, PictureSpec{"F406B", J, 468, 168},
    PictureSpec{"F407B", J, 533, 240}, PictureSpec{"F408B", J, 443, 377}, PictureSpec{"F409B", J, 533, 218},
    PictureSpec{"F410B", J, 358, 143}, PictureSpec{"F4112B", J, 358, 143}, PictureSpec{"F412B", J, 549, 317},
    PictureSpec{"F4132B", J, 358, 143}, PictureSpec{"F4133B", J, 357, 143},
    PictureSpec{"F414B", J, 358, 143}, PictureSpec{"F415B", J, 358, 143}, PictureSpec{"F416B", J, 358, 143},
    PictureSpec{"F417B", J, 358, 143}, PictureSpec{"F418B", J, 358, 143}, PictureSpec{"F419B", J, 358, 138},
    // Dialog buttons.
    PictureSpec{"F411", J, 87, 20}, PictureSpec{"F412", J, 86, 20},
    PictureSpec{"F421", J, 68, 19}, PictureSpec{"F422", J, 68, 19},
    PictureSpec{"F430", J, 98, 20}, PictureSpec{"F431", J, 98, 20}, PictureSpec{"F432", J, 98, 20},
    PictureSpec{"F440", J, 68, 20}, PictureSpec{"F441", J, 68, 20}, PictureSpec{"F442", J, 68, 20},
    PictureSpec{"F443", J, 68, 20},
    PictureSpec{"F450", J, 81, 20}, PictureSpec{"F451", J, 82, 20}, PictureSpec{"F452", J, 81, 20},
    PictureSpec{"F461", J, 68, 19}, PictureSpec{"F462", J, 68, 19},
    PictureSpec{"F470", J, 68, 20}, PictureSpec{"F471", J, 68, 20}, PictureSpec{"F472", J, 68, 20},
    PictureSpec{"F473", J, 68, 20},
    PictureSpec{"F481", J, 68, 20}, PictureSpec{"F491", J, 68, 20},
    PictureSpec{"F4A1", J, 68, 20}, PictureSpec{"F4A2", J, 68, 20},
    // Options dialog.
    PictureSpec{"F240B", J, 596, 27}, PictureSpec{"F241B", J, 594, 254}, PictureSpec{"F242B", J, 594, 254},
    PictureSpec{"F243B", J, 594, 254}, PictureSpec{"F244B", J, 594, 254}, PictureSpec{"F245B", J, 594, 254},
    PictureSpec{"F246B", J, 603, 254}, PictureSpec{"F247B", J, 594, 41}, PictureSpec{"F248", J, 126, 20},
    PictureSpec{"F244", B, 15, 15}, PictureSpec{"F245", B, 15, 15}, PictureSpec{"F246", B, 14, 14},
    PictureSpec{"F247", B, 14, 14},
    // Peer connection.
    PictureSpec{"FP21", J, 358, 143}, PictureSpec{"FP22", J, 358, 162}, PictureSpec{"FP23", J, 408, 108},
    PictureSpec{"FP24", J, 102, 116},
    // File dialog icons.
    PictureSpec{"FDF0", B, 24, 13}, PictureSpec{"FDF1", B, 15, 13}, PictureSpec{"FDF2", B, 15, 13},
    PictureSpec{"FDF3", B, 17, 9},
};
// clang-format on

static_assert(kPictures.size() == 106 + 8);

constexpr const PictureSpec* findPicture(std::string_view name) {
    for (const auto& picture : kPictures) {
        if (name == picture.name) return &picture;
    }
    return nullptr;
}

}  // namespace vxr::layout
