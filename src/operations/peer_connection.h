#pragma once
// The TCP/IP peer link, played by two running copies on one data file: the
// slave waits and, once a master has connected, watches the link until it
// ends and then reloads the data file; the master asks for the slave's
// address and, with a slave waiting, switches its menus and operations to
// the peer computer. The copies meet only through the two peer events.

#include <string>

#include "layout/message_codes.h"

namespace vxr::app {
class TForm1;
}

namespace vxr::operations {

inline constexpr const char* kAddressConflictMessage = "IP 地址 192.168.18.2 冲突";

// Answers of the address box and of the slave's waiting box.
inline constexpr int kPeerAnswerFirst = 1;   // OK (master), Cancel (slave)
inline constexpr int kPeerAnswerSecond = 2;  // Cancel (master), a master connected (slave)

// The box a peer role shows, by LeafItem.
inline constexpr int kSlaveRole = 1;
inline constexpr int kMasterRole = 2;

// The address as the master's box takes it: spaces around it do not count.
std::string trimmedAddress(const std::string& typed);

class PeerConnection {
public:
    explicit PeerConnection(app::TForm1& window) : w_(window) {}

    // Starts the role of the highlighted TCP/IP item (LeafItem 1 Slave,
    // 2 Master) and returns when this copy is back on a menu.
    void PeerConnect();

private:
    void slave();
    void master();
    bool slaveWaiting();
    bool masterConnected();
    void waitForMaster();
    void stayConnected();
    void reloadRecord();
    void showBox(int pictureSlot, int x, int y);
    void showAddressEdit();
    void showPeerMenu();
    void failWith(layout::Msg failure);
    void trace(const char* role, const char* state);

    app::TForm1& w_;
};

}  // namespace vxr::operations
