#include "platform/named_event.h"

#include <fcntl.h>
#include <linux/futex.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <utility>

namespace vxr::platform {

constexpr std::uint32_t kEventMagic = 0x56584557;  // "VXEW": the layout with the setter
constexpr int kMaxHolders = 64;

struct EventHolder {
    pid_t pid;
    std::uint32_t handles;
};

// The layout in shared memory. The holder list changes only under an
// exclusive flock on the shared memory file, which the system drops when a
// process dies; the state word is a futex and needs no lock at all, so no
// process can die holding anything the others wait for.
struct SharedEvent {
    std::uint32_t magic;
    std::atomic<std::uint32_t> signalled;
    std::atomic<pid_t> setter;  // the process whose set() signalled it
    std::uint32_t holderCount;
    EventHolder holders[kMaxHolders];
};

static_assert(std::atomic<std::uint32_t>::is_always_lock_free, "the futex word must be a plain word");
static_assert(std::atomic<pid_t>::is_always_lock_free, "the setter is read without the lock");

namespace {

constexpr int kAttachAttempts = 100;

// Futexes on shared mappings: the private flag must stay off.
void futexWait(std::atomic<std::uint32_t>& word, std::uint32_t expected, const timespec& relative) {
    syscall(SYS_futex, reinterpret_cast<std::uint32_t*>(&word), FUTEX_WAIT, expected, &relative, nullptr, 0);
}

void futexWakeAll(std::atomic<std::uint32_t>& word) {
    syscall(SYS_futex, reinterpret_cast<std::uint32_t*>(&word), FUTEX_WAKE, INT_MAX, nullptr, nullptr, 0);
}

std::string sanitized(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
                           c == '-' || c == '.';
        if (!plain) c = '_';
    }
    return result;
}

void lockFile(int descriptor) {
    while (flock(descriptor, LOCK_EX) != 0 && errno == EINTR) {}
}

void unlockFile(int descriptor) { flock(descriptor, LOCK_UN); }

// A closing holder may unlink the name while another process waits for the
// lock with the old file open; that file is then a dead end.
bool stillNamed(int descriptor, const std::string& path) {
    const int current = shm_open(path.c_str(), O_RDWR | O_CLOEXEC, 0);
    if (current < 0) return false;
    struct stat ours {};
    struct stat named {};
    const bool same = fstat(descriptor, &ours) == 0 && fstat(current, &named) == 0 && ours.st_dev == named.st_dev &&
                      ours.st_ino == named.st_ino;
    close(current);
    return same;
}

// A killed process that its parent has not yet reaped still answers kill()
// as a zombie; it holds nothing any more.
bool isZombie(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    const std::size_t nameEnd = line.rfind(')');
    return nameEnd != std::string::npos && nameEnd + 2 < line.size() && line[nameEnd + 2] == 'Z';
}

bool processAlive(pid_t pid) {
    if (kill(pid, 0) != 0 && errno != EPERM) return false;
    return !isZombie(pid);
}

void pruneDeadHolders(SharedEvent& event) {
    const auto begin = event.holders;
    const auto end = std::remove_if(begin, begin + event.holderCount,
                                    [](const EventHolder& holder) { return !processAlive(holder.pid); });
    event.holderCount = static_cast<std::uint32_t>(end - begin);
}

bool addHolder(SharedEvent& event, pid_t pid) {
    const auto end = event.holders + event.holderCount;
    const auto found = std::find_if(event.holders, end, [&](const EventHolder& h) { return h.pid == pid; });
    if (found != end) {
        ++found->handles;
        return true;
    }
    if (event.holderCount == kMaxHolders) return false;
    event.holders[event.holderCount++] = {pid, 1};
    return true;
}

void removeHolder(SharedEvent& event, pid_t pid) {
    const auto end = event.holders + event.holderCount;
    const auto found = std::find_if(event.holders, end, [&](const EventHolder& h) { return h.pid == pid; });
    if (found == end || --found->handles > 0) return;
    *found = *(end - 1);
    --event.holderCount;
}

SharedEvent* mapEvent(int descriptor, bool create) {
    struct stat info {};
    if (fstat(descriptor, &info) != 0) return nullptr;
    if (static_cast<std::size_t>(info.st_size) < sizeof(SharedEvent)) {
        // Only a creator gives an empty object its size and contents.
        if (!create || ftruncate(descriptor, sizeof(SharedEvent)) != 0) return nullptr;
    }
    void* map = mmap(nullptr, sizeof(SharedEvent), PROT_READ | PROT_WRITE, MAP_SHARED, descriptor, 0);
    return map == MAP_FAILED ? nullptr : static_cast<SharedEvent*>(map);
}

// Brings a mapped event up to date under the file lock: prunes the dead,
// starts it afresh when nobody holds it (if allowed) and registers us.
bool joinEvent(SharedEvent& event, bool create, bool initiallySignalled) {
    const bool valid = event.magic == kEventMagic;
    if (valid) pruneDeadHolders(event);
    if (!valid || event.holderCount == 0) {
        if (!create) return false;
        event.magic = kEventMagic;
        event.holderCount = 0;
        event.setter.store(initiallySignalled ? getpid() : 0, std::memory_order_relaxed);
        event.signalled.store(initiallySignalled ? 1 : 0, std::memory_order_release);
    }
    return addHolder(event, getpid());
}

}  // namespace

std::string NamedEvent::sharedMemoryName(std::string_view name) {
    const char* space = std::getenv("VXR_EVENT_NAMESPACE");
    return "/vxr-" + std::to_string(getuid()) + "-" + sanitized(space != nullptr ? space : "") + ":" + sanitized(name);
}

std::optional<NamedEvent> NamedEvent::open(std::string_view name) { return attach(name, false, false); }

std::optional<NamedEvent> NamedEvent::create(std::string_view name, bool initiallySignalled) {
    return attach(name, true, initiallySignalled);
}

std::optional<NamedEvent> NamedEvent::attach(std::string_view name, bool create, bool initiallySignalled) {
    const std::string path = sharedMemoryName(name);
    for (int attempt = 0; attempt < kAttachAttempts; ++attempt) {
        const int descriptor = shm_open(path.c_str(), O_RDWR | O_CLOEXEC | (create ? O_CREAT : 0), 0600);
        if (descriptor < 0) return std::nullopt;
        lockFile(descriptor);
        if (!stillNamed(descriptor, path)) {
            close(descriptor);  // closing drops the lock
            continue;
        }
        SharedEvent* shared = mapEvent(descriptor, create);
        const bool joined = shared != nullptr && joinEvent(*shared, create, initiallySignalled);
        unlockFile(descriptor);
        if (joined) return NamedEvent(descriptor, shared, path);
        if (shared != nullptr) munmap(shared, sizeof(SharedEvent));
        close(descriptor);
        return std::nullopt;
    }
    return std::nullopt;
}

NamedEvent::NamedEvent(int descriptor, SharedEvent* shared, std::string path)
    : descriptor_(descriptor), shared_(shared), path_(std::move(path)) {}

NamedEvent::NamedEvent(NamedEvent&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1)),
      shared_(std::exchange(other.shared_, nullptr)),
      path_(std::move(other.path_)) {}

NamedEvent& NamedEvent::operator=(NamedEvent&& other) noexcept {
    if (this != &other) {
        release();
        descriptor_ = std::exchange(other.descriptor_, -1);
        shared_ = std::exchange(other.shared_, nullptr);
        path_ = std::move(other.path_);
    }
    return *this;
}

NamedEvent::~NamedEvent() { release(); }

// Drops our hold; the last holder removes the name, as the last handle
// destroys a Windows event.
void NamedEvent::release() {
    if (shared_ == nullptr) return;
    lockFile(descriptor_);
    removeHolder(*shared_, getpid());
    if (shared_->holderCount == 0) shm_unlink(path_.c_str());
    unlockFile(descriptor_);
    munmap(shared_, sizeof(SharedEvent));
    close(descriptor_);
    shared_ = nullptr;
    descriptor_ = -1;
}

bool NamedEvent::set() {
    if (shared_ == nullptr) return false;
    shared_->setter.store(getpid(), std::memory_order_relaxed);
    shared_->signalled.store(1, std::memory_order_release);
    futexWakeAll(shared_->signalled);
    return true;
}

bool NamedEvent::reset() {
    if (shared_ == nullptr) return false;
    shared_->signalled.store(0, std::memory_order_release);
    return true;
}

// A signal stands for its setter: once that process is gone the event reads
// as not signalled, so a copy killed while it waited or was connected does
// not leave its partner believing in it. The state word itself is left
// alone; a later set or reset by a live process wins as usual.
bool NamedEvent::signalledByTheLiving() const {
    if (shared_->signalled.load(std::memory_order_acquire) == 0) return false;
    const pid_t setter = shared_->setter.load(std::memory_order_relaxed);
    return setter == 0 || setter == getpid() || processAlive(setter);
}

bool NamedEvent::wait(std::chrono::milliseconds timeout) {
    using Clock = std::chrono::steady_clock;
    if (shared_ == nullptr) return false;
    const auto deadline = Clock::now() + timeout;
    while (!signalledByTheLiving()) {
        const auto left = std::chrono::duration_cast<std::chrono::nanoseconds>(deadline - Clock::now());
        if (left.count() <= 0) return false;
        // The futex timeout is relative and measured on CLOCK_MONOTONIC, the
        // clock steady_clock reads. A dead setter's signal leaves the word at
        // 1: sleep on that value until a set or the timeout.
        const timespec relative{static_cast<std::time_t>(left.count() / 1'000'000'000),
                                static_cast<long>(left.count() % 1'000'000'000)};
        futexWait(shared_->signalled, shared_->signalled.load(std::memory_order_acquire), relative);
    }
    return true;
}

}  // namespace vxr::platform
