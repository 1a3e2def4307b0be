#include "app/peer_events.h"

#include <chrono>

namespace vxr::app {

namespace {
constexpr std::chrono::milliseconds kTestTimeout{100};
}

std::optional<platform::NamedEvent>& PeerEvents::slotOf(int slot) { return slots_[slot == kMasterSlot ? 1 : 0]; }

bool PeerEvents::PeerEvent(PeerEventOp operation, int slot, const std::string& name) {
    std::optional<platform::NamedEvent>& handle = slotOf(slot);
    if (!handle) {
        handle = platform::NamedEvent::open(scope_ + name);
        if (!handle) {
            // A fresh event must not read as signalled.
            handle = platform::NamedEvent::create(scope_ + name, true);
            if (!handle) return false;
            handle->reset();
        }
    }
    switch (operation) {
        case PeerEventOp::Test: return handle->wait(kTestTimeout);
        case PeerEventOp::Reset: return handle->reset();
        case PeerEventOp::Set: return handle->set();
    }
    return false;
}

}  // namespace vxr::app
