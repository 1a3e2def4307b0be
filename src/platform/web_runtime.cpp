// What the web build's C library lacks for the trainer, given in a way the
// browser allows: the page runs on one thread, and only a suspended program
// lets the browser draw and deliver input.

#include <emscripten.h>
#include <pthread.h>
#include <time.h>

#include <cerrno>
#include <new>

extern "C" {

// A sleep hands the tab back to the browser (the program is suspended and
// resumed), so the progress bar is drawn while it runs and nothing spins.
int nanosleep(const struct timespec* request, struct timespec* remaining)
{
    if (request == nullptr || request->tv_nsec < 0 || request->tv_nsec > 999999999L || request->tv_sec < 0) {
        errno = EINVAL;
        return -1;
    }
    emscripten_sleep(static_cast<unsigned>(request->tv_sec * 1000 + request->tv_nsec / 1000000));
    if (remaining != nullptr) *remaining = {};
    return 0;
}

// Without threads in the page, a thread's work is done when it is started;
// the join then only hands back its result. The trainer's one worker (the
// pictures decoded after the first screen) needs nothing else.
struct vxr_finished_thread {
    void* result;
};

int pthread_create(pthread_t* thread, const pthread_attr_t*, void* (*start)(void*), void* argument)
{
    auto* finished = new (std::nothrow) vxr_finished_thread{nullptr};
    if (finished == nullptr) return EAGAIN;
    finished->result = start(argument);
    *thread = reinterpret_cast<pthread_t>(finished);
    return 0;
}

int pthread_join(pthread_t thread, void** result)
{
    auto* finished = reinterpret_cast<vxr_finished_thread*>(thread);
    if (result != nullptr) *result = finished->result;
    delete finished;
    return 0;
}

int pthread_detach(pthread_t thread)
{
    delete reinterpret_cast<vxr_finished_thread*>(thread);
    return 0;
}

}  // extern "C"
