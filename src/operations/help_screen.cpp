#include "operations/help_screen.h"

#include "app/screens.h"
#include "app/tform1.h"
#include "input/ui_state.h"
#include "layout/help_layout.h"
#include "layout/palette.h"

namespace vxr::operations {

using layout::kHelpScrollHeight;
using layout::kHelpScrollInsetTop;
using layout::kHelpScrollInsetX;
using layout::kHelpWindowAt;

void HelpScreen::ShowHelp() {
    platform::Image& window = *w_.Image2B;
    window.showAt(w_.catalogue.SubmenuPictures[input::kHelp], kHelpWindowAt.x, kHelpWindowAt.y);

    platform::ScrollBox& box = *w_.ScrollBox1;
    box.setBounds(window.left() + kHelpScrollInsetX, window.top() + kHelpScrollInsetTop,
                  window.width() - 2 * kHelpScrollInsetX, kHelpScrollHeight);
    box.setScrollBarColor(layout::palette(2));
    box.setScrollTop(0);
    w_.Image5DA->hide();
    w_.IMAGEH->showAt(w_.catalogue.ThirdMenuPictures[5][1], 0, 0);
    box.bringToFront();
    box.show();
    w_.trace.write("help", {{"shown", true}});
}

void HelpScreen::CloseHelp() {
    w_.screens().HideSubmenus();
    w_.ScrollBox1->hide();
    w_.ui.DialogAnswer = 1;
    w_.trace.write("help", {{"shown", false}});
}

bool HelpScreen::open() const {
    return w_.ui.MainItem == input::kHelp && w_.ScrollBox1->visible() && w_.IMAGEH->visible();
}

void HelpScreen::scroll(int pixels) { w_.ScrollBox1->scrollBy(pixels); }

}  // namespace vxr::operations
