#include "input/keyboard.h"

#include "app/tform1.h"
#include "dialogs/message_dialog_layout.h"
#include "dialogs/message_dialogs.h"
#include "input/dialog_pointer.h"
#include "input/dialog_rects.h"
#include "input/menu_geometry.h"
#include "input/menus.h"
#include "operations/help_screen.h"
#include "operations/options_dialog.h"
#include "operations/steps.h"

namespace vxr::input {

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
    if (w_.ui.MainItem == kClosingNotice) {
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
    const Offset at = kMainMenuItems[static_cast<std::size_t>(item - 1)].offset;
    w_.menus().Image1BMouseMove(at.x + 1, at.y + 1);
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

bool Keyboard::menusActive() const { return w_.ui.OpCode == 0; }

bool Keyboard::peerBoxOpen(int box) const {
    const UiState& ui = w_.ui;
    return ui.MainItem == kPeerToPeer && ui.SubItem == 0 && ui.LeafItem == box;
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
    const InclusiveRect& next = buttons[static_cast<std::size_t>(ui.ButtonSel)];
    w_.dialogPointer().keyboardMove(next.left + 1, next.top + 1);
}

bool Keyboard::buttonDialog() const { return operations::isButtonDialog(w_.ui.DialogNo); }

bool Keyboard::hoverButton(int button) {
    if (button < 1 || button > 3) return false;
    const InclusiveRect& rect = dialogRects(w_.ui.DialogNo).buttons[static_cast<std::size_t>(button - 1)];
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

// ---- the keys ------------------------------------------------------------------

void Keyboard::tab() {
    w_.Edit[5]->setFocus();
    UiState& ui = w_.ui;
    if (w_.optionsDialog().open()) {
        w_.optionsDialog().tabKey();
        return;
    }
    operations::HelpScreen& help = w_.help();
    if (help.open()) {
        if (w_.Image2A->visible()) {
            w_.Image2A->hide();
        } else {
            const MenuItem& ok = menuItem(submenu(kHelp), 1);
            w_.menus().showHighlight(*w_.Image2A, w_.catalogue.SubmenuHighlights[kHelp][1], *w_.Image2B, ok.offset);
        }
        return;
    }
    if (!menusActive()) {
        if (buttonDialog()) nextButton();
        if (listDialog()) listTab();
        if (fileDialog()) fileTab();
        return;
    }
    if (peerBoxOpen(2)) {
        peerBoxTab();
    } else if (ui.SubItem == 0 && ui.LeafItem == 0) {
        if (ui.MainItem >= kLocal && ui.MainItem <= kHelp) hoverMainItem(ui.MainItem + 1);
        if (ui.MainItem == kQuit) hoverMainItem(kLocal);
    } else if ((ui.SubItem == 1 || ui.SubItem == 2) && ui.LeafItem == 0) {
        if (ui.MainItem == kLocal || ui.MainItem == kVexorCast) hoverSubmenuItem(ui.SubItem + 1, true);
    } else if (ui.SubItem == 3 && ui.LeafItem == 0) {
        if (ui.MainItem == kLocal || ui.MainItem == kVexorCast) hoverSubmenuItem(1, true);
    }
}

void Keyboard::enter() {
    UiState& ui = w_.ui;
    if (ui.DialogCode != 0) {
        ui.DialogAnswer = ui.ButtonSel;
        return;
    }
    if (w_.optionsDialog().open()) {
        w_.optionsDialog().enterKey();
        return;
    }
    if (ui.MainItem == kHelp && w_.Image2A->visible()) {
        w_.menus().Image2AClick();
        return;
    }
    if (!menusActive()) {
        if (buttonDialog() && ui.ButtonSel != 0) ui.DialogAnswer = ui.ButtonSel;
        if (listDialog()) listEnter();
        if (fileDialog()) fileEnter();
        passwordEnter();
        return;
    }
    if (ui.LeafItem == 0 && ui.SubItem == 0) {
        w_.menus().IMAGE1AClick();
    } else if (ui.LeafItem == 0) {
        if (ui.MainItem == kLocal || ui.MainItem == kPeerToPeer || ui.MainItem == kPeerMenu) w_.menus().Image2AClick();
    } else if (peerBoxOpen(1)) {
        ui.DialogAnswer = 1;  // the waiting box's one button, Cancel
    } else if (peerBoxOpen(2)) {
        ui.DialogAnswer = ui.ButtonSel;
    } else if (ui.SubItem != 0) {
        w_.menus().Image3AClick();
    }
}

void Keyboard::escape() {
    UiState& ui = w_.ui;
    if (w_.optionsDialog().open()) w_.optionsDialog().escapeKey();
    if (w_.help().open()) w_.menus().Image2AClick();
    if (ui.SubItem == 0 && ui.OpCode == 0) return;
    if (ui.OpCode != 0) {
        ui.DialogAnswer = 2;
    } else if (ui.LeafItem == 0) {
        if (ui.MainItem >= kLocal && ui.MainItem <= kQuit) hoverMainItem(ui.MainItem);
    } else {
        hoverSubmenuItem(ui.SubItem, false);
    }
}

void Keyboard::pageUpOrDown(int key) {
    if (w_.ui.MainItem != kHelp) return;
    w_.help().scroll(key == kPageUp ? -operations::kHelpPageStep : operations::kHelpPageStep);
}

void Keyboard::leftOrRight(int key) {
    UiState& ui = w_.ui;
    if (ui.DialogCode != 0) {
        if (!dialogs::isOneButtonCode(ui.DialogCode)) {
            const auto& kind = dialogs::kMessageKinds[2];
            const InclusiveRect target = ui.ButtonSel == 1 ? kind.button2 : kind.button1;
            w_.messages().Image4DMouseMove(target.left + 1, target.top + 1);
        }
        return;
    }
    const bool right = key == kRight;
    if (w_.optionsDialog().open()) {
        w_.optionsDialog().leftOrRightKey(right);
        return;
    }
    if (!menusActive()) {
        if (buttonDialog()) right ? nextButton() : previousButton();
        return;
    }
    if (ui.LeafItem == 0 && ui.SubItem == 0) {
        if (right) w_.menus().IMAGE1AClick();
    } else if (ui.LeafItem == 0) {
        if (!right && ui.PeerMode == 0) hoverMainItem(ui.MainItem);
        const bool opens = ui.PeerMode == 1 ? (ui.SubItem >= 1 && ui.SubItem <= 3)
                                            : (ui.MainItem == kLocal || ui.MainItem == kPeerToPeer);
        if (right && opens) w_.menus().Image2AClick();
    } else if (!right && ui.SubItem != 0) {
        hoverSubmenuItem(ui.SubItem, false);
    }
}

void Keyboard::upOrDown(int key) {
    UiState& ui = w_.ui;
    const bool down = key == kDown;
    if (w_.optionsDialog().open()) {
        w_.optionsDialog().upOrDownKey(down);
        return;
    }
    if (w_.help().open()) {
        w_.help().scroll(down ? operations::kHelpLineStep : -operations::kHelpLineStep);
        return;
    }
    if (!menusActive()) {
        if (listDialog()) listUpOrDown(down);
        if (fileDialog()) fileUpOrDown(down);
        return;
    }
    if (ui.SubItem == 0 && ui.LeafItem == 0) {
        if (ui.MainItem < kLocal || ui.MainItem > kQuit) return;
        hoverMainItem(down ? wrapNext(ui.MainItem, kQuit) : wrapPrevious(ui.MainItem, kQuit));
    } else if (ui.LeafItem == 0) {
        const int count = submenuCount(ui.MainItem);
        if (count == 0) return;
        // Up in Local and VexorCast aims at the item's exact corner.
        const bool cornerPlusOne = down || ui.MainItem == kPeerMenu;
        hoverSubmenuItem(down ? wrapNext(ui.SubItem, count) : wrapPrevious(ui.SubItem, count), cornerPlusOne);
    } else if (ui.SubItem >= 1 && ui.SubItem <= 3 && (ui.MainItem == kLocal || ui.MainItem == kPeerToPeer)) {
        const int count = thirdMenuCount(ui.MainItem, ui.SubItem);
        hoverThirdItem(down ? wrapNext(ui.LeafItem, count) : wrapPrevious(ui.LeafItem, count));
    }
}

}  // namespace vxr::input
