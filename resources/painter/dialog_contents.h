#pragma once
// What a dialog picture shows besides its frame, title, sign, text lines and
// buttons: the file dialogs' fields and the peer connection's boxes.

#include <functional>
#include <string>

#include "look.h"

namespace vxr::painter {

// Draws into the dialog picture named `name`.
using Contents = std::function<void(Canvas&, const std::string& name)>;

// The three file dialogs: Look in line and its buttons, the Name/Size/Date
// list, File name, Files of type and the image file description.
void fileDialogContents(Canvas& canvas, const std::string& name);

// The peer connection: the slave waiting for its master, the master's
// address box, the slave connected; and the VexorCast session box.
void slaveWaitingContents(Canvas& canvas, const std::string& name);
void masterAddressContents(Canvas& canvas, const std::string& name);
void connectedContents(Canvas& canvas, const std::string& name);
void sessionContents(Canvas& canvas, const std::string& name);

// The IP address this trainer gives the master computer in its address box.
inline constexpr const char* kMasterAddress = "192.168.18.1";

}  // namespace vxr::painter
