#include <gtest/gtest.h>

#include "cmdline/clone_parser.h"
#include "dialogs/image_names.h"

namespace vxr::cmdline {
namespace {

using namespace model;
using layout::Msg;

// Local disk 1: C: NTFS and D: FAT32 with D:\BACKUP holding image SYS (two
// partitions) and IMG in C:\. Disk 2: one partition, 5000 MB free.
class CloneParserTest : public ::testing::Test {
protected:
    CloneParserTest() {
        MachineRecord& r = machine.record();
        r.setDiskCount(0, 2);
        const auto disk = [](PartitionEntry first, PartitionEntry second) {
            return DiskEntry{.partitionCount = 2, .capacity = 20000, .partitions = {first, second}};
        };
        r.setDisk(0, 1, disk({7, 0, 8000, 3000}, {11, 0, 12000, 4000}));
        r.setDisk(0, 2, disk({7, 0, 10000, 100}, {7, 0, 5000, 100}));
        r.setDirectory(0, 1, {1, 1, 0, "", 1.0});
        r.setDirectory(0, 2, {1, 2, 0, "", 1.0});
        r.setDirectory(0, 3, {1, 2, 2, "BACKUP", 1.0});
        ImageEntry sys;
        sys.directory = 3;
        sys.name = "SYS";
        sys.partitionCount = 2;
        sys.partitions[0] = {7, 0, 8000, 3000};
        sys.partitions[1] = {6, 0, 4000, 900};
        r.setImage(0, 1, sys);
        r.setImage(0, 2, {.directory = 1, .name = "IMG", .partitionCount = 1});
        machine.BuildDriveLetters();
    }

    // As the command line reads a lone clone: parsed, then sized.
    Msg parse(const std::string& text) {
        CloneParser parser({machine, state, options, 0, token});
        const Msg error = parser.ParseClone(text);
        return error != Msg::None ? error : parser.SizeDestination();
    }

    TCOMPUTER machine;
    OperationState state;
    OptionWords options;
    std::string token;
};

TEST_F(CloneParserTest, DiskCopy) {
    EXPECT_EQ(parse(",MODE=COPY,SRC=1,DST=2"), Msg::None);
    EXPECT_EQ(state.OpCode, kDiskToDisk);
    EXPECT_EQ(state.SourceDisk, 1);
    EXPECT_EQ(state.TargetDisk, 2);
    EXPECT_EQ(state.TargetSizes[0], 8000);  // 8000/20000 of 20000
    EXPECT_EQ(state.TargetSizes[1], 12000);
    // MODE is optional, unknown words keep the copy, only a first digit counts.
    EXPECT_EQ(parse(",SRC=12,DST=2,MODE=FOO"), Msg::None);
    EXPECT_EQ(state.OpCode, kDiskToDisk);
    EXPECT_EQ(state.SourceDisk, 1);
}

TEST_F(CloneParserTest, ErrorsComeInTheOrderOfTheChecks) {
    EXPECT_EQ(parse("MODE=COPY"), Msg::ExpectedComma);
    EXPECT_EQ(parse(",MODE=COPY"), Msg::SourceUnknown);
    EXPECT_EQ(parse(",SRC=1"), Msg::DestinationUnknown);
    EXPECT_EQ(parse(",SRC=5,DST=9"), Msg::InvalidSourceDrive);
    EXPECT_EQ(parse(",SRC=1,DST=9"), Msg::InvalidDestinationDrive);
    EXPECT_EQ(parse(",MODE=COPY,SIZE=3"), Msg::UnknownKeyword);
    EXPECT_EQ(token, "SIZE");
    EXPECT_EQ(parse(",SRC=1,DST=2,"), Msg::UnknownKeyword);  // the empty element after the last comma
    EXPECT_EQ(token, "");
    EXPECT_EQ(parse(",SRC=,SRC=1,DST=2"), Msg::None);  // an empty value changes nothing
}

TEST_F(CloneParserTest, PartitionSources) {
    EXPECT_EQ(parse(",MODE=PDUMP,SRC=1:1,DST=D:\\BACKUP\\PARTS"), Msg::None);
    EXPECT_EQ(state.SourcePartitions, 0b01);
    // Both partitions: every drive of the machine is being imaged. The
    // source read before the error stays.
    EXPECT_EQ(parse(",MODE=PDUMP,SRC=1:1:2,DST=D:\\BACKUP\\PARTS"), Msg::OnImagedPartition);
    EXPECT_EQ(state.SourcePartitions, 0b11);
    EXPECT_EQ(parse(",MODE=PCOPY,SRC=1:1:2,DST=2:1"), Msg::None);
    EXPECT_EQ(state.SourcePartitions, 0b10);  // the later group replaces the earlier
    EXPECT_EQ(parse(",MODE=PCOPY,SRC=1,DST=2:1"), Msg::ExpectedColonInSource);
    EXPECT_EQ(parse(",MODE=PCOPY,SRC=1:,DST=2:1"), Msg::InvalidSourcePartition);
    EXPECT_EQ(parse(",MODE=PCOPY,SRC=5:1,DST=2:1"), Msg::InvalidSourceDrive);
    EXPECT_EQ(parse(",MODE=PCOPY,SRC=1:5,DST=2:1"), Msg::InvalidSourcePartition);
    EXPECT_EQ(parse(",MODE=PCOPY,SRC=1:4,DST=2:1"), Msg::InvalidImageSourcePartition);
    EXPECT_EQ(parse(",MODE=PCOPY,SRC=1:1X,DST=2:1"), Msg::InvalidSourcePartition);
}

TEST_F(CloneParserTest, PartitionDestinations) {
    EXPECT_EQ(parse(",MODE=PCOPY,SRC=1:2,DST=2:3"), Msg::None);  // the free space after the last partition
    EXPECT_EQ(state.TargetPartition, 3);
    EXPECT_EQ(state.SourcePartCount, 3);
    EXPECT_EQ(machine.record().partition(0, 2, 3), (PartitionEntry{11, 0, 12000, 4000}));
    // 12000 MB do not fit beside the disk's 15000: the new partition gets the 5000 free.
    EXPECT_EQ(state.TargetSizes[2], 5000);
    EXPECT_EQ(parse(",MODE=PCOPY,SRC=1:2,DST=2:4"), Msg::TargetPartitionInvalid);
    EXPECT_EQ(parse(",MODE=PCOPY,SRC=1:2,DST=2"), Msg::ExpectedColonInDestination);
    EXPECT_EQ(parse(",MODE=PCOPY,SRC=1:2,DST=2:"), Msg::InvalidDestinationPartition);
    EXPECT_EQ(parse(",MODE=PCOPY,SRC=1:2,DST=7:1"), Msg::InvalidDestinationDrive);
}

TEST_F(CloneParserTest, ImageSourcesAndTheirPartitions) {
    EXPECT_EQ(parse(",MODE=LOAD,SRC=IMG,DST=2"), Msg::None);  // C:\IMG
    EXPECT_EQ(state.ImageIndex, 2);
    EXPECT_EQ(parse(",MODE=LOAD,SRC=D:\\BACKUP\\SYS.VXI,DST=2"), Msg::None);
    EXPECT_EQ(state.ImageIndex, 1);
    EXPECT_EQ(parse(",MODE=LOAD,SRC=D:NOPE,DST=2"), Msg::CannotOpenImage);
    EXPECT_EQ(token, "D:\\NOPE.VXI");
    EXPECT_EQ(parse(",MODE=PLOAD,SRC=D:\\BACKUP\\SYS:2,DST=2:1"), Msg::None);
    EXPECT_EQ(state.SourcePartitions, 2);
    EXPECT_EQ(machine.record().partition(0, 2, 1), (PartitionEntry{6, 0, 4000, 900}));
    EXPECT_EQ(parse(",MODE=PLOAD,SRC=D:\\BACKUP\\SYS,DST=2:1"), Msg::None);
    EXPECT_EQ(state.SourcePartitions, 1);
    EXPECT_EQ(parse(",MODE=PLOAD,SRC=D:\\BACKUP\\SYS:3,DST=2:1"), Msg::SourcePartitionAboveMax);
    EXPECT_EQ(parse(",MODE=PLOAD,SRC=D:\\BACKUP\\SYS:X,DST=2:1"), Msg::InvalidSourcePartition);
}

TEST_F(CloneParserTest, ImageDestinationsMakeNewEntries) {
    EXPECT_EQ(parse(",MODE=DUMP,SRC=2,DST=D:\\BACKUP\\SYSTEMIMAGE.VXI"), Msg::None);
    EXPECT_EQ(machine.record().image(0, state.ImageIndex).name, "SYSTEMIM");
    EXPECT_EQ(machine.record().image(0, state.ImageIndex).directory, 3);
    EXPECT_EQ(state.LookInLetter, 2);
    EXPECT_EQ(parse(",MODE=DUMP,SRC=1,DST=D:\\BACKUP\\X"), Msg::OnImagedDrive);
    EXPECT_EQ(parse(",MODE=PDUMP,SRC=1:2,DST=D:\\BACKUP\\X"), Msg::OnImagedPartition);
    EXPECT_EQ(parse(",MODE=PDUMP,SRC=1:1,DST=D:\\BACKUP\\X"), Msg::None);  // C: is imaged, the file goes to D:
    EXPECT_EQ(parse(",MODE=DUMP,SRC=2,DST=D:\\NODIR\\X"), Msg::NoSuchDirectory);
    for (int i = 1; i <= 100; ++i) {
        if (machine.record().image(0, i).isFree()) machine.record().setImage(0, i, {.directory = 1, .name = "FILL"});
    }
    EXPECT_EQ(parse(",MODE=DUMP,SRC=2,DST=NEW"), Msg::CannotCreateImage);
    EXPECT_EQ(token, "NEW.VXI");
}

TEST(CompletePath, RelativeNamesGoToTheRootOfTheirDrive) {
    EXPECT_EQ(CompletePath("IMG"), "C:\\IMG");
    EXPECT_EQ(CompletePath("D:IMG"), "D:\\IMG");
    EXPECT_EQ(CompletePath("D:\\X\\IMG"), "D:\\X\\IMG");
}

}  // namespace
}  // namespace vxr::cmdline
