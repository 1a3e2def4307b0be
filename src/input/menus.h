#pragma once
// The pointer handlers of the three menu levels. Hovering highlights an item
// and closes the levels below it; clicking a highlight opens the next level
// or starts what the item stands for. The keyboard drives the same handlers
// with positions of its own.

#include "layout/menu_geometry.h"
#include "platform/image_control.h"

namespace vxr::app {
class TForm1;
}

namespace vxr::input {

using layout::Offset;

class Menus {
public:
    explicit Menus(app::TForm1& window) : w_(window) {}

    void Image1BMouseMove(int x, int y);
    void IMAGE1AClick();
    void Image2BMouseMove(int x, int y);
    void Image2AClick();
    void Image3BMouseMove(int x, int y);
    void Image3AClick();
    void ScrollBox1MouseMove();
    void IMAGEHMouseMove();

    // Where the third level of (main item, submenu item) stands now.
    Offset thirdMenuPosition(int mainItem, int subItem) const;

    // Puts `picture` in `layer` at `menu`'s corner plus `offset`, sized to
    // the picture, and shows it.
    void showHighlight(platform::Image& layer, const platform::Picture& picture, const platform::Image& menu,
                       Offset offset);

private:
    int mainItemAt(int x, int y) const;
    int submenuItemAt(int mainItem, int x, int y) const;
    int thirdItemAt(int mainItem, int subItem, int x, int y) const;
    void openSubmenu();
    void openThirdMenu();
    void askQuit();

    app::TForm1& w_;
};

}  // namespace vxr::input
