#pragma once
// A line of text. With auto-size (the default) the label takes the width of
// its text and the height of its font. Unless transparent, it paints its
// whole area in its colour first, so a label laid over a picture hides what
// the picture has below it (trailing blanks in the text widen that band).

#include <vector>

#include "platform/control.h"
#include "platform/font.h"
#include "platform/paint_helpers.h"

namespace vxr::platform {

class Label : public Control {
public:
    Label(Container& parent, std::string name);

    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);
    const Font& font() const { return font_; }
    void setFont(const Font& font);
    Color color() const { return color_; }
    void setColor(Color color);
    bool transparent() const { return transparent_; }
    void setTransparent(bool transparent);
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool autoSize);

protected:
    void paint(const PaintTarget& target) override;
    void boundsChanged(Rect old) override;

private:
    void adjustSize();
    void render();

    std::string caption_;
    Font font_;
    Color color_ = kButtonFace;
    bool transparent_ = false;
    bool autoSize_ = true;
    // The label as drawn, kept until something about it changes; a
    // transparent label keeps a mask of its ink instead of a band.
    Bitmap rendered_;
    std::vector<bool> ink_;
    bool stale_ = true;
};

}  // namespace vxr::platform
