#pragma once
// Which function paints which picture.

#include <functional>
#include <map>
#include <string>

#include "platform/bitmap.h"

namespace vxr::painter {

using Generator = std::function<platform::Bitmap()>;
using Registry = std::map<std::string, Generator>;

// The size a picture must have, from the program's picture list.
int pictureWidth(const std::string& name);
int pictureHeight(const std::string& name);

void addMenuPictures(Registry& registry);
void addDialogPictures(Registry& registry);
void addScreenPictures(Registry& registry);
void addProgressPicture(Registry& registry);
void addHelpPage(Registry& registry);
void addOptionPictures(Registry& registry);
void addIconPictures(Registry& registry);

}  // namespace vxr::painter
