#pragma once
// A private X server (Xvfb) on a free display, for the window tests and the
// start-up bench. Xvfb picks the display itself (-displayfd) and says it once
// it accepts clients.

#include <csignal>
#include <string>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vxr::test {

class Xvfb {
public:
    Xvfb() = default;
    Xvfb(const Xvfb&) = delete;
    Xvfb& operator=(const Xvfb&) = delete;
    ~Xvfb() { stop(); }

    // Starts the server; returns its display (":N"), or empty when it did not
    // come up within ten seconds.
    std::string start() {
        int fds[2];
        if (pipe(fds) != 0) return {};
        pid_ = fork();
        if (pid_ == 0) runServer(fds[1], fds[0]);
        close(fds[1]);
        const std::string number = pid_ > 0 ? readDisplay(fds[0]) : std::string();
        close(fds[0]);
        return number.empty() ? std::string() : ":" + number;
    }

    void stop() {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    [[noreturn]] static void runServer(int writeFd, int readFd) {
        close(readFd);
        const int devNull = open("/dev/null", O_WRONLY);
        dup2(devNull, STDERR_FILENO);
        dup2(devNull, STDOUT_FILENO);
        const std::string fd = std::to_string(writeFd);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
               static_cast<char*>(nullptr));
        _exit(127);
    }

    // The display number and a newline.
    static std::string readDisplay(int fd) {
        std::string number;
        pollfd waiting{fd, POLLIN, 0};
        while (poll(&waiting, 1, 10000) == 1) {
            char c = 0;
            if (read(fd, &c, 1) != 1 || c == '\n') break;
            number.push_back(c);
        }
        return number;
    }

    pid_t pid_ = -1;
};

}  // namespace vxr::test
