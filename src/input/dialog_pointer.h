#pragma once
// The pointer over an operation dialog: which button is highlighted (the
// one Enter chooses) and where the pointer last stood.

namespace vxr::app {
class TForm1;
}

namespace vxr::input {

class DialogPointer {
public:
    explicit DialogPointer(app::TForm1& window) : w_(window) {}

    void Image4BMouseMove(int x, int y);

    // What (x, y) hits in the open dialog: -1 area A, 0 nothing (or area B),
    // else the button number.
    int hitAt(int x, int y) const;

    int dialogPointX = 0, dialogPointY = 0;  // the last position over the dialog

private:
    bool choiceMissing() const;
    void highlightButton(int button);

    app::TForm1& w_;
};

}  // namespace vxr::input
