#pragma once
// The plain message box: a small window of our own with the text and an OK
// button, answered by Enter, Space, Esc, a click on OK, or the window's
// close button. A question box has more buttons in a row: Enter and Space
// choose the first, Esc and the close button the last. The application
// shows it modally (Application::messageBox, Application::ask).

#include <memory>
#include <optional>
#include <string>
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
    static constexpr int kButtonGap = 8;

    // Lines of `text` are separated by "\n" or "\r\n"; `buttons` are the
    // captions, left to right.
    explicit MessageBoxWindow(std::string_view text, std::vector<std::string> buttons = {"OK"});

    Form& form() { return form_; }
    const Image& button(std::size_t index = 0) const { return *buttons_.at(index); }
    const std::vector<std::unique_ptr<Label>>& lines() const { return lines_; }
    bool answered() const { return choice_.has_value(); }
    // The button chosen, counted from 0 at the left; while none is, the last
    // (the one that cancels).
    std::size_t choice() const { return choice_.value_or(buttons_.size() - 1); }
    void answer(std::size_t button = 0) { choice_ = button; }

private:
    void layOut();
    void drawButton(Image& button, std::string_view caption, bool isDefault);
    // Tab, Right and Left move the default button that Enter answers.
    void moveDefault(int step);

    Form form_;
    std::vector<std::unique_ptr<Label>> lines_;
    std::vector<std::unique_ptr<Image>> buttons_;
    std::optional<std::size_t> choice_;
    std::vector<std::string> captions_;
    std::size_t default_ = 0;
};

// `client` inside a one-pixel border under a title bar showing `title`, the
// way a screenshot of a window without a window manager shows it.
Bitmap framedWindow(const Bitmap& client, std::string_view title);

}  // namespace vxr::platform
