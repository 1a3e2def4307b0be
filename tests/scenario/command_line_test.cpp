#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>

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

// Disk 1 (5000 MB free): C: NTFS (9800 MB used) and D: FAT32 with D:\EXAM,
// which holds the protected images LOCKED and TENCHARS and the image OLD.
// Disk 2: empty. Disk 3: E: with 500 MB used, 2000 MB free.
MachineRecord commandLineMachine(std::uint16_t restrictions) {
    MachineRecord r;
    r.setDiskCount(0, 3);
    DiskEntry disk;
    disk.partitionCount = 2;
    disk.capacity = 45000;
    disk.kind = 1;
    disk.partitions[0] = {7, 0, 25000, 9800};
    disk.partitions[1] = {11, 0, 15000, 1200};
    r.setDisk(0, 1, disk);
    r.setDisk(0, 2, {.capacity = 40000, .kind = 1});
    r.setDisk(0, 3, {.partitionCount = 1, .capacity = 12000, .kind = 1, .partitions = {{{7, 0, 10000, 500}}}});
    r.setDirectory(0, 1, {1, 1, 0, "", 1.0});
    r.setDirectory(0, 2, {1, 2, 0, "", 1.0});
    r.setDirectory(0, 3, {1, 2, 2, "EXAM", 1.0});
    r.setDirectory(0, 4, {3, 1, 0, "", 1.0});
    const PartitionTable onePartition{{{7, 0, 3000, 250}}};
    r.setImage(0, 1,
               {.directory = 3,
                .size = 100,
                .name = "LOCKED",
                .partitionCount = 1,
                .partitions = {{{7, 0, 20000, 200}}},
                .password = "OPEN"});
    r.setImage(0, 5, {.directory = 3, .size = 300, .name = "OLD", .partitionCount = 1, .partitions = onePartition});
    r.setImage(0, 6,
               {.directory = 3,
                .size = 300,
                .name = "TENCHARS",
                .partitionCount = 1,
                .partitions = onePartition,
                .password = "ABCDEFGHIJ"});
    // SPLIT's second partition gets less than its data on disk 3, though the
    // data of both would fit; FAT16's partition may grow past 2047 MB only
    // with the FAT32 conversion.
    r.setImage(0, 7,
               {.directory = 3,
                .size = 300,
                .name = "SPLIT",
                .partitionCount = 2,
                .partitions = {{{7, 0, 30000, 100}, {7, 0, 10000, 9000}}}});
    r.setImage(
        0, 8, {.directory = 3, .size = 300, .name = "FAT16", .partitionCount = 1, .partitions = {{{4, 0, 3000, 500}}}});
    r.setRestrictionFlags(restrictions);
    return r;
}

const std::string kImagePartition = "-CLONE,MODE=PDUMP,SRC=1:1,DST=D:\\EXAM\\SYSTEM.VXI";

class CommandLineRun {
public:
    CommandLineRun(std::vector<std::string> parameters, std::uint16_t restrictions = 0)
        : trainer(commandLineMachine(restrictions), std::move(parameters)), before(dataFileBytes()) {
        trainer.window().progress().stepDelay = std::chrono::microseconds(0);
    }

    std::string dataFileBytes() const {
        std::ifstream in(trainer.folder() / "c" / "DATAS" / "VXR.DAT", std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    bool dataFileUnchanged() const { return dataFileBytes() == before; }
    int status() { return trainer.window().end.status; }

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
    std::string before;
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
    EXPECT_EQ(run.status(), app::kExitOperationFailed);                        // declined: not carried out
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
    EXPECT_EQ(run.status(), app::kExitOperationFailed);
}

// A command line and what it must come to: the dialog that refuses it (with
// its token) and leaves the data file as it was, or the operation carried out
// and its change to the saved record.
struct BatchCase {
    const char* name;
    std::vector<std::string> parameters;
    int code = 0;  // 0: the operation completes
    const char* token = nullptr;
    std::function<void(const MachineRecord& saved)> check = nullptr;
};

void PrintTo(const BatchCase& c, std::ostream* out) { *out << c.name; }

class BatchRuns : public ::testing::TestWithParam<BatchCase> {};

TEST_P(BatchRuns, RefuseWithoutATraceOrCarryOutSoundly) {
    const BatchCase& c = GetParam();
    CommandLineRun run(c.parameters);
    if (c.code == 0) {
        run.run();
        EXPECT_TRUE(run.waits.empty());
        EXPECT_EQ(run.status(), app::kExitNormal);
        c.check(run.saved());
        return;
    }
    run.run({kEnter});
    ASSERT_EQ(run.waits.size(), 1u);
    EXPECT_EQ(run.waits[0].dialogCode, c.code);
    if (c.token) {
        EXPECT_EQ(run.trainer.window().ErrorToken, c.token);
    }
    EXPECT_TRUE(run.dataFileUnchanged());
    const bool notCarriedOut = c.code == 4 || c.code == 119 || c.code == 120;
    EXPECT_EQ(run.status(), notCarriedOut ? app::kExitOperationFailed : app::kExitUsageError);
    const auto lines = run.trainer.trace();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                            [&](const auto& line) { return line["event"] == "dialog" && line["code"] == c.code; }));
}

const MachineRecord kLoaded = commandLineMachine(0);

int imagesNamed(const MachineRecord& r, const std::string& name) {
    int count = 0;
    for (int i = 1; i <= bytes::kImages; ++i) count += !r.image(0, i).isFree() && r.image(0, i).name == name;
    return count;
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, BatchRuns,
    ::testing::Values(
        BatchCase{"NoSwitchCharacter", {"CLONE,MODE=COPY"}, 101}, BatchCase{"Help", {"-help"}, 102, "HELP"},
        BatchCase{"CloneX", {"-CLONEX,MODE=COPY"}, 102, "CLONEX,MODE=COPY"}, BatchCase{"BareClone", {"-CLONE"}, 103},
        BatchCase{"BadSwitchAfterClone", {"-SURE", kImagePartition, "-Z0"}, 102, "Z0"},
        BatchCase{"WrongPassword", {"-CLONE,MODE=PLOAD,SRC=D:\\EXAM\\LOCKED,DST=2:1", "-PWD=shut"}, 119},
        BatchCase{"NoRoomForTheImage", {"-CLONE,MODE=PDUMP,SRC=1:1,DST=E:\\BIG", "-SURE"}, 120},
        BatchCase{"DiskOntoItself", {"-CLONE,MODE=COPY,SRC=1,DST=1"}, 108},
        BatchCase{"NoSuchSourceDisk", {"-CLONE,MODE=COPY,SRC=4,DST=2"}, 107},
        BatchCase{"NoSuchDestinationDisk", {"-CLONE,MODE=COPY,SRC=1,DST=4"}, 108},
        BatchCase{"NoSuchPartitionSourceDisk", {"-CLONE,MODE=PCOPY,SRC=4:1,DST=2:1"}, 107},
        BatchCase{"NoSuchPartitionDestinationDisk", {"-CLONE,MODE=PCOPY,SRC=1:1,DST=4:1"}, 108},
        BatchCase{"EmptyImageName", {"-CLONE,MODE=DUMP,SRC=3,DST=D:\\EXAM\\"}, 114, ".VXI"},
        BatchCase{"NameEmptyOnceNormalised", {"-CLONE,MODE=DUMP,SRC=3,DST=.X"}, 114, ".X"},
        BatchCase{"ControlCharacterInName", {"-CLONE,MODE=DUMP,SRC=3,DST=D:\\EXAM\\A\tB"}, 114, "A\tB.VXI"},
        BatchCase{"DriveRootAsImage", {"-CLONE,MODE=LOAD,SRC=C:\\,DST=2"}, 113, "C:\\.VXI"},
        BatchCase{"DirectoryAsImage", {"-CLONE,MODE=PLOAD,SRC=D:\\EXAM\\,DST=2:1"}, 113, "D:\\EXAM\\.VXI"},
        BatchCase{"PartitionTooBigForTheFreeSpace", {"-CLONE,MODE=PCOPY,SRC=1:1,DST=3:2"}, 116},
        BatchCase{"PartitionOntoItself", {"-CLONE,MODE=PCOPY,SRC=1:1,DST=1:1"}, 112},
        BatchCase{"RestoreCutBelowItsData", {"-CLONE,MODE=LOAD,SRC=D:\\EXAM\\SPLIT,DST=3", "-SURE"}, 4},
        BatchCase{"Fat32AfterARestore",
                  {"-CLONE,MODE=LOAD,SRC=D:\\EXAM\\FAT16,DST=3", "-SURE", "-F32"},
                  0,
                  nullptr,
                  [](const MachineRecord& r) { EXPECT_EQ(r.partition(0, 3, 1).size, 12000); }},
        BatchCase{"Fat32AfterAPartitionRestore",
                  {"-CLONE,MODE=PLOAD,SRC=D:\\EXAM\\FAT16,DST=2:1", "-SURE", "-F32"},
                  0,
                  nullptr,
                  [](const MachineRecord& r) { EXPECT_EQ(r.partition(0, 2, 1).size, 3000); }},
        BatchCase{"RestoreOntoTheImagesDisk", {"-CLONE,MODE=LOAD,SRC=D:\\EXAM\\OLD,DST=1"}, 108},
        BatchCase{"RestoreOntoTheImagesPartition", {"-CLONE,MODE=PLOAD,SRC=D:\\EXAM\\OLD,DST=1:2"}, 112},
        BatchCase{"PartitionCutToTheFreeSpace",
                  {"-CLONE,MODE=PCOPY,SRC=1:2,DST=3:2", "-SURE"},
                  0,
                  nullptr,
                  [](const MachineRecord& r) {
                      EXPECT_EQ(r.disk(0, 3).partitionCount, 2);
                      EXPECT_EQ(r.partition(0, 3, 2), (PartitionEntry{11, 0, 2000, 1200}));
                  }},
        BatchCase{"RestoreBesideTheImage",
                  {"-CLONE,MODE=PLOAD,SRC=D:\\EXAM\\OLD,DST=1:3", "-SURE"},
                  0,
                  nullptr,
                  [](const MachineRecord& r) {
                      EXPECT_EQ(r.disk(0, 1).partitionCount, 3);
                      EXPECT_EQ(r.partition(0, 1, 3), (PartitionEntry{7, 0, 3000, 250}));
                      EXPECT_EQ(imagesNamed(r, "OLD"), 1);
                  }},
        BatchCase{"OnlyTheLastCloneLeavesATrace",
                  {"-CLONE,MODE=DUMP,SRC=3,DST=D:\\EXAM\\STRAY", "-CLONE,MODE=PCOPY,SRC=1:2,DST=3:2",
                   "-CLONE,MODE=COPY,SRC=3,DST=2", "-SURE"},
                  0,
                  nullptr,
                  [](const MachineRecord& r) {
                      EXPECT_EQ(imagesNamed(r, "STRAY"), 0);
                      EXPECT_EQ(r.disk(0, 3), kLoaded.disk(0, 3));
                      EXPECT_EQ(r.partition(0, 2, 1), (PartitionEntry{7, 0, 40000, 500}));
                  }},
        BatchCase{"AnExistingNameIsOverwritten",
                  {"-CLONE,MODE=DUMP,SRC=3,DST=D:\\EXAM\\OLD.VXI", "-SURE"},
                  0,
                  nullptr,
                  [](const MachineRecord& r) {
                      EXPECT_EQ(imagesNamed(r, "OLD"), 1);
                      EXPECT_EQ(r.image(0, 5).size, 501);              // the disk's 500 MB of data, uncompressed
                      EXPECT_EQ(r.partition(0, 1, 2).dataSize, 1200);  // its space is not counted again
                  }},
        BatchCase{"ALongPasswordOpensByItsFirstTen",
                  {"-CLONE,MODE=PLOAD,SRC=D:\\EXAM\\TENCHARS,DST=2:1", "-PWD=abcdefghijkl", "-SURE"},
                  0,
                  nullptr,
                  [](const MachineRecord& r) { EXPECT_EQ(r.disk(0, 2).partitionCount, 1); }},
        BatchCase{"ANameIsCutBetweenCharacters",
                  {"-CLONE,MODE=DUMP,SRC=3,DST=D:\\EXAM\\映像文件夹", "-SURE"},
                  0,
                  nullptr,
                  [](const MachineRecord& r) { EXPECT_EQ(imagesNamed(r, "映像文件"), 1); }}),
    [](const auto& info) { return std::string(info.param.name); });

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
