#pragma once
// The screen state of the window, shared by menus, dialogs, the keyboard and
// the operations. Field names are the ones every handler uses.

#include <array>
#include <cstdint>

namespace vxr::input {

// Values of MainItem.
enum MainItems : int {
    kNoItem = 0,
    kLocal = 1,
    kPeerToPeer = 2,
    kVexorCast = 3,
    kOptions = 4,
    kHelp = 5,
    kQuit = 6,
    kPeerMenu = 7,
    kClosingNotice = 9,
};

struct UiState {
    int MainItem = 0;
    int SubItem = 0;
    int LeafItem = 0;
    int OpCode = 0;
    int DialogNo = 0;
    int ButtonSel = 0;
    int FieldPos = 0;
    int RowSel = 0;
    int RowCount = 0;
    int LookInRowSel = 0;
    std::array<int, 16> LookInRows{};
    int DialogCode = 0;
    int DialogAnswer = 0;
    int PeerMode = 0;
    int KeyDepth = 0;
    bool CtrlDown = false;
    bool ShiftDown = false;
};

}  // namespace vxr::input
