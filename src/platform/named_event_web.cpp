// Named events in the web page. A page is one program, so its events live in
// the program: a name opens while some handle holds it, and a wait that finds
// the event clear suspends the program for the timeout (the browser draws and
// takes input meanwhile) before it looks again. Two tabs do not meet here.

#include "platform/named_event.h"

#include <map>
#include <thread>
#include <utility>

namespace vxr::platform {

struct SharedEvent {
    bool signalled = false;
    int holders = 0;
};

namespace {

std::map<std::string, SharedEvent>& events()
{
    static std::map<std::string, SharedEvent> table;
    return table;
}

}  // namespace

std::string NamedEvent::sharedMemoryName(std::string_view name) { return "/vxr-" + std::string(name); }

NamedEvent::NamedEvent(int descriptor, SharedEvent* shared, std::string path)
    : descriptor_(descriptor), shared_(shared), path_(std::move(path))
{
    ++shared_->holders;
}

std::optional<NamedEvent> NamedEvent::attach(std::string_view name, bool create, bool initiallySignalled)
{
    const std::string path = sharedMemoryName(name);
    auto found = events().find(path);
    if (found == events().end() || found->second.holders == 0) {
        if (!create) return std::nullopt;
        found = events().insert_or_assign(path, SharedEvent{initiallySignalled, 0}).first;
    }
    return NamedEvent(0, &found->second, path);
}

std::optional<NamedEvent> NamedEvent::open(std::string_view name) { return attach(name, false, false); }

std::optional<NamedEvent> NamedEvent::create(std::string_view name, bool initiallySignalled)
{
    return attach(name, true, initiallySignalled);
}

NamedEvent::NamedEvent(NamedEvent&& other) noexcept
    : descriptor_(other.descriptor_), shared_(std::exchange(other.shared_, nullptr)), path_(std::move(other.path_))
{
}

NamedEvent& NamedEvent::operator=(NamedEvent&& other) noexcept
{
    if (this != &other) {
        release();
        descriptor_ = other.descriptor_;
        shared_ = std::exchange(other.shared_, nullptr);
        path_ = std::move(other.path_);
    }
    return *this;
}

NamedEvent::~NamedEvent() { release(); }

void NamedEvent::release()
{
    if (shared_ != nullptr) --shared_->holders;
    shared_ = nullptr;
}

bool NamedEvent::set()
{
    shared_->signalled = true;
    return true;
}

bool NamedEvent::reset()
{
    shared_->signalled = false;
    return true;
}

bool NamedEvent::signalledByTheLiving() const { return shared_->signalled; }

bool NamedEvent::wait(std::chrono::milliseconds timeout)
{
    if (signalledByTheLiving()) return true;
    std::this_thread::sleep_for(timeout);
    return signalledByTheLiving();
}

}  // namespace vxr::platform
