#include "operations/peer_connection.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "app/peer_events.h"
#include "app/screens.h"
#include "app/tform1.h"
#include "dialogs/message_dialogs.h"
#include "input/menus.h"
#include "layout/dialog_rects.h"
#include "layout/menu_geometry.h"
#include "layout/palette.h"
#include "layout/peer_layout.h"
#include "operations/operation_sequence.h"
#include "platform/application.h"
#include "platform/indexing.h"

namespace vxr::operations {

using namespace layout;

namespace {

using app::PeerEventOp;

// Catalogue slots of the link's pictures.
constexpr int kWaitingBox = 1;
constexpr int kAddressBox = 2;
constexpr int kConnectedBox = 3;
constexpr int kPeerMenuBox = 4;

constexpr int kPeerComputer = 1;

// How long a connected slave rests between two looks at the master's flag.
constexpr std::chrono::milliseconds kConnectedPoll{100};

}  // namespace

std::string trimmedAddress(const std::string& typed) {
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    std::size_t first = 0, last = typed.size();
    while (first < last && blank(typed[first])) ++first;
    while (last > first && blank(typed[last - 1])) --last;
    return typed.substr(first, last - first);
}

void PeerConnection::trace(const char* role, const char* state) {
    w_.trace.write("peer", {{"role", role}, {"state", state}});
}

void PeerConnection::PeerConnect() {
    w_.screens().HideMainMenu();
    w_.screens().HideSubmenus();
    w_.ui.ButtonSel = 0;
    if (w_.ui.LeafItem == kSlaveRole) slave();
    if (w_.ui.LeafItem == kMasterRole) master();
}

void PeerConnection::showBox(int pictureSlot, int x, int y) {
    platform::Image& box = *w_.Image4B;
    box.showAt(cell(w_.catalogue.PeerPictures, pictureSlot), x, y);
    box.bringToFront();
}

void PeerConnection::failWith(layout::Msg failure) { w_.messages().ask(failure); }

// ---- slave ---------------------------------------------------------------------

bool PeerConnection::slaveWaiting() {
    return w_.peerEvents.PeerEvent(PeerEventOp::Test, app::kSlaveSlot, app::kSlaveFlag);
}

bool PeerConnection::masterConnected() {
    return w_.peerEvents.PeerEvent(PeerEventOp::Test, app::kMasterSlot, app::kMasterFlag);
}

void PeerConnection::slave() {
    w_.screens().HideThirdMenus();
    if (slaveWaiting()) {
        trace("slave", "conflict");
        w_.screens().plainMessage(kAddressConflictMessage);
    } else {
        // The test above filled slot 1, so this set signals TASKFLAG1.
        w_.peerEvents.PeerEvent(PeerEventOp::Set, app::kSlaveSlot, app::kSlaveSetName);
        w_.peerEvents.HoldsSlaveFlag = true;
        showBox(kWaitingBox, kSlaveWaitingAt.x, kSlaveWaitingAt.y);
        trace("slave", "waiting");
        waitForMaster();
        w_.Image4B->hide();
        w_.Image4A->hide();
        if (w_.end.requested) return;
        if (w_.ui.DialogAnswer == kPeerAnswerFirst) {
            trace("slave", "cancelled");
            failWith(layout::Msg::ConnectionCanceled);
        } else {
            stayConnected();
        }
    }
    if (!w_.end.requested) w_.screens().ResetMainScreen();
}

// Each test of the flag waits up to 100 ms, so the loop looks about ten
// times a second and handles input in between.
void PeerConnection::waitForMaster() {
    w_.ui.DialogAnswer = 0;
    while (w_.ui.DialogAnswer == 0 && !w_.end.requested) {
        w_.app().processMessages();
        if (w_.ui.DialogAnswer == 0 && masterConnected()) w_.ui.DialogAnswer = kPeerAnswerSecond;
    }
}

// The master's flag falls when it is back on its main screen, after its
// operation's save; a master that died counts as gone too.
void PeerConnection::stayConnected() {
    w_.ui.ButtonSel = layout::kPeerBoxWithoutButtons;
    showBox(kConnectedBox, kConnectedAt.x, kConnectedAt.y);
    trace("slave", "connected");
    while (!w_.end.requested && masterConnected()) {
        w_.app().processMessages();
        std::this_thread::sleep_for(kConnectedPoll);
    }
    w_.Image4B->hide();
    if (!w_.end.requested) reloadRecord();
}

// A record that cannot be read whole is not taken: the copy keeps what it
// had and says so.
void PeerConnection::reloadRecord() {
    if (w_.computer.LoadRecord() == 0) {
        // What the peer computer's disks hold now, for whoever checks the link.
        const model::MachineRecord& record = w_.computer.record();
        nlohmann::json partitions = nlohmann::json::array();
        for (int disk = 1; disk <= std::min<int>(record.diskCount(kPeerComputer), model::bytes::kDisks); ++disk) {
            partitions.push_back(record.partitionsInUse(kPeerComputer, disk));
        }
        w_.trace.write("peer", {{"role", "slave"}, {"state", "reloaded"}, {"peerPartitions", partitions}});
        return;
    }
    trace("slave", "reloadFailed");
    w_.screens().plainMessage(app::kNoDataMessage);
}

// ---- master --------------------------------------------------------------------

void PeerConnection::showAddressEdit() {
    showDialogEdit(w_, kAddressEditAt, kAddressEditWidth, kAddressEditHeight).setFocus();
}

void PeerConnection::showPeerMenu() {
    input::UiState& ui = w_.ui;
    ui.PeerMode = 1;
    ui.MainItem = input::kPeerMenu;
    ui.SubItem = 0;
    ui.LeafItem = 0;
    const layout::MenuBox& menu = layout::submenu(input::kPeerMenu);
    platform::Image& layer = *w_.Image2B;
    layer.showAt(w_.catalogue.PeerPictures[kPeerMenuBox], menu.at.x, menu.at.y);
    const layout::Offset first = layout::menuItem(menu, 1).offset;
    w_.menus().Image2BMouseMove(first.x + 1, first.y + 1);
}

void PeerConnection::master() {
    w_.screens().HideThirdMenus();
    showBox(kAddressBox, kMasterAddressAt.x, kMasterAddressAt.y);
    showAddressEdit();
    trace("master", "address");
    w_.ui.DialogAnswer = 0;
    w_.waitUntil([this] { return w_.ui.DialogAnswer != 0; });
    const std::string address = trimmedAddress(w_.Edit[1]->text());
    w_.screens().HideDialog();
    w_.Edit[5]->setFocus();
    if (w_.end.requested) return;
    if (w_.ui.DialogAnswer != kPeerAnswerFirst) {
        trace("master", "cancelled");
    } else if (address != kSlaveAddress) {
        trace("master", "wrongAddress");
        failWith(layout::Msg::InvalidAddress);
    } else if (slaveWaiting()) {
        // The slave copy may have saved jobs since this copy loaded the file;
        // the master's save must not put the older record back.
        (void)w_.computer.LoadRecord();
        showPeerMenu();
        w_.peerEvents.PeerEvent(PeerEventOp::Set, app::kMasterSlot, app::kMasterFlag);
        trace("master", "connected");
        return;
    } else {
        trace("master", "noSlave");
        failWith(layout::Msg::NoSlave);
    }
    if (!w_.end.requested) w_.screens().ResetMainScreen();
}

}  // namespace vxr::operations
