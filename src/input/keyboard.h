#pragma once
// The keyboard dispatcher. Keys reach it through the off-screen focus holder
// Edit5 (and Tab, Up, Down and Enter from the text edits); it changes no
// screen itself but calls the pointer handlers with the positions a mouse
// user would have used, so both roads share one state.

namespace vxr::app {
class TForm1;
}

namespace vxr::input {

// Virtual-key numbers the dispatcher acts on.
enum Keys : int {
    kTab = 9,
    kEnter = 13,
    kShift = 16,
    kCtrl = 17,
    kEsc = 27,
    kPageUp = 33,
    kPageDown = 34,
    kLeft = 37,
    kUp = 38,
    kRight = 39,
    kDown = 40,
};

class Keyboard {
public:
    explicit Keyboard(app::TForm1& window) : w_(window) {}

    // Edit5: every key goes to the dispatcher and is marked handled, so one
    // Enter is one action (no key press follows it).
    void Edit5KeyDown(int& key);
    void Edit5KeyUp();
    // The text edits pass on only Tab, Up and Down; other keys edit the text.
    void EditKeyDown(int& key);
    // Key presses the form sees first: Enter typed in a text edit, and any
    // key while the closing notice is up.
    void FormKeyPress(char32_t character);

    void PROCKEYDOWN(int key);
    void PROCKEY(int key);

private:
    void tab();
    void enter();
    void escape();
    void leftOrRight(int key);
    void upOrDown(int key);
    void pageUpOrDown(int key);

    void hoverMainItem(int item);
    void hoverSubmenuItem(int item, bool cornerPlusOne);
    void hoverThirdItem(int item);
    bool menusActive() const;
    // The peer connection's boxes: the slave's waiting box, the master's
    // address box.
    bool peerBoxOpen(int box) const;
    void peerBoxTab();
    // Dialogs with buttons only (compression, questions, completion).
    bool buttonDialog() const;
    bool hoverButton(int button);
    void nextButton();
    void previousButton();

    // The selection dialogs' keys (dialog_keys.cpp): list dialogs 1, 2, 4,
    // 6, 7, 9 and file dialogs 3, 5, 8.
    bool listDialog() const;
    bool fileDialog() const;
    void listTab();
    void fileTab();
    void markFileStop(int style);
    void listEnter();
    int focusedSizeBox() const;  // 0: none
    void fileEnter();
    void passwordEnter();
    void listUpOrDown(bool down);
    void fileUpOrDown(bool down);

    app::TForm1& w_;
};

}  // namespace vxr::input
