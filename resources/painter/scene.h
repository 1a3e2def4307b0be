#pragma once
// A composite: the 640 x 480 window with pictures laid at their places and
// labels written over them as the trainer does, for people to look at.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "layout/table_types.h"
#include "look.h"

namespace vxr::painter {

using PictureSet = std::map<std::string, Bitmap>;

// How a label looks: an opaque band in `background` as wide as its text.
struct LabelLook {
    const char* family = kSans;
    int points = 7;
    bool bold = false;
    Color color = kBlack;
    Color background = pal(7);
};

LabelLook titleLabel();  // the title bar labels
LabelLook lineLabel();   // the text lines of dialogs

class Scene {
public:
    // The window with the empty main screen.
    explicit Scene(const PictureSet& pictures);
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // Lays `name` with its corner at `at`.
    void put(const std::string& name, layout::Offset at);
    // Lays a picture's item highlight: the box stands at `box`, the item at
    // `item` from the box's corner.
    void put(const std::string& name, layout::Offset box, layout::Offset item);
    // Lays only the top `height` rows of `name`, as a scroll box shows it.
    void putTop(const std::string& name, layout::Offset at, int top, int height);
    void label(const std::string& words, layout::Offset at, const LabelLook& look);
    void fill(const Rect& area, Color color);

    const Bitmap& picture(const std::string& name) const;
    const Bitmap& bitmap() const { return window_; }
    Canvas& canvas() { return canvas_; }

private:
    const PictureSet& pictures_;
    Bitmap window_;
    Canvas canvas_;
};

inline layout::Offset operator+(layout::Offset a, layout::Offset b) { return {a.x + b.x, a.y + b.y}; }

// A composite's file name and how it is made.
struct Composite {
    std::string file;
    std::function<void(Scene&)> lay;
};

void addMenuComposites(std::vector<Composite>& composites);
void addStepComposites(std::vector<Composite>& composites);
void addOptionComposites(std::vector<Composite>& composites);

}  // namespace vxr::painter
