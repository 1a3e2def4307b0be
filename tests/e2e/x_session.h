#pragma once
// A private X server for the window tests, and running programs against it.
// The test program starts Xvfb (-displayfd picks a free display) before the
// first test and stops it after the last.

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace vxr::test {

class XvfbEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        pid_ = fork();
        ASSERT_GE(pid_, 0);
        if (pid_ == 0) startServer(fds[1], fds[0]);
        close(fds[1]);
        const std::string display = readDisplay(fds[0]);
        close(fds[0]);
        ASSERT_FALSE(display.empty()) << "Xvfb did not start (is the xvfb package installed?)";
        setenv("DISPLAY", (":" + display).c_str(), 1);
        unsetenv("WAYLAND_DISPLAY");
    }

    void TearDown() override
    {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }

private:
    [[noreturn]] static void startServer(int writeFd, int readFd)
    {
        close(readFd);
        const int devNull = open("/dev/null", O_WRONLY);
        dup2(devNull, STDERR_FILENO);
        dup2(devNull, STDOUT_FILENO);
        const std::string fd = std::to_string(writeFd);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
               static_cast<char*>(nullptr));
        _exit(127);
    }

    // Xvfb writes the display number and a newline once it accepts clients.
    static std::string readDisplay(int fd)
    {
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

inline pid_t startProgram(const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    return posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) == 0 ? pid : -1;
}

inline int exitStatus(pid_t pid)
{
    int status = 0;
    if (pid <= 0 || waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Runs a program to its end; returns its exit status.
inline int runProgram(const std::vector<std::string>& arguments) { return exitStatus(startProgram(arguments)); }

}  // namespace vxr::test
