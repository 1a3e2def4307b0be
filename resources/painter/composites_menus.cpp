// Composites of the menus: the main screen as ResetMainScreen leaves it,
// each submenu and third level open with its first item highlighted, and the
// peer-link menu.

#include <string>

#include "layout/menu_geometry.h"
#include "platform/indexing.h"
#include "scene.h"

namespace vxr::painter {

namespace {

using layout::MenuBox;

// A menu box at its place with item `item` highlighted.
void openMenu(Scene& scene, const MenuBox& box, layout::Offset at, int item) {
    scene.put(box.picture, at);
    const layout::MenuItem& entry = layout::menuItem(box, item);
    scene.put(entry.highlight, at, entry.offset);
}

void mainMenu(Scene& scene, int item) {
    scene.put(layout::kMainMenuPicture, layout::kMainMenuAt);
    const layout::MenuItem& entry = at(layout::kMainMenuItems, item);
    scene.put(entry.highlight, layout::kMainMenuAt, entry.offset);
}

void submenuOpen(Scene& scene, int main, int sub) {
    mainMenu(scene, main);
    openMenu(scene, layout::submenu(main), layout::submenu(main).at, sub);
}

void thirdMenuOpen(Scene& scene, int main, int sub) {
    submenuOpen(scene, main, sub);
    const MenuBox& third = layout::thirdMenu(main, sub);
    openMenu(scene, third, third.at, 1);
}

// The peer-link menu replaces the main menu; its third level stands shifted.
void peerMenu(Scene& scene, int sub) {
    const MenuBox& peer = layout::submenu(layout::kPeerMenuItem);
    openMenu(scene, peer, peer.at, sub);
}

void peerThirdMenu(Scene& scene, int sub) {
    peerMenu(scene, sub);
    const MenuBox& third = layout::thirdMenu(1, sub);
    openMenu(scene, third, third.at + layout::kPeerThirdMenuShift, 1);
}

}  // namespace

void addMenuComposites(std::vector<Composite>& composites) {
    composites.push_back({"main-screen", [](Scene& s) { mainMenu(s, 1); }});
    const char* mains[] = {"", "local", "peer", "vexorcast"};
    for (int main = 1; main <= 3; ++main) {
        composites.push_back({std::string("menu-") + mains[main], [main](Scene& s) { submenuOpen(s, main, 1); }});
    }
    const char* localSubs[] = {"", "disk", "partition", "check"};
    for (int sub = 1; sub <= 3; ++sub) {
        composites.push_back(
            {std::string("menu-local-") + localSubs[sub], [sub](Scene& s) { thirdMenuOpen(s, 1, sub); }});
    }
    composites.push_back({"menu-peer-tcpip", [](Scene& s) { thirdMenuOpen(s, 2, 1); }});
    composites.push_back({"peer-menu", [](Scene& s) { peerMenu(s, 1); }});
    for (int sub = 1; sub <= 3; ++sub) {
        composites.push_back({std::string("peer-menu-") + localSubs[sub], [sub](Scene& s) { peerThirdMenu(s, sub); }});
    }
}

}  // namespace vxr::painter
