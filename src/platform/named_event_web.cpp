// Named events in the web page, shared by the tabs of the page as by
// processes on the desktop: the page's tab table (web/tabs.js) keeps them in
// the browser storage the tabs share. A wait suspends the program (the
// browser draws and takes input meanwhile) until another tab announces a
// change or the timeout passes. A program without the table (the record
// tool) has no events.

#include "platform/named_event.h"

#include <emscripten.h>

#include <utility>

// clang-format off
EM_ASYNC_JS(int, vxr_event_attach, (const char* name, int create, int initiallySignalled), {
    if (!Module.vxrTabs) return 0;
    return (await Module.vxrTabs.attach(UTF8ToString(name), !!create, !!initiallySignalled)) ? 1 : 0;
});

EM_JS(void, vxr_event_release, (const char* name), { Module.vxrTabs.release(UTF8ToString(name)); });

EM_JS(void, vxr_event_signal, (const char* name, int signalled), {
    Module.vxrTabs.signal(UTF8ToString(name), !!signalled);
});

EM_ASYNC_JS(int, vxr_event_wait, (const char* name, int timeout), {
    return (await Module.vxrTabs.wait(UTF8ToString(name), timeout)) ? 1 : 0;
});
// clang-format on

namespace vxr::platform {

// Nothing is kept in the program: the handle's name says it all, and the
// pointer to this one mark tells a held handle from a released one.
struct SharedEvent {};

namespace {
SharedEvent held;
}

std::string NamedEvent::sharedMemoryName(std::string_view name) { return "/vxr-" + std::string(name); }

NamedEvent::NamedEvent(int descriptor, SharedEvent* shared, std::string path)
    : descriptor_(descriptor), shared_(shared), path_(std::move(path)) {}

std::optional<NamedEvent> NamedEvent::attach(std::string_view name, bool create, bool initiallySignalled) {
    std::string path = sharedMemoryName(name);
    if (vxr_event_attach(path.c_str(), create, initiallySignalled) == 0) return std::nullopt;
    return NamedEvent(0, &held, std::move(path));
}

std::optional<NamedEvent> NamedEvent::open(std::string_view name) { return attach(name, false, false); }

std::optional<NamedEvent> NamedEvent::create(std::string_view name, bool initiallySignalled) {
    return attach(name, true, initiallySignalled);
}

NamedEvent::NamedEvent(NamedEvent&& other) noexcept
    : descriptor_(other.descriptor_), shared_(std::exchange(other.shared_, nullptr)), path_(std::move(other.path_)) {}

NamedEvent& NamedEvent::operator=(NamedEvent&& other) noexcept {
    if (this != &other) {
        release();
        descriptor_ = other.descriptor_;
        shared_ = std::exchange(other.shared_, nullptr);
        path_ = std::move(other.path_);
    }
    return *this;
}

NamedEvent::~NamedEvent() { release(); }

void NamedEvent::release() {
    if (shared_ != nullptr) vxr_event_release(path_.c_str());
    shared_ = nullptr;
}

bool NamedEvent::set() {
    vxr_event_signal(path_.c_str(), 1);
    return true;
}

bool NamedEvent::reset() {
    vxr_event_signal(path_.c_str(), 0);
    return true;
}

bool NamedEvent::signalledByTheLiving() const { return vxr_event_wait(path_.c_str(), 0) != 0; }

bool NamedEvent::wait(std::chrono::milliseconds timeout) {
    return vxr_event_wait(path_.c_str(), static_cast<int>(timeout.count())) != 0;
}

}  // namespace vxr::platform
