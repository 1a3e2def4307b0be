#include <gtest/gtest.h>

#include "machine_builder.h"
#include "model/size_rules.h"

namespace vxr::model {
namespace {

using test::setDirectory;
using namespace bytes;

void putU16(MachineRecord& record, std::size_t offset, std::uint16_t value) {
    record.bytes()[offset] = static_cast<std::uint8_t>(value);
    record.bytes()[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

TEST(DamagedRecord, CountsAboveTheirRangesAreClampedWhereRead) {
    TCOMPUTER machine;
    MachineRecord& r = machine.record();
    for (int c = 0; c < 2; ++c) {
        putU16(r, computerOffset(c) + kDiskCount, 0xFFFF);
        for (int d = 1; d <= 4; ++d) {
            putU16(r, diskOffset(c, d) + kDiskPartitionCount, 77);
            for (int p = 1; p <= 4; ++p) putU16(r, diskPartitionOffset(c, d, p), 5);
        }
        putU16(r, imageOffset(c, 1) + kImagePartitionCount, 300);
    }
    const MachineRecord stored = r;
    machine.BuildDriveLetters();
    EXPECT_EQ(machine.driveLetters(0).count, 16);  // every one of the 4 x 4 type-5 partitions
    EXPECT_EQ(machine.driveLetters(1).count, 16);
    EXPECT_EQ(r.disksInUse(0), 4);
    EXPECT_EQ(r.partitionsInUse(0, 2), 4);
    EXPECT_EQ(r.imagePartitionsInUse(1, 1), 4);
    EXPECT_EQ(machine.SumPartitionSize(0, 1), 0);
    EXPECT_EQ(machine.SumImageDataSize(1, 1), 0);
    EXPECT_EQ(r, stored);  // the stored bytes are kept as they are
}

TEST(DamagedRecord, ParentLoopsEndAfterTwentySteps) {
    TCOMPUTER machine;
    MachineRecord& r = machine.record();
    setDirectory(r, 0, 1, 1, 1, 2, "A");
    setDirectory(r, 0, 2, 1, 1, 1, "B");
    setDirectory(r, 0, 3, 1, 1, 3, "SELF");
    const std::string path = machine.DirectoryPath(0, 1);
    EXPECT_EQ(path.substr(0, 2), "S:");
    EXPECT_LE(path.size(), 2 + 20 * 9 + 9u);
    EXPECT_EQ(machine.DirectoryPath(0, 3).substr(0, 7), "S:SELF\\");
}

TEST(DamagedRecord, NumbersBeyondTheTablesFindNothing) {
    TCOMPUTER machine;
    MachineRecord& r = machine.record();
    r.setDiskCount(0, 1);
    r.setDisk(0, 1, {.partitionCount = 1, .capacity = 1000, .partitions = {{{7, 0, 1000, 10}}}});
    setDirectory(r, 0, 1, 1, 1, 0, "");
    setDirectory(r, 0, 2, 1, 1, 40, "ORPHAN");  // parent beyond the table
    test::setImage(r, 0, 1, 99, "LOST");        // directory beyond the table
    machine.BuildDriveLetters();
    EXPECT_EQ(machine.DirectoryPath(0, 2), "S:\\ORPHAN");
    EXPECT_EQ(machine.ImagePath(0, 1), "S:\\LOST");
    EXPECT_EQ(machine.DirectoryPath(0, 25), "S:");
    EXPECT_EQ(machine.ResolvePath(0, "C:\\ORPHAN\\"), 0);
    EXPECT_EQ(machine.FindImage(0, 99, "LOST"), 1);  // a lookup only compares numbers
    machine.RemoveDirectories(0, 9, 0);
    EXPECT_EQ(machine.ImagePath(0, 1), "S:\\LOST");
}

TEST(DamagedRecord, SizeRulesWithMissingDisksAndImages) {
    TCOMPUTER machine;
    OperationState state{.OpCode = kDiskFromImage, .TargetDisk = 7, .ImageIndex = -3};
    OptionWords options;
    SizeRules rules(machine, state, options);
    EXPECT_EQ(rules.DefaultTargetSizes(1), 0);
    EXPECT_EQ(rules.ApplySizeRules(1, 9), 0);
    EXPECT_EQ(state.TargetSizes, (std::array<std::int32_t, 4>{}));
}

}  // namespace
}  // namespace vxr::model
