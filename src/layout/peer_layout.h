#pragma once
// The peer connection's pictures and where they stand in the window.

#include "layout/table_types.h"

namespace vxr::layout {

inline constexpr const char* kSlaveWaitingPicture = "FP21";
inline constexpr const char* kMasterAddressPicture = "FP22";
inline constexpr const char* kConnectedPicture = "FP23";
inline constexpr const char* kPeerMenuPicture = "FP24";
inline constexpr Offset kSlaveWaitingAt{132, 100};
inline constexpr Offset kMasterAddressAt{132, 100};
inline constexpr Offset kConnectedAt{140, 110};
inline constexpr Offset kAddressEditAt{54, 78};  // from the address picture's corner
inline constexpr int kAddressEditWidth = 226;
inline constexpr int kAddressEditHeight = 15;
inline constexpr const char* kSlaveAddress = "192.168.18.2";

}  // namespace vxr::layout
