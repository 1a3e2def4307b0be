#include "platform/timing_marks.h"

#include <cstdlib>
#include <ctime>
#include <string>

#include <fcntl.h>
#include <unistd.h>

namespace vxr::platform {

void timingMark(std::string_view name) {
    static const char* const file = std::getenv("VXR_MARKS");
    if (file == nullptr || *file == '\0') return;
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const long long nanoseconds = static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
    const std::string line = std::string(name) + " " + std::to_string(nanoseconds) + "\n";
    const int fd = ::open(file, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return;
    // One write of a short line to a file opened for appending: marks of
    // several processes never interleave.
    [[maybe_unused]] const ssize_t written = ::write(fd, line.data(), line.size());
    ::close(fd);
}

}  // namespace vxr::platform
