#include <gtest/gtest.h>

#include "input/keyboard.h"
#include "operations/help_screen.h"
#include "operations/progress.h"
#include "trainer_harness.h"

namespace vxr::test {
namespace {

using namespace model;
using input::kEnter;
using input::kEsc;
using input::kTab;

// Disk 1: C: NTFS (9800 MB used) and D: FAT32 with D:\EXAM; a protected
// image LOCKED in D:\EXAM.
MachineRecord commandLineMachine(std::uint16_t restrictions) {
    MachineRecord r;
    r.setDiskCount(0, 2);
    DiskEntry disk;
    disk.partitionCount = 2;
    disk.capacity = 40000;
    disk.kind = 1;
    disk.partitions[0] = {7, 0, 25000, 9800};
    disk.partitions[1] = {11, 0, 15000, 1200};
    r.setDisk(0, 1, disk);
    r.setDisk(0, 2, {.capacity = 40000, .kind = 1});
    r.setDirectory(0, 1, {1, 1, 0, "", 1.0});
    r.setDirectory(0, 2, {1, 2, 0, "", 1.0});
    r.setDirectory(0, 3, {1, 2, 2, "EXAM", 1.0});
    ImageEntry locked;
    locked.directory = 3;
    locked.name = "LOCKED";
    locked.size = 100;
    locked.partitionCount = 1;
    locked.partitions[0] = {7, 0, 20000, 200};
    locked.password = "OPEN";
    r.setImage(0, 1, locked);
    r.setRestrictionFlags(restrictions);
    return r;
}

const std::string kImagePartition = "-CLONE,MODE=PDUMP,SRC=1:1,DST=D:\\EXAM\\SYSTEM.VXI";

class CommandLineRun {
public:
    CommandLineRun(std::vector<std::string> parameters, std::uint16_t restrictions = 0)
        : trainer(commandLineMachine(restrictions), std::move(parameters)) {
        trainer.window().progress().stepDelay = std::chrono::microseconds(0);
    }

    // Starts the run; each time it waits, the next key of `keys` is pressed.
    void run(std::vector<int> keys = {}) {
        std::size_t next = 0;
        trainer.onIdle([this, keys, next]() mutable {
            if (next == keys.size()) return false;
            waits.push_back({trainer.ui().DialogCode, trainer.ui().DialogNo});
            trainer.queueKey(keys[next++]);
            return true;
        });
        EXPECT_TRUE(trainer.start());
    }

    MachineRecord saved() {
        TCOMPUTER reader(platform::systemClock(), platform::systemRandom(), [this](const std::string& name) {
            return name == "VXR_DRIVE_C" ? std::optional<std::string>((trainer.folder() / "c").string()) : std::nullopt;
        });
        EXPECT_EQ(reader.LoadRecord(), 0);
        return reader.record();
    }

    bool imageSaved() { return saved().image(0, 2).name == "SYSTEM" && !saved().image(0, 2).isFree(); }

    struct Wait {
        int dialogCode, dialogNo;
        bool operator==(const Wait&) const = default;
    };
    TrainerHarness trainer;
    std::vector<Wait> waits;
};

TEST(CommandLine, ASureCloneRunsWithoutQuestionsAndCloses) {
    CommandLineRun run({kImagePartition, "-z", "-SURE"}, kMouseLocked | kKeyboardLocked);
    run.run();
    EXPECT_TRUE(run.waits.empty());
    EXPECT_TRUE(run.imageSaved());
    EXPECT_EQ(run.saved().image(0, 2).size, 4901);  // R(9800 x 0.5) + 1
    EXPECT_EQ(run.trainer.window().end.status, 0);
    EXPECT_FALSE(run.trainer.window().Label[1]->visible());  // no closing notice
}

TEST(CommandLine, TheProceedQuestionOpensOnNo) {
    CommandLineRun run({kImagePartition});
    run.run({kEnter});
    ASSERT_EQ(run.waits.size(), 1u);
    EXPECT_EQ(run.waits[0].dialogNo, 15);
    EXPECT_FALSE(run.imageSaved());
    EXPECT_TRUE(run.trainer.window().computer.record().image(0, 2).isFree());  // the new entry is freed
}

TEST(CommandLine, YesRunsItAndTheCompletionWaitsForContinue) {
    CommandLineRun run({kImagePartition});
    run.run({kTab, kEnter, kEnter});
    ASSERT_EQ(run.waits.size(), 3u);
    EXPECT_EQ(run.waits[2].dialogNo, 20);
    EXPECT_TRUE(run.imageSaved());
}

TEST(CommandLine, ATaskForTheCommandLineRefusesAnsweredQuestions) {
    CommandLineRun run({kImagePartition}, kMouseLocked | kKeyboardLocked);
    run.run({kTab, kEnter, kEnter});  // Yes, then the notice's OK
    EXPECT_FALSE(run.imageSaved());
    ASSERT_EQ(run.trainer.app().messageBoxTexts().size(), 1u);
    EXPECT_EQ(run.trainer.app().messageBoxTexts()[0].rfind("考题要求使用命令行", 0), 0u);
}

struct UsageError {
    std::vector<std::string> parameters;
    int code;
    const char* token;
};

class UsageErrors : public ::testing::TestWithParam<UsageError> {};

TEST_P(UsageErrors, ShowTheirBoxAndStartNothing) {
    CommandLineRun run(GetParam().parameters);
    run.run({kEnter});
    ASSERT_EQ(run.waits.size(), 1u);
    EXPECT_EQ(run.waits[0].dialogCode, GetParam().code);
    if (GetParam().token) {
        EXPECT_EQ(run.trainer.window().ErrorToken, GetParam().token);
    }
    EXPECT_FALSE(run.imageSaved());
    EXPECT_EQ(run.trainer.window().end.status, 0);
}

void PrintTo(const UsageError& error, std::ostream* out) { *out << error.code; }

INSTANTIATE_TEST_SUITE_P(
    CommandLine, UsageErrors,
    ::testing::Values(UsageError{{"CLONE,MODE=COPY"}, 101, nullptr}, UsageError{{"-help"}, 102, "HELP"},
                      UsageError{{"-CLONEX,MODE=COPY"}, 102, "CLONEX,MODE=COPY"}, UsageError{{"-CLONE"}, 103, nullptr},
                      UsageError{{"-SURE", kImagePartition, "-Z0"}, 102, "Z0"},
                      UsageError{{"-CLONE,MODE=PLOAD,SRC=D:\\EXAM\\LOCKED,DST=2:1", "-PWD=shut"}, 119, nullptr}));

TEST(CommandLine, HelpWaitsForItsOkButton) {
    CommandLineRun run({"/?", kImagePartition});
    run.run({kEsc});
    ASSERT_EQ(run.waits.size(), 1u);
    std::vector<bool> help;
    for (const auto& line : run.trainer.trace()) {
        if (line["event"] == "help") help.push_back(line["shown"].get<bool>());
    }
    EXPECT_EQ(help, (std::vector<bool>{true, false}));
    EXPECT_FALSE(run.imageSaved());  // nothing after the help switch is read
}

TEST(CommandLine, ALockedCommandLineIgnoresTheParameters) {
    CommandLineRun run({"nonsense"}, kCommandLineLocked);
    run.run();
    EXPECT_TRUE(run.waits.empty());
    EXPECT_TRUE(run.trainer.window().end.requested);
}

TEST(CommandLine, TheRightPasswordOpensAProtectedImage) {
    CommandLineRun run({"-CLONE,MODE=PLOAD,SRC=D:\\EXAM\\LOCKED,DST=2:1", "-pwd=open", "-SURE"});
    run.run();
    EXPECT_TRUE(run.waits.empty());
    EXPECT_EQ(run.saved().disk(0, 2).partitionCount, 1);
    EXPECT_EQ(run.saved().disk(0, 2).partitions[0].dataSize, 200);
}

}  // namespace
}  // namespace vxr::test
