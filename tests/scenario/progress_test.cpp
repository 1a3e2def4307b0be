#include <gtest/gtest.h>

#include <algorithm>

#include "dialogs/message_dialogs.h"
#include "layout/message_dialog_layout.h"
#include "layout/progress_layout.h"
#include "layout/step_layout.h"
#include "operations/progress.h"
#include "trainer_harness.h"

namespace vxr::test {
namespace {

using namespace model;

// Disk 1: C: NTFS 20000 MB with 5000 MB used; an image folder C:\IMAGES.
model::MachineRecord progressMachine(std::uint16_t restrictions = 0) {
    MachineRecord r = sampleMachine(restrictions);
    r.setDirectory(0, 2, {1, 1, 1, "IMAGES", 1.0});
    return r;
}

class ProgressTest : public ::testing::Test {
protected:
    explicit ProgressTest(std::uint16_t restrictions = 0) : trainer(progressMachine(restrictions)) {}
    void SetUp() override {
        ASSERT_TRUE(trainer.start());
        w().progress().stepDelay = std::chrono::microseconds(0);
        // The progress screen as the operation sequence puts it up.
        const auto& step = layout::stepPicture(119);
        w().IMAGE2BP->setPicture(w().catalogue.byName(step.picture));
        w().IMAGE2BP->fitToPicture();
        w().IMAGE2BP->setPosition(step.at.x, step.at.y);
        w().IMAGE2BP->show();
    }

    app::TForm1& w() { return trainer.window(); }
    std::filesystem::path dataFile() { return trainer.folder() / "c" / "DATAS" / "VXR.DAT"; }
    void diskToImage(double factor = 0.5) {
        w().op = {.OpCode = kDiskToImage, .SourceDisk = 1};
        w().op.ImageIndex = w().computer.AddImage(0, 2, "NEW");
        w().op.CompressionFactor = factor;
    }
    // Answers the message box that the run shows, remembering its code.
    void answerBoxes() {
        trainer.onIdle([this] {
            if (w().ui.DialogCode == 0) return false;
            shownCodes.push_back(w().ui.DialogCode);
            const auto ok = layout::kMessageKinds[3].button1;
            trainer.queueClick(w().Image4D->left() + ok.left + 2, w().Image4D->top() + ok.top + 2);
            return true;
        });
    }
    MachineRecord savedRecord(const std::filesystem::path& file) {
        MachineRecord record;
        const auto bytes = readAll(file);
        EXPECT_EQ(bytes.size(), bytes::kRecordSize);
        std::copy(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(bytes::kRecordSize),
                  record.bytes().begin());
        descramble(record.bytes());
        return record;
    }

    TrainerHarness trainer;
    std::vector<int> shownCodes;
};

TEST_F(ProgressTest, DetailsDescribeADiskImage) {
    diskToImage();
    w().progress().ShowProgressScreen();
    const auto rows = w().progress().detailRows();
    ASSERT_GE(rows.size(), 5u);
    EXPECT_EQ(rows[0].caption, "Connection type");
    EXPECT_EQ(rows[0].value, "Local");
    EXPECT_EQ(rows[1].value, "Local drive [1], 20000 MB");
    EXPECT_EQ(rows[2].caption, "Destination");
    EXPECT_EQ(rows[2].value, "Local file C:\\IMAGES\\NEW.VXI");
    EXPECT_EQ(rows[3].caption, "Current partition");
    platform::Label& caption = *w().Label[1];
    EXPECT_TRUE(caption.showing());
    EXPECT_EQ(caption.caption(), "Connection type");
    EXPECT_EQ(caption.left(), 43 + layout::kDetailsLeftX);
    EXPECT_EQ(caption.top(), 60 + layout::kDetailsTop);
}

TEST_F(ProgressTest, RunSavesBeforeTheBarAndEndsAtAFullBar) {
    diskToImage();
    bool failed = true;
    w().progress().RunOperation(failed);
    EXPECT_FALSE(failed);
    const MachineRecord saved = savedRecord(dataFile());
    EXPECT_EQ(saved.image(0, w().op.ImageIndex).size, 2501);  // R(5000 x 0.5) + 1
    EXPECT_EQ(saved.partition(0, 1, 1).dataSize, 5000 + 2501);
    EXPECT_EQ(w().ProgressBar->width(), layout::kProgressBarSteps);
    EXPECT_EQ(w().PercentBox->caption(), " 100");
    EXPECT_EQ(w().PercentBox->left(), 43 + layout::kPercentBoxAt.x);
    w().progress().hide();
    EXPECT_FALSE(w().ProgressBar->visible());
    EXPECT_FALSE(w().Label[1]->visible());
}

TEST_F(ProgressTest, AnImageThatDoesNotFitStopsBeforeSaving) {
    const auto before = readAll(dataFile());
    diskToImage(10.0);  // 50001 MB into a 20000 MB partition
    answerBoxes();
    bool failed = false;
    w().progress().RunOperation(failed);
    EXPECT_TRUE(failed);
    EXPECT_EQ(shownCodes, std::vector<int>{120});
    EXPECT_EQ(readAll(dataFile()), before);
    EXPECT_TRUE(w().computer.record().image(0, w().op.ImageIndex).isFree());
}

TEST_F(ProgressTest, AFileThatCannotBeWrittenIsReported) {
    std::filesystem::remove(dataFile());
    diskToImage();
    answerBoxes();
    bool failed = false;
    w().progress().RunOperation(failed);
    EXPECT_TRUE(failed);
    EXPECT_EQ(shownCodes, std::vector<int>{1});
    EXPECT_FALSE(std::filesystem::exists(dataFile()));  // never created
}

class AssessmentProgress : public ProgressTest {
protected:
    AssessmentProgress() : ProgressTest(kAssessmentCopy) {}
};

// Every save of an assessment copy writes C: and then A:, for the whole run,
// so a later session that loads C: starts from every job done so far.
struct AssessmentSave {
    const char* what;
    bool floppyPresent;
    bool anotherCopySaves;  // on C:, after this copy loaded it
    std::vector<int> shownCodes;
    int checksOnC, checksOnA;      // -1: the file does not exist
    std::string lastFile, reason;  // of the last file written or tried
};

const AssessmentSave kAssessmentSaves[] = {
    {"both files, twice", true, false, {}, 2, 2, kAssessmentDataFile, ""},
    {"no A:", false, false, {1, 1}, 2, -1, kAssessmentDataFile, "No such file or directory"},
    {"C: saved by another copy", true, true, {1, 1}, 0, 0, kPrimaryDataFile, "changed by another copy"},
};

TEST_F(AssessmentProgress, EverySaveWritesCAndThenA) {
    const auto floppy = trainer.folder() / "a" / "VXR.DAT";
    const MachineRecord loaded = w().computer.record();
    for (const AssessmentSave& c : kAssessmentSaves) {
        SCOPED_TRACE(c.what);
        TrainerHarness::writeRecord(loaded, dataFile());
        ASSERT_EQ(w().computer.LoadRecord(), 0);
        std::filesystem::remove_all(floppy.parent_path());
        if (c.floppyPresent) TrainerHarness::writeRecord(loaded, floppy);
        if (c.anotherCopySaves) TrainerHarness::writeRecord(progressMachine(1), dataFile());
        shownCodes.clear();
        answerBoxes();
        for (int run = 0; run < 2; ++run) {
            w().op = {.OpCode = kCheckDisk, .SourceDisk = 1};
            bool failed = false;
            w().progress().RunOperation(failed);
        }
        EXPECT_EQ(shownCodes, c.shownCodes);
        EXPECT_EQ(w().computer.FileName, kPrimaryDataFile);
        EXPECT_EQ(savedRecord(dataFile()).disk(0, 1).checkCount, c.checksOnC);
        if (c.checksOnA < 0) {
            EXPECT_FALSE(std::filesystem::exists(floppy));
        } else {
            EXPECT_EQ(savedRecord(floppy).disk(0, 1).checkCount, c.checksOnA);
        }
        EXPECT_EQ(savedRecord(dataFile()).restrictionFlags(), c.anotherCopySaves ? 1 : kAssessmentCopy);
        const auto lines = trainer.trace();
        const auto save =
            *std::find_if(lines.rbegin(), lines.rend(), [](const auto& l) { return l["event"] == "save"; });
        EXPECT_EQ(save.value("reason", "").substr(0, c.reason.size()), c.reason);
        EXPECT_EQ(save["file"], c.lastFile);
    }
}

TEST_F(ProgressTest, PartitionDetailsTakeTwoRowsForTheSource) {
    w().op = {.OpCode = kPartitionToPartition, .SourceDisk = 1, .TargetDisk = 1};
    w().op.SourcePartitions = 1;
    w().op.TargetPartition = 1;
    w().op.TargetSizes = {6000, 0, 0, 0};
    const auto rows = w().progress().detailRows();
    EXPECT_EQ(rows[1].caption, "Source Partition");
    EXPECT_EQ(rows[1].value, "Type:7 [NTFS], 20000 MB, 5000 MB used,");
    EXPECT_EQ(rows[2].value, "From Local drive [1], 20000 MB");
    EXPECT_EQ(rows[3].caption, "Target partition");
    EXPECT_EQ(rows[3].value, "Type:7 [NTFS], 6000 MB");
    EXPECT_EQ(rows[4].caption, "");
    EXPECT_EQ(rows[4].value, "From Local drive [1], 20000 MB");
}

// Captions stand in their own rows: a second source line moves them down,
// a second destination line stands beside the empty caption after the
// destination.
TEST_F(ProgressTest, CurrentFileStandsOneRowLowerOnlyForPartitionJobs) {
    const std::vector<std::pair<int, std::size_t>> rowOfCurrentFile{{kDiskToDisk, 4},
                                                                    {kDiskToImage, 4},
                                                                    {kPartitionToPartition, 5},
                                                                    {kPartitionToImage, 5},
                                                                    {kPartitionFromImage, 5}};
    for (const auto& [opCode, row] : rowOfCurrentFile) {
        w().op = {.OpCode = opCode, .SourceDisk = 1, .TargetDisk = 1, .ImageIndex = 1, .SourcePartitions = 1};
        w().op.TargetPartition = 1;
        const auto rows = w().progress().detailRows();
        ASSERT_EQ(rows.size(), row + 1) << opCode;
        EXPECT_EQ(rows[row].caption, "Current file") << opCode;
    }
}

}  // namespace
}  // namespace vxr::test
