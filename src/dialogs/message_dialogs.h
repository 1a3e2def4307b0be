#pragma once
// The tool's message boxes: ask shows a message's box with its title and
// lines laid over the picture, waits in a nested message loop until a button
// is chosen, and returns the choice (1: OK or Yes, 2: No). While the box is
// up DialogCode holds its code; the keys and the pointer answer through
// DialogAnswer.

#include "layout/message_codes.h"
#include "layout/table_types.h"

namespace vxr::app {
class TForm1;
}

namespace vxr::dialogs {

using layout::Msg;

class MessageDialogs {
public:
    explicit MessageDialogs(app::TForm1& window) : w_(window) {}

    int ask(Msg msg);
    void Image4DMouseMove(int x, int y);

    // Where the box of the current DialogCode stands.
    layout::Offset dialogPosition(int kind) const;

private:
    void showPicture(int kind);
    void showTexts();
    void highlightButton(int button);

    app::TForm1& w_;
};

}  // namespace vxr::dialogs
