#pragma once
// A private X server for the window tests, and running programs against it.
// The test program starts Xvfb (-displayfd picks a free display) before the
// first test and stops it after the last.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>

#include "support/xvfb.h"

extern char** environ;

namespace vxr::test {

class XvfbEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        const std::string display = server_.start();
        ASSERT_FALSE(display.empty()) << "Xvfb did not start (is the xvfb package installed?)";
        setenv("DISPLAY", display.c_str(), 1);
        unsetenv("WAYLAND_DISPLAY");
    }

    void TearDown() override { server_.stop(); }

private:
    Xvfb server_;
};

inline pid_t startProgram(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    return posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) == 0 ? pid : -1;
}

inline int exitStatus(pid_t pid) {
    int status = 0;
    if (pid <= 0 || waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Runs a program to its end; returns its exit status.
inline int runProgram(const std::vector<std::string>& arguments) { return exitStatus(startProgram(arguments)); }

}  // namespace vxr::test
