// What the web build's C library lacks for the trainer, given in a way the
// browser allows: the page runs on one thread, and only a suspended program
// lets the browser draw and deliver input.

#include <emscripten.h>
#include <pthread.h>
#include <time.h>

#include <algorithm>
#include <cerrno>
#include <new>
#include <vector>

// Without threads in the page, a thread's work is put off until the program
// first waits with its frame on the screen (vxr_web_run_pending_threads), or
// until it is joined, whichever comes first. The trainer's one worker (the
// pictures decoded after the first screen) then no longer delays that frame.
struct vxr_thread {
    void* (*start)(void*);
    void* argument;
    void* result;
};

namespace {

std::vector<vxr_thread*>& pendingThreads() {
    static std::vector<vxr_thread*> pending;
    return pending;
}

void runIfPending(vxr_thread* thread) {
    auto& pending = pendingThreads();
    const auto found = std::find(pending.begin(), pending.end(), thread);
    if (found == pending.end()) return;
    pending.erase(found);
    thread->result = thread->start(thread->argument);
}

}  // namespace

extern "C" {

// A sleep hands the tab back to the browser (the program is suspended and
// resumed), so the progress bar is drawn while it runs and nothing spins.
int nanosleep(const struct timespec* request, struct timespec* remaining) {
    if (request == nullptr || request->tv_nsec < 0 || request->tv_nsec > 999999999L || request->tv_sec < 0) {
        errno = EINVAL;
        return -1;
    }
    emscripten_sleep(static_cast<unsigned>(request->tv_sec * 1000 + request->tv_nsec / 1000000));
    if (remaining != nullptr) *remaining = {};
    return 0;
}

int pthread_create(pthread_t* thread, const pthread_attr_t*, void* (*start)(void*), void* argument) {
    auto* started = new (std::nothrow) vxr_thread{start, argument, nullptr};
    if (started == nullptr) return EAGAIN;
    pendingThreads().push_back(started);
    *thread = reinterpret_cast<pthread_t>(started);
    return 0;
}

int pthread_join(pthread_t thread, void** result) {
    auto* joined = reinterpret_cast<vxr_thread*>(thread);
    runIfPending(joined);
    if (result != nullptr) *result = joined->result;
    delete joined;
    return 0;
}

// Nobody waits for a detached thread, so its work is done at once.
int pthread_detach(pthread_t thread) {
    auto* detached = reinterpret_cast<vxr_thread*>(thread);
    runIfPending(detached);
    delete detached;
    return 0;
}

int vxr_web_pending_threads() { return static_cast<int>(pendingThreads().size()); }

void vxr_web_run_pending_threads() {
    while (!pendingThreads().empty()) runIfPending(pendingThreads().front());
}

}  // extern "C"
