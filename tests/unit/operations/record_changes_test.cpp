#include <gtest/gtest.h>

#include "operations/record_changes.h"

namespace vxr::operations {
namespace {

using namespace model;

// Local disk 1 (C: NTFS 300 MB data, D: FAT16 200 MB data) with an image
// directory on D:; local disk 2 empty; peer disk 1 empty.
class RecordChanges : public ::testing::Test {
protected:
    RecordChanges() : clock(46100.5) {
        MachineRecord& r = machine.record();
        r.setDiskCount(0, 2);
        DiskEntry disk1;
        disk1.partitionCount = 2;
        disk1.capacity = 10000;
        disk1.partitions[0] = {7, 0x55, 4000, 300};
        disk1.partitions[1] = {1, 0, 6000, 200};
        r.setDisk(0, 1, disk1);
        r.setDisk(0, 2, {.capacity = 20000, .kind = 1});
        r.setDiskCount(1, 1);
        r.setDisk(1, 1, {.capacity = 20000, .kind = 1});
        r.setDirectory(0, 1, {1, 1, 0, "", 1.0});
        r.setDirectory(0, 2, {1, 2, 0, "", 1.0});
        r.setDirectory(0, 3, {1, 2, 2, "IMAGES", 1.0});
        machine.BuildDriveLetters();
    }

    ChangeResult apply(int peerMode = 0) { return ApplyOperation(machine, state, options, peerMode, clock); }
    int newImage(const char* name) { return machine.AddImage(0, 3, name); }
    MachineRecord& record() { return machine.record(); }

    TCOMPUTER machine;
    OperationState state;
    OptionWords options;
    platform::FixedClock clock;
};

TEST_F(RecordChanges, DiskImageWithHighCompression) {
    state = {.OpCode = kDiskToImage, .SourceDisk = 1, .ImageIndex = newImage("DISK")};
    state.CompressionFactor = 0.45;
    state.ImagePassword = "SECRETPASSWORD";
    ASSERT_EQ(apply(), ChangeResult::Applied);
    const ImageEntry image = record().image(0, state.ImageIndex);
    EXPECT_EQ(image.size, 226);  // R(500 x 0.45) + 1
    EXPECT_EQ(image.partitionCount, 2);
    EXPECT_EQ(image.partitions[0], (PartitionEntry{7, 0x55, 4000, 300}));
    EXPECT_EQ(image.password, "SECRETPASS");
    EXPECT_EQ(record().partition(0, 1, 2).dataSize, 200 + 226);  // the partition holding IMAGES
}

TEST_F(RecordChanges, PartitionImageOfTheChosenPartitions) {
    record().setPartition(0, 1, 3, {6, 0, 100, 51});
    DiskEntry disk = record().disk(0, 1);
    disk.partitionCount = 3;
    record().setDisk(0, 1, disk);
    state = {.OpCode = kPartitionToImage, .SourceDisk = 1, .ImageIndex = newImage("PARTS")};
    state.SourcePartitions = 0b101;  // partitions 1 and 3
    state.CompressionFactor = 0.5;
    ASSERT_EQ(apply(), ChangeResult::Applied);
    const ImageEntry image = record().image(0, state.ImageIndex);
    EXPECT_EQ(image.partitionCount, 2);
    EXPECT_EQ(image.partitions[1].type, 6);
    EXPECT_EQ(image.size, 150 + 26 + 1);  // R(150) + R(25.5 -> 26) + 1
    EXPECT_TRUE(image.password.empty());
}

TEST_F(RecordChanges, OverwritingKeepsTheHoldersDataSize) {
    state = {.OpCode = kDiskToImage, .SourceDisk = 1, .ImageIndex = newImage("OLD")};
    state.OverwriteImage = true;
    ASSERT_EQ(apply(), ChangeResult::Applied);
    EXPECT_EQ(record().image(0, state.ImageIndex).size, 501);
    EXPECT_EQ(record().partition(0, 1, 2).dataSize, 200);
}

TEST_F(RecordChanges, AnImageThatDoesNotFitIsFreed) {
    PartitionEntry holder = record().partition(0, 1, 2);
    holder.size = 500;
    record().setPartition(0, 1, 2, holder);
    state = {.OpCode = kDiskToImage, .SourceDisk = 1, .ImageIndex = newImage("BIG")};
    EXPECT_EQ(apply(), ChangeResult::NotEnoughSpace);
    EXPECT_TRUE(record().image(0, state.ImageIndex).isFree());
    EXPECT_EQ(machine.FindImage(0, 3, "BIG"), 0);
    EXPECT_EQ(record().partition(0, 1, 2).dataSize, 200);
    state.ImageIndex = 0;
    EXPECT_EQ(apply(), ChangeResult::NoImageEntry);
}

TEST_F(RecordChanges, DiskCloneGivesFreshRootsAndFreesImagesOnTheTarget) {
    record().setDirectory(0, 4, {2, 1, 0, "", 1.0});
    record().setDirectory(0, 5, {2, 1, 4, "OLDDIR", 1.0});
    record().setImage(0, 9, {.directory = 5, .name = "GONE"});
    state = {.OpCode = kDiskToDisk, .SourceDisk = 1, .TargetDisk = 2};
    state.TargetSizes = {8000, 12000, 0, 0};
    ASSERT_EQ(apply(), ChangeResult::Applied);
    const DiskEntry target = record().disk(0, 2);
    EXPECT_EQ(target.partitionCount, 2);
    EXPECT_EQ(target.partitions[0], (PartitionEntry{7, 0x55, 8000, 300}));
    EXPECT_EQ(target.partitions[1].size, 12000);
    EXPECT_EQ(target.partitions[1].type, 1);  // no conversion on a disk copy
    EXPECT_TRUE(record().image(0, 9).isFree());
    // Slots 4 and 5 were freed; the new roots take them.
    EXPECT_EQ(record().directory(0, 4), (DirectoryEntry{2, 1, 0, "", 46100.5}));
    EXPECT_EQ(record().directory(0, 5).partition, 2);
    EXPECT_EQ(record().directory(0, 5).parent, 0);
    machine.BuildDriveLetters();
    EXPECT_EQ(machine.ResolvePath(0, "D:\\"), 4);  // FAT16 partitions get no letter
}

TEST_F(RecordChanges, RestoreOnThePeerConvertsLargePartitionsToFat32) {
    ImageEntry image;
    image.directory = 3;
    image.partitionCount = 2;
    image.partitions[0] = {7, 0, 4000, 300};
    image.partitions[1] = {131, 0, 200, 100};
    record().setImage(1, 2, image);
    options.setBox(2, 1, true);
    state = {.OpCode = kDiskFromImage, .TargetDisk = 1, .ImageIndex = 2};
    state.TargetSizes = {5000, 256, 0, 0};
    ASSERT_EQ(apply(1), ChangeResult::Applied);
    EXPECT_EQ(record().disk(1, 1).partitions[0].type, kFat32Type);  // NTFS included
    EXPECT_EQ(record().disk(1, 1).partitions[1].type, 131);         // 256 MB is not above 256
    EXPECT_EQ(record().directory(1, 1).disk, 1);
    EXPECT_EQ(record().disk(0, 2).partitionCount, 0);  // the local disks are untouched
}

TEST_F(RecordChanges, PartitionCopyIntoTheFreeSpaceRow) {
    record().setPartition(0, 2, 1, {1, 7, 777, 0});  // written when the NEW row was chosen
    state = {.OpCode = kPartitionToPartition, .SourceDisk = 1, .TargetDisk = 2, .SourcePartCount = 1};
    state.SourcePartitions = 0b10;
    state.TargetPartition = 1;
    state.TargetSizes = {3000, 0, 0, 0};
    options.setBox(2, 1, true);
    ASSERT_EQ(apply(), ChangeResult::Applied);
    const DiskEntry target = record().disk(0, 2);
    EXPECT_EQ(target.partitionCount, 1);
    EXPECT_EQ(target.partitions[0], (PartitionEntry{kFat32Type, 7, 3000, 0}));
    EXPECT_NE(machine.RootDirectory(0, 2, 1), 0);
}

TEST_F(RecordChanges, PartitionCopyOverAnExistingPartitionReplacesIt) {
    state = {.OpCode = kPartitionToPartition, .SourceDisk = 1, .TargetDisk = 1};
    state.SourcePartitions = 0b01;
    state.TargetPartition = 2;
    state.TargetSizes = {0, 5000, 0, 0};
    ASSERT_EQ(apply(), ChangeResult::Applied);
    EXPECT_EQ(record().disk(0, 1).partitions[1], (PartitionEntry{7, 0x55, 5000, 300}));
    EXPECT_TRUE(record().directory(0, 3).isFree());  // IMAGES was on the old D:
    EXPECT_EQ(machine.RootDirectory(0, 1, 2), 2);
    state.SourcePartitions = 0;
    EXPECT_EQ(apply(), ChangeResult::NoSource);
}

TEST_F(RecordChanges, ChecksOnlyCountUp) {
    record().setImage(0, 7, {.directory = 3, .name = "CHK", .checkCount = 4});
    const MachineRecord before = record();
    state = {.OpCode = kCheckImage, .ImageIndex = 7};
    apply();
    EXPECT_EQ(record().image(0, 7).checkCount, 5);
    state = {.OpCode = kCheckDisk, .SourceDisk = 1};
    apply();
    EXPECT_EQ(record().disk(0, 1).checkCount, 1);
    MachineRecord expected = before;
    expected.setImage(0, 7, record().image(0, 7));
    expected.setDisk(0, 1, record().disk(0, 1));
    EXPECT_EQ(record(), expected);
}

}  // namespace
}  // namespace vxr::operations
