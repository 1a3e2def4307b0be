#include "operations/options_dialog.h"

#include "app/focus_frame.h"
#include "app/screens.h"
#include "app/tform1.h"
#include "dialogs/labels.h"
#include "dialogs/message_dialogs.h"
#include "input/menus.h"
#include "input/ui_state.h"
#include "layout/menu_geometry.h"
#include "layout/option_boxes.h"
#include "layout/options_layout.h"
#include "layout/palette.h"
#include "operations/record_saves.h"
#include "platform/indexing.h"

namespace vxr::operations {

using namespace layout;

namespace {

constexpr int kSaveSettingsTab = 6;
constexpr int kAccept = 1;  // items of the Accept/Cancel bar
constexpr int kCancel = 2;
constexpr int kMaxSwitchLabels = 15;

// Catalogue positions of the box pictures: clear and set check box, clear
// and set radio button.
constexpr int kCheckClear = 8, kCheckSet = 9, kRadioClear = 10, kRadioSet = 11, kSaveHighlight = 12;

}  // namespace

int optionStops(int tab) {
    constexpr int kStops[] = {0, 8, 6, 7, 11, 12, 4};
    return tab >= 1 && tab <= kSaveSettingsTab ? kStops[tab] : 0;
}

bool OptionsDialog::open() const {
    return w_.ui.MainItem == input::kOptions && w_.ui.SubItem >= 1 && w_.ui.SubItem <= 6;
}

// ---- showing -------------------------------------------------------------------

void OptionsDialog::OpenOptions() {
    w_.screens().HideMainMenu();
    platform::Image& title = *w_.IMAGE2BT;
    title.showAt(w_.catalogue.OptionsPictures[0], kOptionsTitleAt.x, kOptionsTitleAt.y);
    platform::Image& bar = *w_.Image2B;
    bar.showAt(w_.catalogue.OptionsPictures[7], title.left(), kOptionsBarTop);
    w_.IMAGE2BP->bringToFront();
    saved_ = w_.options;
    w_.ui.SubItem = 1;
    w_.ui.FieldPos = 1;
    ShowOptionsTab(1);
    w_.focusFrame().DrawOptionFocus(true);
    w_.Image2A->hide();
    w_.trace.write("options", {{"open", true}});
}

void OptionsDialog::ShowOptionsTab(int tab) {
    platform::Image& page = *w_.IMAGE2BP;
    page.showAt(cell(w_.catalogue.OptionsPictures, std::clamp(tab, 0, 7)), w_.IMAGE2BT->left(),
                w_.IMAGE2BT->top() + w_.IMAGE2BT->height());
    if (tab >= 1 && tab <= kOptionTabs) {
        for (int i = 1; i <= 15; ++i) cell(w_.Label, i)->hide();
        DrawOptionBoxes();
    } else if (tab == kSaveSettingsTab) {
        for (int i = 1; i <= kBoxesPerTab; ++i) cell(w_.Image24x, i)->hide();
        listActiveSwitches();
    }
}

void OptionsDialog::listActiveSwitches() {
    const platform::Image& page = *w_.IMAGE2BP;
    int shown = 0;
    for (int t = 1; t <= kOptionTabs; ++t) {
        for (int n = 1; n <= kBoxesPerTab && shown < kMaxSwitchLabels; ++n) {
            const char* summary = model::optionSummary(t, n);
            if (!w_.options.box(t, n) || summary == nullptr) continue;
            ++shown;
            const bool second = shown > kActiveSwitchesFirstColumnRows;
            const int column = second ? 1 : 0;
            const int row = second ? shown - 1 - kActiveSwitchesFirstColumnRows : shown - 1;
            dialogs::showLabel(*cell(w_.Label, shown), summary,
                               {"Microsoft Sans Serif", 7, false, platform::colors::black}, layout::palette(7),
                               page.left() + kActiveSwitchesAt.x + column * kActiveSwitchesColumnStep,
                               page.top() + kActiveSwitchesAt.y + row * kActiveSwitchesRowStep);
        }
    }
}

void OptionsDialog::DrawOptionBox(int n) {
    platform::Image& control = *cell(w_.Image24x, n);
    const int tab = w_.ui.SubItem;
    const OptionBox& box = optionBox(tab, n);
    if (!box.present()) {
        control.hide();
        return;
    }
    const bool on = w_.options.box(tab, n);
    const int picture = box.style == kCheckBox ? (on ? kCheckSet : kCheckClear) : (on ? kRadioSet : kRadioClear);
    control.showAt(cell(w_.catalogue.OptionsPictures, picture), w_.IMAGE2BP->left() + box.x,
                   w_.IMAGE2BP->top() + box.y);
    control.bringToFront();
}

void OptionsDialog::DrawOptionBoxes() {
    for (int n = 1; n <= kBoxesPerTab; ++n) DrawOptionBox(n);
}

// ---- boxes and Save Settings -----------------------------------------------------

void OptionsDialog::Image241Click(int line) {
    if (w_.mouseLocked() || w_.ui.MainItem != input::kOptions) return;
    const int tab = w_.ui.SubItem;
    if (tab == kSaveSettingsTab) {
        // Only Yes saves: No, and a window closed at the question, keep the file.
        if (w_.messages().ask(layout::Msg::SaveQuestion) != 1 || w_.end.requested) return;
        // Jobs another copy saved meanwhile stay; only the option words change.
        RefreshRecord(w_);
        for (int t = 1; t <= kOptionTabs; ++t) w_.computer.record().setOptionWord(t, w_.options.word(t));
        w_.messages().ask(SaveRecordFiles(w_, "options") ? layout::Msg::SettingsSaved : layout::Msg::DataFileError);
        return;
    }
    if (tab < 1 || tab > kOptionTabs || line < 1 || line > kBoxesPerTab) return;
    const bool on = !w_.options.box(tab, line);
    w_.options.setBox(tab, line, on);
    DrawOptionBox(line);
    if (tab == 1 || !on) return;
    const std::uint16_t clears = optionBox(tab, line).clears;
    for (int k = 1; k <= kBoxesPerTab; ++k) {
        if ((clears >> (k - 1) & 1) == 0) continue;
        w_.options.setBox(tab, k, false);
        DrawOptionBox(k);
    }
}

// ---- Accept and Cancel -----------------------------------------------------------

bool OptionsDialog::highlightOnCancel() const {
    const layout::MenuItem& cancel = layout::menuItem(layout::submenu(input::kOptions), kCancel);
    return w_.Image2A->visible() && w_.Image2A->left() == w_.Image2B->left() + cancel.offset.x;
}

void OptionsDialog::CloseOptions() {
    const bool cancelled = highlightOnCancel();
    if (cancelled) w_.options = saved_;
    w_.screens().HideSubmenus();
    w_.IMAGE2BT->hide();
    w_.IMAGE2BP->hide();
    for (int i = 1; i <= kBoxesPerTab; ++i) cell(w_.Image24x, i)->hide();
    w_.ui.SubItem = 0;
    w_.trace.write("options", {{"open", false}, {"cancelled", cancelled}});
    w_.screens().ResetMainScreen();
}

void OptionsDialog::highlightBarButton(int item) {
    const layout::MenuItem& button = layout::menuItem(layout::submenu(input::kOptions), item);
    w_.menus().showHighlight(*w_.Image2A, cell(w_.catalogue.SubmenuHighlights[input::kOptions], item), *w_.Image2B,
                             button.offset);
}

void OptionsDialog::Image2BMouseMove(int x, int y) {
    for (int item : {kAccept, kCancel}) {
        const layout::MenuItem& button = layout::menuItem(layout::submenu(input::kOptions), item);
        const auto& picture = cell(w_.catalogue.SubmenuHighlights[input::kOptions], item);
        if (!picture || !layout::hitArea(button.offset, picture->width(), picture->height(), x, y)) continue;
        const bool alreadyThere = w_.Image2A->visible() && w_.Image2A->left() == w_.Image2B->left() + button.offset.x;
        if (!alreadyThere) highlightBarButton(item);
    }
}

// ---- the tab page --------------------------------------------------------------

void OptionsDialog::IMAGE2BPMouseMove(int x, int y) {
    if (w_.mouseLocked()) return;
    lastX_ = x;
    lastY_ = y;
    const layout::InclusiveRect& save = layout::kSaveSettingsButton;
    const bool overSave = x >= save.left && x <= save.right && y >= save.top && y <= save.bottom;
    if (w_.ui.MainItem != input::kOptions || w_.ui.SubItem != kSaveSettingsTab || !overSave) return;
    platform::Image& highlight = *w_.Image24x[1];
    if (highlight.visible()) return;
    highlight.showAt(w_.catalogue.OptionsPictures[kSaveHighlight], w_.IMAGE2BP->left() + save.left,
                     w_.IMAGE2BP->top() + save.top);
    highlight.bringToFront();
    w_.ui.FieldPos = 2;
    w_.focusFrame().DrawOptionFocus(false);
}

void OptionsDialog::IMAGE2BPClick() {
    if (w_.mouseLocked() || w_.ui.MainItem != input::kOptions) return;
    for (int tab = 1; tab <= layout::kOptionTabCount; ++tab) {
        if (!at(layout::kOptionTabRects, tab).contains(lastX_, lastY_)) continue;
        if (tab == w_.ui.SubItem) return;
        w_.ui.SubItem = tab;
        w_.ui.FieldPos = 1;
        ShowOptionsTab(tab);
        w_.focusFrame().DrawOptionFocus(true);
        w_.Image2A->hide();
        return;
    }
}

// ---- keys ------------------------------------------------------------------------

void OptionsDialog::markFocusedStop() {
    const int tab = w_.ui.SubItem, stops = optionStops(tab), stop = w_.ui.FieldPos;
    if (stop == stops - 1 || stop == stops) {
        // Image241 is the Save Settings highlight on tab 6 only; on the other
        // tabs it is the first box, which stays.
        if (tab == kSaveSettingsTab) w_.Image24x[1]->hide();
        const layout::Offset at =
            layout::menuItem(layout::submenu(input::kOptions), stop == stops ? kCancel : kAccept).offset;
        w_.menus().Image2BMouseMove(at.x + 1, at.y + 1);
        w_.focusFrame().DrawOptionFocus(false);
        return;
    }
    w_.Image2A->hide();
    if (tab == kSaveSettingsTab && stop == 2) {
        IMAGE2BPMouseMove(layout::kSaveSettingsButton.left + 1, layout::kSaveSettingsButton.top + 1);
    } else {
        if (tab == kSaveSettingsTab) w_.Image24x[1]->hide();
        w_.focusFrame().DrawOptionFocus(true);
    }
}

void OptionsDialog::tabKey() { upOrDownKey(true); }

void OptionsDialog::upOrDownKey(bool down) {
    const int stops = optionStops(w_.ui.SubItem);
    int& stop = w_.ui.FieldPos;
    stop = down ? (stop >= stops ? 1 : stop + 1) : (stop <= 1 ? stops : stop - 1);
    markFocusedStop();
}

// Enter on the highlighted Accept or Cancel presses it, as a click does:
// without it a keyboard-only candidate could keep no option.
void OptionsDialog::enterKey() {
    const int tab = w_.ui.SubItem, stop = w_.ui.FieldPos, stops = optionStops(tab);
    if ((stop == stops - 1 || stop == stops) && w_.Image2A->visible()) {
        w_.menus().Image2AClick();
    } else if (tab == kSaveSettingsTab) {
        if (stop == 2) Image241Click(0);
    } else if (stop > 1 && stop < optionStops(tab) - 1) {
        Image241Click(stop - 1);
    }
}

void OptionsDialog::escapeKey() {
    const layout::MenuItem& cancel = layout::menuItem(layout::submenu(input::kOptions), kCancel);
    highlightBarButton(kCancel);
    w_.Image2A->setLeft(w_.IMAGE2BP->left() + cancel.offset.x);
    CloseOptions();
}

void OptionsDialog::clickTab(int tab) {
    const layout::InclusiveRect& rect = at(layout::kOptionTabRects, tab);
    lastX_ = rect.left + 1;
    lastY_ = rect.top + 1;
    IMAGE2BPClick();
}

void OptionsDialog::leftOrRightKey(bool right) {
    const int tab = w_.ui.SubItem, count = layout::kOptionTabCount;
    clickTab(right ? (tab >= count ? 1 : tab + 1) : (tab <= 1 ? count : tab - 1));
}

}  // namespace vxr::operations
