#pragma once
// Named manual-reset events shared between processes of the same user, with
// the behaviour of Windows named events: open an existing one, create one,
// set, reset, and wait with a timeout.
//
// An event lives in POSIX shared memory. Windows destroys an event with the
// last handle to it; shared memory would outlive a killed process, so the
// event records the processes holding it, drops those that have died
// whenever it is opened, and counts as absent when none is left. The
// A signal also stands for the process that set it: when that process has
// died, the event reads as not signalled until a live process sets it
// again. The environment variable VXR_EVENT_NAMESPACE, read at every open, prefixes all
// names so that parallel test runs do not meet.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace vxr::platform {

struct SharedEvent;

class NamedEvent {
public:
    // Opens the event `name` if a live process holds it; nullopt otherwise.
    static std::optional<NamedEvent> open(std::string_view name);
    // Opens the event `name`, or creates it in the given state when no live
    // process holds it. nullopt when the system refuses.
    static std::optional<NamedEvent> create(std::string_view name, bool initiallySignalled);

    NamedEvent(NamedEvent&& other) noexcept;
    NamedEvent& operator=(NamedEvent&& other) noexcept;
    NamedEvent(const NamedEvent&) = delete;
    NamedEvent& operator=(const NamedEvent&) = delete;
    ~NamedEvent();

    // Signalled stays signalled, for every waiter, until reset().
    bool set();
    bool reset();
    // True when the event is or becomes signalled, by a process still
    // alive, within `timeout`.
    bool wait(std::chrono::milliseconds timeout);

    // The shared memory object behind an event name for this user and the
    // current namespace.
    static std::string sharedMemoryName(std::string_view name);

private:
    NamedEvent(int descriptor, SharedEvent* shared, std::string path);
    static std::optional<NamedEvent> attach(std::string_view name, bool create, bool initiallySignalled);
    void release();
    bool signalledByTheLiving() const;

    int descriptor_ = -1;
    SharedEvent* shared_ = nullptr;
    std::string path_;
};

}  // namespace vxr::platform
