#pragma once
// The switches help: the help window with the text page in a scroll box.

namespace vxr::app {
class TForm1;
}

namespace vxr::operations {

inline constexpr int kHelpPageStep = 124;  // Page Up / Page Down
inline constexpr int kHelpLineStep = 12;   // Up / Down

class HelpScreen {
public:
    explicit HelpScreen(app::TForm1& window) : w_(window) {}

    // Puts the help window and its text page on the screen and returns.
    void ShowHelp();
    // The OK button's action: the help disappears and a waiting caller goes on.
    void CloseHelp();
    bool open() const;
    // Moves the text by `pixels` (negative: up), within its range.
    void scroll(int pixels);

private:
    app::TForm1& w_;
};

}  // namespace vxr::operations
