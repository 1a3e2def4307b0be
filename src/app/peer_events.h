#pragma once
// The two named events through which two running copies meet: TASKFLAG1 (a
// slave waits) and TASKFLAG2 (a master has connected). Each copy keeps one
// handle slot per flag, filled on first use and kept until the end.

#include <array>
#include <optional>
#include <string>

#include "platform/named_event.h"

namespace vxr::app {

enum class PeerEventOp { Test = 1, Reset = 2, Set = 3 };

inline constexpr const char* kSlaveFlag = "TASKFLAG1";
inline constexpr const char* kMasterFlag = "TASKFLAG2";
// The name the slave's set passes; slot 1 is filled by then, so the set
// signals TASKFLAG1.
inline constexpr const char* kSlaveSetName = "TASKFLAG";
inline constexpr int kSlaveSlot = 1;
inline constexpr int kMasterSlot = 2;

class PeerEvents {
public:
    // Prefixes every event name from now on; set before the first use to
    // eventScopeOf(the data file), so that only copies on one data
    // file meet.
    void setScope(std::string scope) { scope_ = std::move(scope); }

    // Test waits at most 100 ms and tells whether the event is signalled;
    // reset and set tell whether they succeeded. An empty slot is filled by
    // opening `name`, or creating it not signalled; the name of a filled
    // slot is not used. False when the event can be neither opened nor made.
    bool PeerEvent(PeerEventOp operation, int slot, const std::string& name);

    // True after this copy has signalled TASKFLAG1.
    bool HoldsSlaveFlag = false;

private:
    std::optional<platform::NamedEvent>& slotOf(int slot);
    std::array<std::optional<platform::NamedEvent>, 2> slots_;
    std::string scope_;
};

}  // namespace vxr::app
