// Two real copies of the trainer, headless, driven by event scripts, meeting
// through the named events of a namespace of the test's own on one data file.

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/event_scope.h"
#include "platform/named_event.h"
#include "platform/text.h"
#include "support/temp_dir.h"

extern char** environ;

namespace vxr::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using platform::NamedEvent;

constexpr const char* kEventNames[] = {"TASKFLAG1", "TASKFLAG2", "TASKFLAG"};

// Key lines that choose Peer to peer > TCP/IP > Slave or Master.
constexpr const char* kChooseSlave = "key Down Enter Enter Enter\n";
constexpr const char* kChooseMaster = "key Down Enter Enter Down Enter\n";
// The window's close button and the key that ends the closing notice.
constexpr const char* kQuit = "close\nkey Enter\n";
// The slave's Cancel button, in window coordinates.
constexpr const char* kClickSlaveCancel = "click 282 208\n";

class PeerProcesses : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        space_ = std::string("pp_") + info->name() + "_" + std::to_string(getpid());
        setenv("VXR_EVENT_NAMESPACE", space_.c_str(), 1);
        std::filesystem::create_directories(dir_.path() / "c" / "DATAS");
        std::filesystem::create_directories(dir_.path() / "a");
        std::filesystem::copy_file(VXR_EXAMPLE_DATA, dataFile());
    }

    // Runs also after a failed assertion: nothing outlives the test.
    void TearDown() override {
        for (auto& [name, pid] : copies_) {
            if (pid <= 0) continue;
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        held_.clear();
        for (const char* name : kEventNames) shm_unlink(NamedEvent::sharedMemoryName(scoped(name)).c_str());
    }

    std::filesystem::path dataFile() const { return dir_.path() / "c" / "DATAS" / "VXR.DAT"; }
    // An event's name as the copies on dataFile() use it.
    std::string scoped(const char* name) const { return platform::eventScopeOf(dataFile()) + name; }
    std::filesystem::path tracePath(const std::string& copy) const { return dir_.path() / (copy + ".jsonl"); }

    // Starts the copy `name` on `script`, with command-line `parameters`,
    // on the data file under `driveC` (a folder of the test's).
    void start(const std::string& name, const std::string& script, const std::vector<std::string>& parameters = {},
               const std::string& driveC = "c") {
        const auto scriptPath = dir_.path() / (name + ".vxs");
        std::ofstream(scriptPath) << script;
        std::map<std::string, std::string> vars;
        for (char** entry = environ; *entry != nullptr; ++entry) {
            const std::string text = *entry;
            const auto equals = text.find('=');
            if (equals != std::string::npos) vars[text.substr(0, equals)] = text.substr(equals + 1);
        }
        vars["VXR_SCRIPT"] = scriptPath.string();
        vars["VXR_TRACE"] = tracePath(name).string();
        vars["VXR_DRIVE_C"] = (dir_.path() / driveC).string();
        vars["VXR_DRIVE_A"] = (dir_.path() / "a").string();
        vars["VXR_EVENT_NAMESPACE"] = space_;
        vars.emplace("LSAN_OPTIONS", "suppressions=" VXR_LSAN_SUPPRESSIONS ":print_suppressions=0");
        std::vector<std::string> lines;
        for (const auto& [key, value] : vars) lines.push_back(key + "=" + value);
        std::vector<char*> envp;
        for (std::string& line : lines) envp.push_back(line.data());
        envp.push_back(nullptr);
        std::vector<std::string> words{VXR_PROGRAM};
        words.insert(words.end(), parameters.begin(), parameters.end());
        std::vector<char*> argv;
        for (std::string& word : words) argv.push_back(word.data());
        argv.push_back(nullptr);
        pid_t pid = -1;
        ASSERT_EQ(posix_spawn(&pid, VXR_PROGRAM, nullptr, nullptr, argv.data(), envp.data()), 0);
        copies_[name] = pid;
    }

    // The exit status of a copy once it has ended, or -1 when it is still
    // running after `limit`.
    int exitStatus(const std::string& name, std::chrono::milliseconds limit = 15s) {
        pid_t& pid = copies_.at(name);
        const auto deadline = Clock::now() + limit;
        int status = 0;
        while (waitpid(pid, &status, WNOHANG) == 0) {
            if (Clock::now() > deadline) return -1;
            std::this_thread::sleep_for(20ms);
        }
        pid = 0;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

    void killCopy(const std::string& name) {
        pid_t& pid = copies_.at(name);
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        pid = 0;
    }

    std::string traceOf(const std::string& copy) const {
        std::ifstream in(tracePath(copy));
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // Waits until the copy's trace holds `text`.
    bool traces(const std::string& copy, const std::string& text, std::chrono::milliseconds limit = 15s) {
        const auto deadline = Clock::now() + limit;
        while (traceOf(copy).find(text) == std::string::npos) {
            if (Clock::now() > deadline) return false;
            std::this_thread::sleep_for(20ms);
        }
        return true;
    }

    static std::string peerState(const std::string& state) { return "\"state\":\"" + state + "\""; }
    static std::string dialogCode(int code) { return "\"code\":" + std::to_string(code) + ","; }

    // Holds an event as a third party would, so that it outlives the copies.
    NamedEvent& hold(const char* name) {
        held_.push_back(*NamedEvent::create(scoped(name), false));
        return held_.back();
    }

    // The data file as vxrdat reads it.
    nlohmann::json dumpedRecord() const {
        const std::string command =
            std::string(VXRDAT_PROGRAM) + " dump --json '" + dataFile().string() + "' 2>/dev/null";
        std::FILE* pipe = popen(command.c_str(), "r");
        std::string text;
        char buffer[4096];
        while (pipe != nullptr && std::fgets(buffer, sizeof buffer, pipe) != nullptr) text += buffer;
        if (pipe != nullptr) pclose(pipe);
        return nlohmann::json::parse(text, nullptr, false);
    }

    bool slaveFlagUp() {
        auto flag = NamedEvent::open(scoped("TASKFLAG1"));
        return flag && flag->wait(0ms);
    }

    std::string masterScript(const std::string& address, const std::string& afterwards) {
        return std::string(kChooseMaster) + "waitfor Edit1\ntype " + address + "\nkey Enter\n" + afterwards;
    }

    TempDir dir_;
    std::string space_;
    std::map<std::string, pid_t> copies_;
    std::vector<NamedEvent> held_;
};

// The slave leaves "Connected" and reloads when the master returns to its
// main screen; its script ends once its main menu is back.
const std::string kSlaveUntilBack = std::string(kChooseSlave) + "waitfor Image1B 30\n" + kQuit;

TEST_F(PeerProcesses, MasterConnectsToTheWaitingSlaveWhichReloadsWhenTheMasterLeaves) {
    start("slave", kSlaveUntilBack);
    ASSERT_TRUE(traces("slave", peerState("waiting")));
    // Back after a pause long enough for the slave's polls to see the link.
    start("master", masterScript(" 192.168.18.2 ",
                                 "waitfor Image2B\nsleep 1000\nkey Up Enter\nwaitfor Image1B\n" + std::string(kQuit)));
    EXPECT_EQ(exitStatus("master"), 0);
    EXPECT_EQ(exitStatus("slave"), 0);
    EXPECT_NE(traceOf("master").find(peerState("connected")), std::string::npos);
    const std::string slave = traceOf("slave");
    EXPECT_LT(slave.find(peerState("connected")), slave.find(peerState("reloaded")));
    EXPECT_EQ(slave.find("\"dialog\""), std::string::npos);
}

TEST_F(PeerProcesses, SlaveCancelShowsCode9AndLowersItsFlag) {
    start("slave", std::string(kChooseSlave) + "waitfor Image4B\n" + kClickSlaveCancel +
                       "waitfor Image4D\nkey Enter\n" + "waitfor Image1B\n" + kQuit);
    EXPECT_EQ(exitStatus("slave"), 0);
    EXPECT_NE(traceOf("slave").find(dialogCode(9)), std::string::npos);
    EXPECT_FALSE(slaveFlagUp());
}

TEST_F(PeerProcesses, SecondSlaveGetsTheConflictAndTheFirstKeepsWaiting) {
    start("first", kSlaveUntilBack);
    ASSERT_TRUE(traces("first", peerState("waiting")));
    start("second", std::string(kChooseSlave) + "waitbox\nkey Enter\nwaitfor Image1B\n" + kQuit);
    EXPECT_EQ(exitStatus("second"), 0);
    EXPECT_NE(traceOf("second").find("冲突"), std::string::npos);
    EXPECT_TRUE(slaveFlagUp());
    EXPECT_EQ(traceOf("first").find(peerState("cancelled")), std::string::npos);
}

TEST_F(PeerProcesses, WrongAddressIsCode10AndTheSlaveKeepsWaiting) {
    start("slave", kSlaveUntilBack);
    ASSERT_TRUE(traces("slave", peerState("waiting")));
    start("master",
          masterScript("192.168.18.22", "waitfor Image4D\nkey Enter\nwaitfor Image1B\n" + std::string(kQuit)));
    EXPECT_EQ(exitStatus("master"), 0);
    EXPECT_NE(traceOf("master").find(dialogCode(10)), std::string::npos);
    EXPECT_TRUE(slaveFlagUp());
}

// The flag of a slave that was killed while it waited stays in the shared
// event (a third copy holds it) but no longer counts.
TEST_F(PeerProcesses, NoSlaveIsCode11AlsoWhenTheWaitingSlaveWasKilled) {
    hold("TASKFLAG1");
    start("slave", kSlaveUntilBack);
    ASSERT_TRUE(traces("slave", peerState("waiting")));
    killCopy("slave");
    start("master", masterScript("192.168.18.2", "waitfor Image4D\nkey Enter\nwaitfor Image1B\n" + std::string(kQuit)));
    EXPECT_EQ(exitStatus("master"), 0);
    EXPECT_NE(traceOf("master").find(dialogCode(11)), std::string::npos);
}

TEST_F(PeerProcesses, SlaveLeavesConnectedWhenTheMasterIsKilled) {
    hold("TASKFLAG2");
    start("slave", kSlaveUntilBack);
    ASSERT_TRUE(traces("slave", peerState("waiting")));
    start("master", masterScript("192.168.18.2", "sleep 30000\n"));
    ASSERT_TRUE(traces("slave", peerState("connected")));
    killCopy("master");
    EXPECT_EQ(exitStatus("slave"), 0);
    EXPECT_NE(traceOf("slave").find(peerState("reloaded")), std::string::npos);
}

// The master clones local disk 1 onto the peer's empty disk 2 (keys as a
// candidate would press them); the slave reads the record the master saved.
TEST_F(PeerProcesses, MastersDiskCloneLandsOnThePeerAndTheSlaveReloadsIt) {
    start("slave", std::string(kChooseSlave) + "waitfor Image1B 60\n" + kQuit);
    ASSERT_TRUE(traces("slave", peerState("waiting")));
    const std::string clone =
        "waitfor Image2B\n"
        "key Enter Enter\n"           // Disk > To Disk
        "key Tab Enter\n"             // source: disk 1, already chosen
        "key Down Enter Tab Enter\n"  // destination: the peer's disk 2
        "key Tab Enter\n"             // the destination's partition sizes
        "key Left Enter\n"            // proceed: Yes
        "key Left Enter\n"            // completion
        "waitfor Image1B\n";
    start("master", masterScript("192.168.18.2", clone + kQuit));
    EXPECT_EQ(exitStatus("master", 60s), 0);
    EXPECT_EQ(exitStatus("slave"), 0);
    EXPECT_NE(traceOf("master").find("\"result\":0,\"what\":\"operation\""), std::string::npos);
    EXPECT_NE(traceOf("slave").find("\"peerPartitions\":[1,2]"), std::string::npos);

    const nlohmann::json peer = dumpedRecord()["computers"]["peer"];
    ASSERT_EQ(peer["disks"].size(), 2u);
    const nlohmann::json& target = peer["disks"][1]["partitions"];
    ASSERT_EQ(target.size(), 2u);
    EXPECT_EQ(target[0]["type"], 7);
    EXPECT_EQ(target[1]["type"], 11);
    EXPECT_EQ(target[0]["data"], 8500);
}

// Every copy lowers the master's flag when it starts, so a third copy ends
// the link for the slave while the master still shows its peer menu.
TEST_F(PeerProcesses, ACopyStartedDuringTheLinkEndsItForTheSlave) {
    start("slave", kSlaveUntilBack);
    ASSERT_TRUE(traces("slave", peerState("waiting")));
    start("master", masterScript("192.168.18.2", "sleep 30000\n"));
    ASSERT_TRUE(traces("slave", peerState("connected")));
    start("third", kQuit);
    EXPECT_EQ(exitStatus("third"), 0);
    EXPECT_EQ(exitStatus("slave"), 0);
    EXPECT_NE(traceOf("slave").find(peerState("reloaded")), std::string::npos);
}

// Only copies on the same data file meet: a copy on another folder's file
// starts and ends without touching the link.
TEST_F(PeerProcesses, ACopyOnAnotherDataFileLeavesTheLinkAlone) {
    std::filesystem::create_directories(dir_.path() / "c2" / "DATAS");
    std::filesystem::copy_file(VXR_EXAMPLE_DATA, dir_.path() / "c2" / "DATAS" / "VXR.DAT");
    start("slave", kSlaveUntilBack);
    ASSERT_TRUE(traces("slave", peerState("waiting")));
    start("master", masterScript("192.168.18.2", "sleep 30000\n"));
    ASSERT_TRUE(traces("slave", peerState("connected")));
    start("third", kQuit, {}, "c2");
    EXPECT_EQ(exitStatus("third"), 0);
    std::this_thread::sleep_for(1500ms);  // fifteen of the slave's looks at the flag
    EXPECT_EQ(traceOf("slave").find(peerState("reloaded")), std::string::npos);
    killCopy("master");
    EXPECT_EQ(exitStatus("slave"), 0);
}

// Batch copies started together on one file: each job is either in the
// file or reported as not saved, because another copy saved first.
TEST_F(PeerProcesses, RacingBatchCopiesNeverLoseAJobSilently) {
    constexpr int kPairs = 3;
    for (int pair = 0; pair < kPairs; ++pair) {
        std::filesystem::copy_file(VXR_EXAMPLE_DATA, dataFile(), std::filesystem::copy_options::overwrite_existing);
        const std::string names[] = {"a" + std::to_string(pair), "b" + std::to_string(pair)};
        for (const std::string& name : names) {
            // A refused save shows its box, which the candidate closes.
            const std::string clone = "-CLONE,MODE=PDUMP,SRC=1:1,DST=D:\\IMAGES\\" + name + ".VXI";
            start(name, "waitfor Image4D\nkey Enter\n", {clone, "-Z9", "-SURE"});
        }
        for (const std::string& name : names) {
            const int status = exitStatus(name, 60s);
            const bool saved =
                dumpedRecord().dump().find("\"" + platform::asciiUpper(name) + "\"") != std::string::npos;
            EXPECT_TRUE(status == 0 || status == 5) << name << " ended with " << status;
            EXPECT_EQ(saved, status == 0) << name;
            if (status == 5) {
                EXPECT_NE(traceOf(name).find("changed by another copy"), std::string::npos) << name;
            }
        }
    }
}

}  // namespace
}  // namespace vxr::test
