// The eight jobs of the Local menu done interactively, by keys for some and
// by pointer for others, against the same jobs from the command line.

#include <gtest/gtest.h>

#include "json_diff.h"
#include "operation_driver.h"
#include "task_json.h"

namespace vxr::test {
namespace {

using namespace model;
using input::kDown;
using input::kEnter;
using input::kEsc;
using input::kLeft;
using input::kRight;
using input::kTab;

// Disk 1 (20000 MB): C: NTFS 10000/3000, D: FAT32 6000/1000, 4000 free.
// Disk 2 (30000 MB): E: NTFS 30000/100 with E:\IMG holding BASE (two
// partitions) and a protected LOCK. Disk 3 (20000 MB): empty.
MachineRecord jobMachine(std::uint16_t restrictions = 0) {
    MachineRecord r;
    r.setRestrictionFlags(restrictions);
    r.setDiskCount(0, 3);
    DiskEntry one{.partitionCount = 2, .capacity = 20000, .kind = 1};
    one.partitions[0] = {7, 0, 10000, 3000};
    one.partitions[1] = {11, 0, 6000, 1000};
    r.setDisk(0, 1, one);
    DiskEntry two{.partitionCount = 1, .capacity = 30000, .kind = 1};
    two.partitions[0] = {7, 0, 30000, 100};
    r.setDisk(0, 2, two);
    r.setDisk(0, 3, {.capacity = 20000, .kind = 1});
    r.setDirectory(0, 1, {1, 1, 0, "", 1.0});
    r.setDirectory(0, 2, {1, 2, 0, "", 1.0});
    r.setDirectory(0, 3, {2, 1, 0, "", 1.0});
    r.setDirectory(0, 4, {2, 1, 3, "IMG", 1.0});
    ImageEntry base{.directory = 4, .size = 1500, .name = "BASE", .partitionCount = 2};
    base.partitions[0] = {7, 0, 8000, 2000};
    base.partitions[1] = {11, 0, 4000, 500};
    r.setImage(0, 1, base);
    ImageEntry lock{.directory = 4, .size = 10, .name = "LOCK", .partitionCount = 1, .password = "KEY"};
    lock.partitions[0] = {7, 0, 1000, 20};
    r.setImage(0, 2, lock);
    return r;
}

// The record as a grader reads it, without creation times (each run has
// its own clock).
nlohmann::json comparable(const MachineRecord& record) {
    nlohmann::json j = vxrdat::recordToJson(record, false);
    for (auto& computer : j["computers"]) {
        for (auto& directory : computer["directories"]) directory.erase("created");
        for (auto& image : computer["images"]) image.erase("created");
    }
    return j;
}

// Proceed with Yes (keys: the question opens on No), then Continue.
const std::vector<Action> kYesByKeys = presses({kLeft, kEnter});
const std::vector<Action> kYesByPointer = {clickButton(1)};

struct Job {
    const char* name;
    int sub, leaf;
    std::vector<std::string> commandLine;          // empty: no command-line mode
    std::vector<Action> actions;                   // after the menu
    std::function<void(MachineRecord&)> expected;  // the change, for jobs without one
    std::uint16_t restrictions = 0;                // the keys-only jobs run with the mouse locked
};

void PrintTo(const Job& job, std::ostream* out) { *out << job.name; }

std::vector<Job> jobs() {
    // clang-format off
    return {
        {"DiskToDiskByKeys", 1, 1, {"-CLONE,MODE=COPY,SRC=1,DST=3"},
         // Disk 1 is chosen; the destination starts on 2: Down, Enter takes 3.
         presses({kTab, kEnter, kDown, kEnter, kTab, kEnter, kTab, kEnter}) + kYesByKeys + presses({kLeft, kEnter}),
         nullptr, kMouseLocked},
        {"DiskToImageByPointer", 1, 2, {"-CLONE,MODE=DUMP,SRC=2,DST=D:\\NEWDISK"},
         std::vector<Action>{clickRow(2), clickButton(1), clickNameEdit(), type("d:\\newdisk"), clickButton(1),
                             clickButton(1)} +
             kYesByPointer + std::vector<Action>{clickButton(1)},
         nullptr},
        {"DiskToImageClickingWithoutMoves", 1, 2, {"-CLONE,MODE=DUMP,SRC=2,DST=D:\\NEWDISK"},
         // Each button pressed with no move onto it first: after typing, and
         // in dialogs that open under the resting pointer.
         std::vector<Action>{clickRow(2), clickButton(1, false), clickNameEdit(), type("d:\\newdisk"),
                             clickButton(1, false), clickButton(1, false), clickButton(1, false),
                             clickButton(1, false)},
         nullptr},
        {"DiskFromImageMixed", 1, 3, {"-CLONE,MODE=LOAD,SRC=E:\\IMG\\BASE,DST=3"},
         // Typed path, Save by keys; the image's disk 2 is greyed, disk 3 clicked.
         presses({kTab}) + std::vector<Action>{type("E:\\img\\base"), press(kTab), press(kTab), press(kEnter),
                                               clickRow(3), clickButton(1), clickButton(1)} +
             kYesByPointer + std::vector<Action>{clickButton(1)},
         nullptr},
        {"PartitionToPartitionTypingASize", 2, 1, {"-CLONE,MODE=PCOPY,SRC=1:2,DST=3:1"},
         std::vector<Action>{clickButton(1), clickRow(2), clickButton(1), clickRow(3), clickButton(1), clickRow(1),
                             clickSizeBox(1), type("\b\b\b\b\b6000"), clickButton(1)} +
             kYesByKeys + presses({kLeft, kEnter}),
         nullptr},
        {"PartitionToImageCtrlClickAndFast", 2, 2, {"-CLONE,MODE=PDUMP,SRC=1:1:2,DST=E:\\IMG\\PARTS", "-Z"},
         std::vector<Action>{press(kTab), press(kEnter), clickRow(1), clickRow(2, true), clickButton(1), press(kTab),
                             type("img\\parts"), clickButton(1), press(kTab), press(kEnter)} +
             kYesByKeys + presses({kEnter}),
         nullptr},
        {"PartitionFromImageThroughTheLookIn", 2, 3, {"-CLONE,MODE=PLOAD,SRC=E:\\IMG\\BASE:2,DST=3:1"},
         // Look in E:, open IMG, click BASE; its partition 2; disk 3; the
         // new partition's size typed as the image partition's.
         std::vector<Action>{clickLookInArrow(), clickLookInRow(3), clickFileRow(1), clickFileRow(2), clickRow(2),
                             clickButton(1), clickRow(3), clickButton(1), clickRow(1), clickSizeBox(1),
                             type("\b\b\b\b\b4000"), press(kEnter), clickButton(1)} +
             kYesByPointer + std::vector<Action>{clickButton(1)},
         nullptr},
        {"PartitionCopyIntoFreeSpaceByKeys", 2, 1, {"-CLONE,MODE=PCOPY,SRC=1:2,DST=1:3"},
         // C: comes chosen, D: (the source) is greyed: Down reaches the
         // free-space row, whose size box takes Enter and chooses the row.
         presses({kTab, kEnter, kDown, kEnter, kTab, kEnter, kTab, kEnter, kDown, kEnter, kTab, kEnter}) +
             kYesByKeys + presses({kLeft, kEnter}),
         nullptr, kMouseLocked},
        {"PartitionRestoreIntoFreeSpaceByKeys", 2, 3, {"-CLONE,MODE=PLOAD,SRC=E:\\IMG\\BASE:2,DST=1:3"},
         presses({kTab}) + std::vector<Action>{type("E:\\IMG\\BASE"), press(kTab), press(kTab), press(kEnter)} +
             presses({kDown, kEnter, kTab, kEnter, kTab, kEnter, kDown, kDown, kEnter, kTab, kEnter}) + kYesByKeys +
             presses({kLeft, kEnter}),
         nullptr, kMouseLocked},
        {"PartitionFromImageByDoubleClicks", 2, 3, {"-CLONE,MODE=PLOAD,SRC=E:\\IMG\\BASE:2,DST=3:1"},
         // A double click enters a folder once, opens a file once, and on
         // a table row chooses it and answers OK.
         std::vector<Action>{clickLookInArrow(), clickLookInRow(3), doubleClickFileRow(1), doubleClickFileRow(2),
                             doubleClickRow(2), doubleClickRow(3), clickRow(1), clickSizeBox(1),
                             type("\b\b\b\b\b4000"), press(kEnter), clickButton(1)} +
             kYesByPointer + std::vector<Action>{clickButton(1)},
         nullptr},
        {"CheckImageByKeys", 3, 1, {},
         presses({kTab}) + std::vector<Action>{type("E:\\IMG\\BASE"), press(kTab), press(kTab), press(kEnter)} +
             kYesByKeys + presses({kEnter}),
         [](MachineRecord& r) {
             ImageEntry image = r.image(0, 1);
             ++image.checkCount;
             r.setImage(0, 1, image);
         },
         kMouseLocked},
        {"CheckDiskByDoubleClick", 3, 2, {},
         std::vector<Action>{clickRow(2), doubleClickRow(3), clickButton(1), clickButton(1)},
         [](MachineRecord& r) {
             DiskEntry disk = r.disk(0, 3);
             ++disk.checkCount;
             r.setDisk(0, 3, disk);
         }},
    };
    // clang-format on
}

class Jobs : public ::testing::TestWithParam<Job> {};

TEST_P(Jobs, SaveWhatTheCommandLineSaves) {
    const Job& job = GetParam();
    // One run at a time: both would use the test's one scratch folder.
    MachineRecord expected = jobMachine(job.restrictions);
    if (job.expected) {
        job.expected(expected);
    } else {
        std::vector<std::string> parameters = job.commandLine;
        parameters.push_back("-SURE");
        OperationRun commandLine(jobMachine(job.restrictions), parameters);
        commandLine.run({});
        ASSERT_TRUE(commandLine.savedOperation());
        expected = commandLine.saved();
    }
    OperationRun interactive(jobMachine(job.restrictions));
    interactive.run(openLocalItem(job.sub, job.leaf) + job.actions);
    ASSERT_TRUE(interactive.savedOperation()) << ::testing::PrintToString(interactive.waits);
    EXPECT_EQ(interactive.w().ui.OpCode, 0);  // back on the main screen
    EXPECT_EQ(interactive.w().ui.MainItem, input::kLocal);
    EXPECT_EQ(vxrdat::jsonDifferences(comparable(expected), comparable(interactive.saved())),
              std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Operations, Jobs, ::testing::ValuesIn(jobs()),
                         [](const auto& info) { return std::string(info.param.name); });

// Another copy on the same data file saves a job of its own.
const Action anotherCopySaves = [](TrainerHarness& t) {
    MachineRecord theirs = jobMachine();
    theirs.setImage(0, 50, {.directory = 1, .size = 1, .name = "THEIRS"});
    TrainerHarness::writeRecord(theirs, t.folder() / "c" / "DATAS" / "VXR.DAT");
};

// A job starts from the data file as it is: what another copy saved while
// this one sat on its main screen stays beside this copy's job.
TEST(JobStart, TakesInWhatAnotherCopySavedMeanwhile) {
    OperationRun run(jobMachine());
    run.run(std::vector<Action>{anotherCopySaves} + openLocalItem(3, 2) +
            std::vector<Action>{clickRow(2), clickRow(3), clickButton(1), clickButton(1), clickButton(1)});
    ASSERT_TRUE(run.savedOperation()) << ::testing::PrintToString(run.waits);
    const MachineRecord saved = run.saved();
    EXPECT_EQ(saved.image(0, 50).name, "THEIRS");
    EXPECT_EQ(saved.disk(0, 3).checkCount, jobMachine().disk(0, 3).checkCount + 1);
}

// The dialogs and the command line write their choices into the record as
// they go (a new image's entry, the free-space row of a partition list and
// its size); a job not carried out, whether cancelled, answered No, closed
// or refused by the save, leaves the record as it was, in memory and in the
// data file (which only another copy may have changed).
struct Abandoned {
    const char* name;
    int sub, leaf;  // of the Local menu; 0: a command-line job
    std::vector<Action> actions;
    std::vector<std::string> commandLine = {};
    bool anotherCopySaved = false;
};

void PrintTo(const Abandoned& a, std::ostream* out) { *out << a.name; }

class AbandonedJobs : public ::testing::TestWithParam<Abandoned> {};

TEST_P(AbandonedJobs, LeaveTheRecordAsItWas) {
    const Abandoned& job = GetParam();
    OperationRun run(jobMachine(), job.commandLine);
    const MachineRecord before = run.saved();
    run.run((job.sub != 0 ? openLocalItem(job.sub, job.leaf) : std::vector<Action>{}) + job.actions);
    EXPECT_TRUE(run.w().computer.record() == before) << ::testing::PrintToString(run.waits);
    EXPECT_TRUE(run.w().end.requested || run.w().ui.OpCode == 0);  // else back on the main screen
    EXPECT_EQ(run.saved() == before, !job.anotherCopySaved);
}

// Partition 1:2 onto disk 3 (empty: its free-space row is partition 1);
// BASE's partition 2 onto disk 3.
const std::vector<Action> kCopyToDiskThree = {clickButton(1), clickRow(2), clickButton(1), clickRow(3), clickButton(1)};
const std::vector<Action> kRestoreToDiskThree = {clickLookInArrow(), clickLookInRow(3), clickFileRow(1),
                                                 clickFileRow(2),    clickRow(2),       clickButton(1),
                                                 clickRow(3),        clickButton(1)};
// Disk 2 into a new image D:\NEWDISK, uncompressed, up to the proceed question.
const std::vector<Action> kDiskToNewImage = {clickRow(2),         clickButton(1), clickNameEdit(),
                                             type("d:\\newdisk"), clickButton(1), clickButton(1)};
// The window closed; Enter leaves the closing notice.
const std::vector<Action> kCloseTheWindow = {[](TrainerHarness& t) { t.queueClose(); }, press(kEnter)};

INSTANTIATE_TEST_SUITE_P(
    Operations, AbandonedJobs,
    ::testing::Values(
        Abandoned{"DiskCopyCancelledAtTheSizes",
                  1,
                  1,
                  {clickRow(1), clickButton(1), clickRow(3), clickButton(1), clickButton(2)}},
        Abandoned{"DiskImageNotProceeded", 1, 2, kDiskToNewImage + presses({kEnter})},
        Abandoned{"DiskImageClosedAtTheProceedQuestion", 1, 2, kDiskToNewImage + kCloseTheWindow},
        Abandoned{"RestoreCancelledAtTheFile", 1, 3, presses({kEsc})},
        Abandoned{"PartitionCopyCancelled", 2, 1, kCopyToDiskThree + std::vector<Action>{clickRow(1), clickButton(2)}},
        Abandoned{"PartitionCopyNotProceeded", 2, 1,
                  kCopyToDiskThree + std::vector<Action>{clickRow(1), clickButton(1), press(kEnter)}},
        Abandoned{"PartitionCopyRefusedByTheSave",
                  2,
                  1,
                  kCopyToDiskThree +
                      std::vector<Action>{clickRow(1), clickButton(1), anotherCopySaves, clickButton(1), press(kEnter)},
                  {},
                  true},
        Abandoned{"PartitionRestoreEscaped", 2, 3, kRestoreToDiskThree + presses({kEsc})},
        Abandoned{"CheckDiskCancelled", 3, 2, {clickRow(2), clickButton(2)}},
        Abandoned{"CommandLineImageNotProceeded", 0, 0, presses({kEnter}), {"-CLONE,MODE=DUMP,SRC=2,DST=D:\\NEWDISK"}},
        Abandoned{
            "CommandLinePartitionCopyNotProceeded", 0, 0, presses({kEnter}), {"-CLONE,MODE=PCOPY,SRC=1:2,DST=3:1"}}),
    [](const auto& info) { return std::string(info.param.name); });

// Closing the window wherever the candidate is leaves the notice alone on
// the main picture, and the trace ends with the end.
struct ClosedIn {
    const char* name;
    std::vector<Action> reach;  // up to the state the window is closed in
};

void PrintTo(const ClosedIn& c, std::ostream* out) { *out << c.name; }

class ClosingTheWindow : public ::testing::TestWithParam<ClosedIn> {};

TEST_P(ClosingTheWindow, ShowsTheNoticeAloneAndEndsTheTrace) {
    std::vector<std::string> showing;
    const Action close = [](TrainerHarness& t) { t.queueClose(); };
    const Action lookAndLeave = [&showing](TrainerHarness& t) {
        const app::TForm1& w = t.window();
        for (const platform::Control* c : t.window().form().children()) {
            const bool notice = c == w.Label[1] || c == w.Label[2] || c == w.Label[3] || c == w.Label[4];
            if (c->showing() && c != w.Image0 && c != w.Edit[5] && !notice) showing.push_back(c->name());
        }
        EXPECT_TRUE(w.Label[1]->showing());
        t.queueKey(kEnter);
    };
    OperationRun run(jobMachine());
    run.run(GetParam().reach + std::vector<Action>{close, lookAndLeave});
    EXPECT_EQ(showing, std::vector<std::string>{});
    ASSERT_TRUE(run.w().end.requested);
    EXPECT_EQ(run.trainer.trace().back()["event"], "end");
}

INSTANTIATE_TEST_SUITE_P(Operations, ClosingTheWindow,
                         ::testing::Values(ClosedIn{"InTheOptionsDialog",
                                                    presses({input::kUp, input::kUp, input::kUp, kEnter})},
                                           ClosedIn{"AtTheQuitQuestion", presses({input::kUp, kEnter})},
                                           ClosedIn{"InASelectionDialog", openLocalItem(2, 1)},
                                           ClosedIn{"InTheDestinationSizes", openLocalItem(2, 1) + kCopyToDiskThree}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vxr::test
