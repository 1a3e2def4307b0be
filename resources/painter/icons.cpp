// The file dialogs' icons: parent directory, directory, image file, drive.

#include "look.h"
#include "registry.h"

namespace vxr::painter {

namespace {

constexpr Color kFolder{231, 207, 99};
constexpr Color kFolderDark{165, 134, 41};

void folder(Bitmap& picture, int x) {
    picture.fill({x, 1, x + 6, 3}, kFolderDark);
    picture.fill({x, 3, x + 14, 12}, kFolder);
    picture.fill({x, 11, x + 14, 12}, kFolderDark);
    picture.fill({x + 13, 3, x + 14, 12}, kFolderDark);
}

Bitmap parentIcon() {
    Bitmap picture = blank(24, 13, pal(1));
    folder(picture, 9);
    // An arrow pointing up and back to the left.
    picture.fill({2, 2, 3, 9}, kBlack);
    picture.fill({2, 8, 8, 9}, kBlack);
    picture.fill({1, 3, 4, 4}, kBlack);
    picture.fill({0, 4, 5, 5}, kBlack);
    return picture;
}

Bitmap directoryIcon() {
    Bitmap picture = blank(15, 13, pal(1));
    folder(picture, 0);
    return picture;
}

Bitmap imageIcon() {
    Bitmap picture = blank(15, 13, pal(1));
    picture.fill({2, 0, 13, 13}, kWhite);
    picture.fill({2, 12, 13, 13}, kShadow);
    picture.fill({12, 0, 13, 13}, kShadow);
    picture.fill({4, 3, 11, 10}, pal(2));
    picture.fill({7, 6, 8, 7}, kWhite);
    return picture;
}

Bitmap driveIcon() {
    Bitmap picture = blank(17, 9, pal(1));
    picture.fill({0, 1, 17, 9}, pal(4));
    picture.fill({0, 8, 17, 9}, kShadow);
    picture.fill({16, 1, 17, 9}, kShadow);
    picture.fill({2, 5, 6, 6}, Color{0, 160, 0});
    return picture;
}

}  // namespace

void addIconPictures(Registry& registry) {
    registry["FDF0"] = parentIcon;
    registry["FDF1"] = directoryIcon;
    registry["FDF2"] = imageIcon;
    registry["FDF3"] = driveIcon;
}

}  // namespace vxr::painter
