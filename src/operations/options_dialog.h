#pragma once
// The options dialog: six tabs of option boxes over the five option words,
// the list of active switches on tab 6 with Save Settings, and Accept and
// Cancel. Pointer and keyboard handlers of its tab strip, boxes and buttons
// live here too, so the dialog is in one place.

#include "model/option_words.h"
#include "platform/control.h"

namespace vxr::app {
class TForm1;
}

namespace vxr::operations {

// Focus stops of each tab: the strip, the lines, Accept and Cancel.
int optionStops(int tab);

class OptionsDialog {
public:
    explicit OptionsDialog(app::TForm1& window) : w_(window) {}

    void OpenOptions();
    void ShowOptionsTab(int tab);
    void DrawOptionBox(int box);
    void DrawOptionBoxes();

    // A click on box `line` (1..9) of the current tab, or on Save Settings
    // (line 0) on tab 6.
    void Image241Click(int line);
    // Accept or Cancel, whichever the highlight stands on.
    void CloseOptions();
    bool highlightOnCancel() const;

    void Image2BMouseMove(int x, int y);  // over the Accept/Cancel bar
    void IMAGE2BPMouseMove(int x, int y);
    void IMAGE2BPClick();

    // Keys while the dialog is open.
    void tabKey();
    void enterKey();
    void escapeKey();
    void leftOrRightKey(bool right);
    void upOrDownKey(bool down);

    bool open() const;

private:
    void listActiveSwitches();
    void markFocusedStop();
    void highlightBarButton(int item);
    void clickTab(int tab);

    app::TForm1& w_;
    model::OptionWords saved_;
    int lastX_ = 0, lastY_ = 0;  // the tab page's last pointer position
};

}  // namespace vxr::operations
