#pragma once
// Text laid over a picture: a label with its font and band colour, moved to
// its place and brought in front of the picture.

#include <string>

#include "platform/label.h"

namespace vxr::dialogs {

inline void showLabel(platform::Label& label, const std::string& text, const platform::Font& font, platform::Color band,
                      int x, int y) {
    label.setFont(font);
    label.setColor(band);
    label.setCaption(text);
    label.setPosition(x, y);
    label.bringToFront();
    label.show();
}

}  // namespace vxr::dialogs
