#pragma once
// The plain message box: a small window of our own with the text and an OK
// button, answered by Enter, Space, Esc, a click on OK, or the window's
// close button. The application shows it modally (Application::messageBox).

#include <memory>
#include <string_view>
#include <vector>

#include "platform/form.h"
#include "platform/image_control.h"
#include "platform/label.h"

namespace vxr::platform {

class MessageBoxWindow {
public:
    static constexpr int kMargin = 12;
    static constexpr int kButtonWidth = 75;
    static constexpr int kButtonHeight = 23;
    static constexpr int kMinimumWidth = 180;

    // Lines of `text` are separated by "\n" or "\r\n".
    explicit MessageBoxWindow(std::string_view text);

    Form& form() { return form_; }
    const Image& button() const { return button_; }
    const std::vector<std::unique_ptr<Label>>& lines() const { return lines_; }
    bool answered() const { return answered_; }
    void answer() { answered_ = true; }

private:
    void layOut();
    void drawButton();

    Form form_;
    std::vector<std::unique_ptr<Label>> lines_;
    Image button_;
    bool answered_ = false;
};

// `client` inside a one-pixel border under a title bar showing `title`, the
// way a screenshot of a window without a window manager shows it.
Bitmap framedWindow(const Bitmap& client, std::string_view title);

}  // namespace vxr::platform
