#include "input/keyboard.h"

#include "app/tform1.h"
#include "dialogs/message_dialogs.h"
#include "input/dialog_pointer.h"
#include "input/menus.h"
#include "layout/dialog_rects.h"
#include "layout/menu_geometry.h"
#include "layout/message_dialog_layout.h"
#include "layout/steps.h"
#include "operations/help_screen.h"
#include "operations/options_dialog.h"
#include "operations/peer_connection.h"
#include "platform/indexing.h"

namespace vxr::input {

using namespace layout;

namespace {

// Items of each submenu and third level that the arrows walk through.
int submenuCount(int mainItem) {
    switch (mainItem) {
        case kLocal:
        case kVexorCast: return 3;
        case kPeerMenu: return 4;
        default: return 0;  // Peer to peer's single item does not move
    }
}

int thirdMenuCount(int mainItem, int subItem) {
    int count = 0;
    for (int item = 1; item <= 3; ++item) count += menuItem(thirdMenu(mainItem, subItem), item).offset.present();
    return count;
}

int wrapNext(int value, int count) { return value >= count ? 1 : value + 1; }
int wrapPrevious(int value, int count) { return value <= 1 ? count : value - 1; }

}  // namespace

// ---- routing -------------------------------------------------------------------

void Keyboard::Edit5KeyDown(int& key) {
    PROCKEYDOWN(key);
    key = 0;
}

void Keyboard::Edit5KeyUp() { w_.ui.CtrlDown = w_.ui.ShiftDown = false; }

void Keyboard::EditKeyDown(int& key) {
    if (key != kTab && key != kUp && key != kDown) return;
    PROCKEYDOWN(key);
    key = 0;
}

void Keyboard::FormKeyPress(char32_t character) {
    if (w_.ui.MainItem == kClosingNotice) w_.ui.MainItem = 0;
    if (character == U'\r') PROCKEYDOWN(kEnter);
}

void Keyboard::PROCKEYDOWN(int key) {
    if (w_.restrictionFlags & model::kKeyboardLocked) return;
    if (key == kShift) {
        w_.ui.ShiftDown = true;
        return;
    }
    if (key == kCtrl) {
        w_.ui.CtrlDown = true;
        return;
    }
    ++w_.ui.KeyDepth;
    PROCKEY(key);
    --w_.ui.KeyDepth;
}

void Keyboard::PROCKEY(int key) {
    if (mode() == Mode::ClosingNotice) {
        w_.ui.MainItem = 0;
        return;
    }
    switch (key) {
        case kTab: tab(); break;
        case kEnter: enter(); break;
        case kEsc: escape(); break;
        case kPageUp:
        case kPageDown: pageUpOrDown(key); break;
        case kLeft:
        case kRight: leftOrRight(key); break;
        case kUp:
        case kDown: upOrDown(key); break;
        default: break;
    }
}

// ---- targets -------------------------------------------------------------------

void Keyboard::hoverMainItem(int item) {
    const Offset place = at(kMainMenuItems, item).offset;
    w_.menus().Image1BMouseMove(place.x + 1, place.y + 1);
}

void Keyboard::hoverSubmenuItem(int item, bool cornerPlusOne) {
    const Offset at = menuItem(submenu(w_.ui.MainItem), item).offset;
    const int extra = cornerPlusOne ? 1 : 0;
    w_.menus().Image2BMouseMove(at.x + extra, at.y + extra);
}

void Keyboard::hoverThirdItem(int item) {
    const Offset at = menuItem(thirdMenu(w_.ui.MainItem, w_.ui.SubItem), item).offset;
    w_.menus().Image3BMouseMove(at.x, at.y);
}

// Tab walks the address box: edit, OK, Cancel, edit.
void Keyboard::peerBoxTab() {
    UiState& ui = w_.ui;
    if (ui.ButtonSel == 2) {
        ui.ButtonSel = 0;
        w_.Image4A->hide();
        w_.Edit[1]->setFocus();
        return;
    }
    const auto& buttons = kPeerBoxRects[2].buttons;
    if (ui.ButtonSel < 0 || ui.ButtonSel >= static_cast<int>(buttons.size())) return;
    const InclusiveRect& next = cell(buttons, ui.ButtonSel);
    w_.dialogPointer().keyboardMove(next.left + 1, next.top + 1);
}

bool Keyboard::hoverButton(int button) {
    if (button < 1 || button > 3) return false;
    const InclusiveRect& rect = at(dialogRects(w_.ui.DialogNo).buttons, button);
    if (!rect.present()) return false;
    w_.dialogPointer().Image4BMouseMove(rect.left + 1, rect.top + 1);
    return true;
}

void Keyboard::nextButton() {
    if (!hoverButton(w_.ui.ButtonSel + 1)) hoverButton(1);
}

void Keyboard::previousButton() {
    if (w_.ui.ButtonSel > 1 && hoverButton(w_.ui.ButtonSel - 1)) return;
    for (int button = 3; button >= 1; --button) {
        if (hoverButton(button)) return;
    }
}

// ---- where the keys land -------------------------------------------------------

Keyboard::Mode Keyboard::mode() const {
    if (w_.ui.MainItem == kClosingNotice) return Mode::ClosingNotice;
    if (w_.ui.DialogCode != 0) return Mode::MessageBox;
    return modeBelowMessageBox();
}

Keyboard::Mode Keyboard::modeBelowMessageBox() const {
    if (w_.optionsDialog().open()) return Mode::Options;
    if (w_.help().open()) return Mode::Help;
    return placeMode();
}

// The operation step, or without an operation the menu level.
Keyboard::Mode Keyboard::placeMode() const {
    const UiState& ui = w_.ui;
    if (ui.OpCode != 0) {
        switch (layout::stepKind(ui.DialogNo)) {
            case layout::StepKind::List: return Mode::ListStep;
            case layout::StepKind::File: return Mode::FileStep;
            case layout::StepKind::Buttons: return Mode::ButtonStep;
            case layout::StepKind::Password: return Mode::PasswordStep;
            default: return Mode::OtherStep;
        }
    }
    if (ui.LeafItem == 0) return ui.SubItem == 0 ? Mode::MainMenu : Mode::Submenu;
    if (ui.SubItem != 0) return Mode::Leaf;
    if (ui.MainItem == kPeerToPeer && ui.LeafItem == operations::kSlaveRole) return Mode::PeerWaitingBox;
    if (ui.MainItem == kPeerToPeer && ui.LeafItem == operations::kMasterRole) return Mode::PeerAddressBox;
    return Mode::Nowhere;
}

// ---- the keys ------------------------------------------------------------------

// Tab, like Up, Down and Esc, is not taken by a message box: it acts on what
// lies beneath it.
void Keyboard::tab() {
    w_.Edit[5]->setFocus();
    const UiState& ui = w_.ui;
    switch (modeBelowMessageBox()) {
        case Mode::Options: w_.optionsDialog().tabKey(); break;
        case Mode::Help: toggleHelpOk(); break;
        case Mode::ButtonStep: nextButton(); break;
        case Mode::ListStep: listTab(); break;
        case Mode::FileStep: fileTab(); break;
        case Mode::PeerAddressBox: peerBoxTab(); break;
        case Mode::MainMenu:
            if (ui.MainItem >= kLocal && ui.MainItem <= kHelp) hoverMainItem(ui.MainItem + 1);
            if (ui.MainItem == kQuit) hoverMainItem(kLocal);
            break;
        case Mode::Submenu:
            if (ui.MainItem != kLocal && ui.MainItem != kVexorCast) break;
            if (ui.SubItem == 1 || ui.SubItem == 2) {
                hoverSubmenuItem(ui.SubItem + 1, true);
            } else if (ui.SubItem == 3) {
                hoverSubmenuItem(1, true);
            }
            break;
        default: break;
    }
}

// Tab on the help screen moves the highlight onto its OK and off again.
void Keyboard::toggleHelpOk() {
    if (w_.Image2A->visible()) {
        w_.Image2A->hide();
        return;
    }
    const MenuItem& ok = menuItem(submenu(kHelp), 1);
    w_.menus().showHighlight(*w_.Image2A, w_.catalogue.SubmenuHighlights[kHelp][1], *w_.Image2B, ok.offset);
}

void Keyboard::enter() {
    UiState& ui = w_.ui;
    switch (const Mode m = mode()) {
        case Mode::MessageBox: ui.DialogAnswer = ui.ButtonSel; break;
        case Mode::Options: w_.optionsDialog().enterKey(); break;
        default:
            // The help's OK, highlighted, takes Enter; without it the key
            // goes to the menu level beneath the help.
            if (ui.MainItem == kHelp && w_.Image2A->visible()) {
                w_.menus().Image2AClick();
            } else {
                enterAt(m == Mode::Help ? placeMode() : m);
            }
            break;
    }
}

void Keyboard::enterAt(Mode place) {
    UiState& ui = w_.ui;
    switch (place) {
        case Mode::ButtonStep:
            if (ui.ButtonSel != 0) ui.DialogAnswer = ui.ButtonSel;
            break;
        case Mode::ListStep: listEnter(); break;
        case Mode::FileStep: fileEnter(); break;
        case Mode::PasswordStep: passwordEnter(); break;
        case Mode::MainMenu: w_.menus().IMAGE1AClick(); break;
        case Mode::Submenu:
            if (ui.MainItem == kLocal || ui.MainItem == kPeerToPeer || ui.MainItem == kPeerMenu)
                w_.menus().Image2AClick();
            break;
        case Mode::PeerWaitingBox: ui.DialogAnswer = 1; break;  // its one button, Cancel
        case Mode::PeerAddressBox: ui.DialogAnswer = ui.ButtonSel; break;
        case Mode::Leaf: w_.menus().Image3AClick(); break;
        default: break;
    }
}

// Esc closes the options dialog or the help and goes on to the place they
// leave; in an operation it answers the step (or a message box over it) with
// its second button; in the menus it closes one level.
void Keyboard::escape() {
    switch (modeBelowMessageBox()) {
        case Mode::Options: w_.optionsDialog().escapeKey(); break;
        case Mode::Help: w_.menus().Image2AClick(); break;
        default: break;
    }
    UiState& ui = w_.ui;
    switch (placeMode()) {
        case Mode::ListStep:
        case Mode::FileStep:
        case Mode::ButtonStep:
        case Mode::PasswordStep:
        case Mode::OtherStep: ui.DialogAnswer = 2; break;
        case Mode::Submenu:
            if (ui.MainItem >= kLocal && ui.MainItem <= kQuit) hoverMainItem(ui.MainItem);
            break;
        case Mode::Leaf: hoverSubmenuItem(ui.SubItem, false); break;
        default: break;
    }
}

void Keyboard::pageUpOrDown(int key) {
    if (w_.ui.MainItem != kHelp) return;
    w_.help().scroll(key == kPageUp ? -operations::kHelpPageStep : operations::kHelpPageStep);
}

void Keyboard::leftOrRight(int key) {
    const bool right = key == kRight;
    switch (const Mode m = mode()) {
        case Mode::MessageBox: messageBoxLeftOrRight(); break;
        case Mode::Options: w_.optionsDialog().leftOrRightKey(right); break;
        case Mode::Help: leftOrRightAt(placeMode(), right); break;  // the help takes no Left or Right
        default: leftOrRightAt(m, right); break;
    }
}

// Left and Right move between Yes and No; a one-button box keeps its OK.
void Keyboard::messageBoxLeftOrRight() {
    const UiState& ui = w_.ui;
    if (layout::isOneButtonCode(ui.DialogCode)) return;
    const auto& kind = layout::kMessageKinds[2];
    const InclusiveRect target = ui.ButtonSel == 1 ? kind.button2 : kind.button1;
    w_.messages().Image4DMouseMove(target.left + 1, target.top + 1);
}

void Keyboard::leftOrRightAt(Mode place, bool right) {
    const UiState& ui = w_.ui;
    switch (place) {
        case Mode::ButtonStep: right ? nextButton() : previousButton(); break;
        case Mode::MainMenu:
            if (right) w_.menus().IMAGE1AClick();
            break;
        case Mode::Submenu: {
            if (!right && ui.PeerMode == 0) hoverMainItem(ui.MainItem);
            const bool opens = ui.PeerMode == 1 ? (ui.SubItem >= 1 && ui.SubItem <= 3)
                                                : (ui.MainItem == kLocal || ui.MainItem == kPeerToPeer);
            if (right && opens) w_.menus().Image2AClick();
            break;
        }
        case Mode::Leaf:
            if (!right) hoverSubmenuItem(ui.SubItem, false);
            break;
        default: break;
    }
}

void Keyboard::upOrDown(int key) {
    const UiState& ui = w_.ui;
    const bool down = key == kDown;
    switch (modeBelowMessageBox()) {
        case Mode::Options: w_.optionsDialog().upOrDownKey(down); break;
        case Mode::Help: w_.help().scroll(down ? operations::kHelpLineStep : -operations::kHelpLineStep); break;
        case Mode::ListStep: listUpOrDown(down); break;
        case Mode::FileStep: fileUpOrDown(down); break;
        case Mode::MainMenu:
            if (ui.MainItem < kLocal || ui.MainItem > kQuit) break;
            hoverMainItem(down ? wrapNext(ui.MainItem, kQuit) : wrapPrevious(ui.MainItem, kQuit));
            break;
        case Mode::Submenu: submenuUpOrDown(down); break;
        case Mode::Leaf: {
            if (ui.SubItem > 3 || (ui.MainItem != kLocal && ui.MainItem != kPeerToPeer)) break;
            const int count = thirdMenuCount(ui.MainItem, ui.SubItem);
            hoverThirdItem(down ? wrapNext(ui.LeafItem, count) : wrapPrevious(ui.LeafItem, count));
            break;
        }
        default: break;
    }
}

void Keyboard::submenuUpOrDown(bool down) {
    const UiState& ui = w_.ui;
    const int count = submenuCount(ui.MainItem);
    if (count == 0) return;
    // Up in Local and VexorCast aims at the item's exact corner.
    const bool cornerPlusOne = down || ui.MainItem == kPeerMenu;
    hoverSubmenuItem(down ? wrapNext(ui.SubItem, count) : wrapPrevious(ui.SubItem, count), cornerPlusOne);
}

}  // namespace vxr::input
