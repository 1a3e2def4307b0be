#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>

#include "platform/named_event.h"

namespace vxr::platform {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// A one-byte message between parent and child, to order their steps.
class Signal {
public:
    Signal() { EXPECT_EQ(pipe(ends_), 0); }
    ~Signal() {
        close(ends_[0]);
        close(ends_[1]);
    }
    void send() { EXPECT_EQ(write(ends_[1], "x", 1), 1); }
    bool receive() {
        char byte = 0;
        return read(ends_[0], &byte, 1) == 1;
    }

private:
    int ends_[2] = {-1, -1};
};

// Runs `body` in a child process; its result becomes the exit status.
pid_t runChild(const std::function<bool()>& body) {
    const pid_t pid = fork();
    if (pid == 0) _exit(body() ? 0 : 1);
    return pid;
}

bool childSucceeded(pid_t pid) {
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string uniqueName(const char* base) { return std::string(base) + "_" + std::to_string(getpid()); }

TEST(NamedEventTest, OpeningAnAbsentEventFails) { EXPECT_FALSE(NamedEvent::open(uniqueName("ABSENT")).has_value()); }

TEST(NamedEventTest, CreatedEventStartsInTheRequestedState) {
    auto unset = NamedEvent::create(uniqueName("FRESH_UNSET"), false);
    auto set = NamedEvent::create(uniqueName("FRESH_SET"), true);
    ASSERT_TRUE(unset && set);
    EXPECT_FALSE(unset->wait(0ms));
    EXPECT_TRUE(set->wait(0ms));
}

TEST(NamedEventTest, SecondHandleSeesTheSameEventAndCreateKeepsItsState) {
    const std::string name = uniqueName("SHARED");
    auto first = NamedEvent::create(name, false);
    ASSERT_TRUE(first);
    first->set();
    auto second = NamedEvent::create(name, false);  // exists already: state kept
    ASSERT_TRUE(second);
    EXPECT_TRUE(second->wait(0ms));
    second->reset();
    EXPECT_FALSE(first->wait(0ms));
}

TEST(NamedEventTest, WaitTimesOutAfterItsTimeout) {
    auto event = NamedEvent::create(uniqueName("TIMEOUT"), false);
    ASSERT_TRUE(event);
    const auto start = Clock::now();
    EXPECT_FALSE(event->wait(100ms));
    const auto waited = Clock::now() - start;
    EXPECT_GE(waited, 100ms);
    EXPECT_LT(waited, 2s);
}

TEST(NamedEventTest, SetInOneProcessEndsAWaitInAnother) {
    const std::string name = uniqueName("CROSS_SET");
    auto event = NamedEvent::create(name, false);
    ASSERT_TRUE(event);
    Signal waiting;
    const pid_t child = runChild([&] {
        auto opened = NamedEvent::open(name);
        if (!opened) return false;
        waiting.send();
        const auto start = Clock::now();
        return opened->wait(10s) && Clock::now() - start < 5s;
    });
    ASSERT_TRUE(waiting.receive());
    std::this_thread::sleep_for(50ms);  // let the child block in its wait
    event->set();
    EXPECT_TRUE(childSucceeded(child));
}

TEST(NamedEventTest, ResetInOneProcessIsSeenByAnother) {
    const std::string name = uniqueName("CROSS_RESET");
    auto event = NamedEvent::create(name, true);
    ASSERT_TRUE(event);
    Signal sawSet;
    Signal wasReset;
    const pid_t child = runChild([&] {
        auto opened = NamedEvent::open(name);
        if (!opened || !opened->wait(0ms)) return false;
        sawSet.send();
        return wasReset.receive() && !opened->wait(100ms);
    });
    ASSERT_TRUE(sawSet.receive());
    event->reset();
    wasReset.send();
    EXPECT_TRUE(childSucceeded(child));
}

TEST(NamedEventTest, EventOfAKilledHolderCountsAsAbsent) {
    const std::string name = uniqueName("ORPHAN");
    Signal ready;
    const pid_t child = runChild([&] {
        auto created = NamedEvent::create(name, false);
        if (!created) return false;
        created->set();
        ready.send();
        pause();
        return true;
    });
    ASSERT_TRUE(ready.receive());
    {
        auto whileAlive = NamedEvent::open(name);
        ASSERT_TRUE(whileAlive);
        EXPECT_TRUE(whileAlive->wait(0ms));
    }
    kill(child, SIGKILL);
    // Wait for the death but leave the child unreaped: a zombie holds nothing.
    siginfo_t info{};
    ASSERT_EQ(waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOWAIT), 0);
    EXPECT_FALSE(NamedEvent::open(name).has_value());
    waitpid(child, nullptr, 0);
    auto recreated = NamedEvent::create(name, false);
    ASSERT_TRUE(recreated);
    EXPECT_FALSE(recreated->wait(0ms));
}

TEST(NamedEventTest, SignalOfADeadSetterCountsAsNotSignalledUntilSetAgain) {
    const std::string name = uniqueName("DEAD_SETTER");
    auto held = NamedEvent::create(name, false);  // keeps the event alive past the child
    ASSERT_TRUE(held);
    Signal didSet;
    const pid_t child = runChild([&] {
        auto opened = NamedEvent::open(name);
        if (!opened) return false;
        opened->set();
        didSet.send();
        pause();
        return true;
    });
    ASSERT_TRUE(didSet.receive());
    EXPECT_TRUE(held->wait(0ms));
    kill(child, SIGKILL);
    siginfo_t info{};
    ASSERT_EQ(waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOWAIT), 0);
    const auto start = Clock::now();
    EXPECT_FALSE(held->wait(100ms));
    EXPECT_GE(Clock::now() - start, 100ms);  // a real wait, not a spin
    waitpid(child, nullptr, 0);
    held->set();
    EXPECT_TRUE(held->wait(0ms));
}

TEST(NamedEventTest, LastHandleClosedRemovesTheEvent) {
    const std::string name = uniqueName("CLOSED");
    {
        auto event = NamedEvent::create(name, true);
        ASSERT_TRUE(event);
        auto again = NamedEvent::open(name);
        ASSERT_TRUE(again);
    }
    EXPECT_FALSE(NamedEvent::open(name).has_value());
}

TEST(NamedEventTest, NamespaceSeparatesEventsOfTheSameName) {
    const std::string name = uniqueName("SPACED");
    const char* original = std::getenv("VXR_EVENT_NAMESPACE");
    const std::string saved = original != nullptr ? original : "";
    auto event = NamedEvent::create(name, true);
    ASSERT_TRUE(event);
    setenv("VXR_EVENT_NAMESPACE", (saved + "_other").c_str(), 1);
    EXPECT_FALSE(NamedEvent::open(name).has_value());
    EXPECT_NE(NamedEvent::sharedMemoryName(name).find(saved + "_other"), std::string::npos);
    setenv("VXR_EVENT_NAMESPACE", saved.c_str(), 1);
    EXPECT_TRUE(NamedEvent::open(name).has_value());
}

TEST(NamedEventTest, NamesAreScopedToTheUser) {
    const std::string name = NamedEvent::sharedMemoryName("TASKFLAG1");
    const std::string uid = std::to_string(getuid());
    const std::size_t at = name.find(uid);
    ASSERT_NE(at, std::string::npos) << name;
    EXPECT_EQ(name.substr(0, at), "/vxr-");
    EXPECT_NE(name.find("TASKFLAG1", at), std::string::npos) << name;
}

}  // namespace
}  // namespace vxr::platform
