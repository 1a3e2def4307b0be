#include "input/menus.h"

#include "app/screens.h"
#include "app/tform1.h"
#include "dialogs/message_dialogs.h"
#include "operations/help_screen.h"
#include "operations/operation_sequence.h"
#include "operations/options_dialog.h"
#include "operations/peer_connection.h"
#include "platform/indexing.h"

namespace vxr::input {

using namespace layout;

namespace {

bool inHitArea(const MenuItem& item, const platform::Picture& highlight, int x, int y) {
    return highlight && hitArea(item.offset, highlight->width(), highlight->height(), x, y);
}

}  // namespace

void Menus::showHighlight(platform::Image& layer, const platform::Picture& picture, const platform::Image& menu,
                          Offset offset) {
    layer.showAt(picture, menu.left() + offset.x, menu.top() + offset.y);
}

Offset Menus::thirdMenuPosition(int mainItem, int subItem) const {
    Offset at = thirdMenu(mainItem, subItem).at;
    if (w_.ui.PeerMode == 1) {
        at.x += kPeerThirdMenuShift.x;
        at.y += kPeerThirdMenuShift.y;
    }
    return at;
}

// ---- main menu ---------------------------------------------------------------

int Menus::mainItemAt(int x, int y) const {
    for (int item = 1; item <= kMainItems; ++item) {
        if (inHitArea(at(kMainMenuItems, item), cell(w_.catalogue.MainMenuHighlights, item), x, y)) {
            return item;
        }
    }
    return 0;
}

void Menus::Image1BMouseMove(int x, int y) {
    if (w_.mouseLocked()) return;
    UiState& ui = w_.ui;
    // While the options dialog or the quit question is up, the menu ignores the pointer.
    if (!(ui.MainItem < kOptions || ui.MainItem > kQuit || ui.SubItem == 0)) return;
    const int item = mainItemAt(x, y);
    if (item == 0) return;
    w_.screens().HideSubmenus();
    w_.screens().HideThirdMenus();
    ui.LeafItem = 0;
    if (item != ui.MainItem) {
        showHighlight(*w_.Image1A, cell(w_.catalogue.MainMenuHighlights, item), *w_.Image1B,
                      at(kMainMenuItems, item).offset);
    }
    ui.MainItem = item;
}

void Menus::openSubmenu() {
    const MenuBox& box = submenu(w_.ui.MainItem);
    w_.Image2B->showAt(cell(w_.catalogue.SubmenuPictures, w_.ui.MainItem), box.at.x, box.at.y);
    const Offset first = menuItem(box, 1).offset;
    Image2BMouseMove(first.x, first.y);
}

void Menus::askQuit() {
    w_.ui.SubItem = 1;
    if (w_.messages().ask(layout::Msg::QuitQuestion) == 1) {
        w_.screens().closeWindow();
    } else {
        w_.ui.MainItem = 0;
        w_.screens().ResetMainScreen();
    }
}

void Menus::IMAGE1AClick() {
    if (w_.mouseLocked()) return;
    UiState& ui = w_.ui;
    switch (ui.MainItem) {
        case kLocal:
        case kPeerToPeer:
        case kVexorCast:
            if (ui.SubItem != 0) {
                w_.screens().HideSubmenus();
                w_.screens().HideThirdMenus();
                ui.LeafItem = 0;
            } else {
                openSubmenu();
            }
            break;
        case kOptions: w_.optionsDialog().OpenOptions(); break;
        case kHelp: w_.help().ShowHelp(); break;
        case kQuit: askQuit(); break;
        case kClosingNotice: ui.MainItem = 0; break;
        default: break;
    }
}

// ---- second level --------------------------------------------------------------

int Menus::submenuItemAt(int mainItem, int x, int y) const {
    const MenuBox& box = submenu(mainItem);
    const auto& highlights = cell(w_.catalogue.SubmenuHighlights, mainItem);
    for (int item = 1; item <= 4; ++item) {
        if (inHitArea(menuItem(box, item), cell(highlights, item), x, y)) return item;
    }
    return 0;
}

void Menus::Image2BMouseMove(int x, int y) {
    if (w_.mouseLocked()) return;
    UiState& ui = w_.ui;
    if (ui.PeerMode == 1) ui.MainItem = kPeerMenu;
    if (ui.MainItem == kOptions) {
        w_.optionsDialog().Image2BMouseMove(x, y);
        return;
    }
    const bool isSubmenu = (ui.MainItem >= kLocal && ui.MainItem <= kVexorCast) || ui.MainItem == kPeerMenu;
    if (!isSubmenu && ui.MainItem != kHelp) return;
    if (isSubmenu) {
        // Only the column of the items counts.
        const Offset first = menuItem(submenu(ui.MainItem), 1).offset;
        const auto& firstHighlight = cell(w_.catalogue.SubmenuHighlights, ui.MainItem)[1];
        if (!firstHighlight || x < first.x || x >= first.x + firstHighlight->width()) return;
    }
    const int item = submenuItemAt(ui.MainItem, x, y);
    if (item == 0) return;
    w_.screens().HideThirdMenus();
    ui.LeafItem = 0;
    if (item != ui.SubItem || !w_.Image2A->visible()) {
        showHighlight(*w_.Image2A, cell(cell(w_.catalogue.SubmenuHighlights, ui.MainItem), item), *w_.Image2B,
                      menuItem(submenu(ui.MainItem), item).offset);
    }
    ui.SubItem = item;
}

void Menus::openThirdMenu() {
    const UiState& ui = w_.ui;
    const Offset at = thirdMenuPosition(ui.MainItem, ui.SubItem);
    w_.Image3B->showAt(cell(cell(w_.catalogue.ThirdMenuPictures, ui.MainItem), ui.SubItem), at.x, at.y);
    const Offset first = menuItem(thirdMenu(ui.MainItem, ui.SubItem), 1).offset;
    Image3BMouseMove(first.x, first.y);
}

void Menus::Image2AClick() {
    if (w_.mouseLocked()) return;
    UiState& ui = w_.ui;
    if (ui.MainItem == kOptions) {
        w_.optionsDialog().CloseOptions();
        return;
    }
    if (ui.MainItem == kHelp) {
        w_.help().CloseHelp();
        return;
    }
    if (ui.MainItem == kPeerMenu) {
        if (ui.SubItem == 4) {  // Back
            ui.PeerMode = 0;
            w_.screens().HideSubmenus();
            ui.MainItem = kLocal;
            w_.screens().ResetMainScreen();
            return;
        }
        ui.MainItem = kLocal;
    }
    if (ui.MainItem != kLocal && ui.MainItem != kPeerToPeer) return;
    if (ui.LeafItem == 0) {
        openThirdMenu();
    } else {
        w_.screens().HideThirdMenus();
        ui.LeafItem = 0;
    }
}

// ---- third level ---------------------------------------------------------------

int Menus::thirdItemAt(int mainItem, int subItem, int x, int y) const {
    if (mainItem < 1 || mainItem > 2 || subItem < 1 || subItem > 3) return 0;
    const MenuBox& box = thirdMenu(mainItem, subItem);
    const auto& highlights = cell(cell(w_.catalogue.ThirdMenuHighlights, mainItem), subItem);
    for (int item = 1; item <= 3; ++item) {
        if (inHitArea(menuItem(box, item), cell(highlights, item), x, y)) return item;
    }
    return 0;
}

void Menus::Image3BMouseMove(int x, int y) {
    if (w_.mouseLocked()) return;
    UiState& ui = w_.ui;
    if (ui.MainItem > kVexorCast) return;
    const int item = thirdItemAt(ui.MainItem, ui.SubItem, x, y);
    if (item == 0 || item == ui.LeafItem) return;
    showHighlight(*w_.Image3A, cell(cell(cell(w_.catalogue.ThirdMenuHighlights, ui.MainItem), ui.SubItem), item),
                  *w_.Image3B, menuItem(thirdMenu(ui.MainItem, ui.SubItem), item).offset);
    ui.LeafItem = item;
}

void Menus::Image3AClick() {
    if (w_.mouseLocked()) return;
    // Operations (Local) and the peer connection (Peer to peer) start here.
    if (w_.ui.MainItem == kLocal && w_.ui.SubItem != 0 && w_.ui.LeafItem != 0) w_.sequence().StartOperation();
    if (w_.ui.MainItem == kPeerToPeer) w_.peerConnection().PeerConnect();
}

void Menus::ScrollBox1MouseMove() {
    if (w_.mouseLocked()) return;
    w_.Image2A->hide();
}

void Menus::IMAGEHMouseMove() { ScrollBox1MouseMove(); }

}  // namespace vxr::input
