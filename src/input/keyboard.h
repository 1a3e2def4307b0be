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
    // Where the keys land. A key looks at the closing notice, a message box,
    // the options dialog, the help, an operation's step by its kind and
    // without an operation at the menu level, in that order; Tab, Up, Down
    // and Esc pass a message box by and act on what lies beneath it.
    enum class Mode {
        ClosingNotice,
        MessageBox,
        Options,
        Help,
        ListStep,
        FileStep,
        ButtonStep,
        PasswordStep,
        OtherStep,  // the progress screen, or between steps
        MainMenu,
        Submenu,
        Leaf,
        PeerWaitingBox,  // the slave's
        PeerAddressBox,  // the master's
        Nowhere,
    };
    Mode mode() const;
    Mode modeBelowMessageBox() const;
    Mode placeMode() const;

    void tab();
    void enter();
    void escape();
    void leftOrRight(int key);
    void upOrDown(int key);
    void pageUpOrDown(int key);
    void toggleHelpOk();
    void enterAt(Mode place);
    void messageBoxLeftOrRight();
    void leftOrRightAt(Mode place, bool right);
    void submenuUpOrDown(bool down);

    void hoverMainItem(int item);
    void hoverSubmenuItem(int item, bool cornerPlusOne);
    void hoverThirdItem(int item);
    void peerBoxTab();  // the master's address box
    bool hoverButton(int button);
    void nextButton();
    void previousButton();

    // The selection dialogs' keys (dialog_keys.cpp): the list dialogs (disk
    // and partition tables) and the file dialogs.
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
