#include <gtest/gtest.h>

#include "dialogs/image_names.h"

namespace vxr::dialogs {
namespace {

using namespace model;

// C: (disk 1) with C:\SAVE and C:\SAVE\OLD; D: (disk 2) with D:\BACKUP.
class ImageNames : public ::testing::Test {
protected:
    ImageNames() {
        MachineRecord& r = machine.record();
        r.setDiskCount(0, 2);
        r.setDisk(0, 1, {.partitionCount = 1, .capacity = 100, .partitions = {{{7, 0, 100, 1}}}});
        r.setDisk(0, 2, {.partitionCount = 1, .capacity = 100, .partitions = {{{7, 0, 100, 1}}}});
        r.setDirectory(0, 1, {1, 1, 0, "", 1});
        r.setDirectory(0, 2, {1, 1, 1, "SAVE", 1});
        r.setDirectory(0, 3, {1, 1, 2, "OLD", 1});
        r.setDirectory(0, 4, {2, 1, 0, "", 1});
        r.setDirectory(0, 5, {2, 1, 4, "BACKUP", 1});
        machine.BuildDriveLetters();
    }

    int resolve(std::string typed, int startDirectory = 2) {
        letter = 1;
        directory = startDirectory;
        name = std::move(typed);
        return ResolveImageName(machine, state, 0, letter, directory, name);
    }

    TCOMPUTER machine;
    OperationState state;
    int letter = 1, directory = 2;
    std::string name;
};

TEST_F(ImageNames, RelativeToTheCurrentDirectoryOrTheRoot) {
    EXPECT_EQ(resolve("NEW"), kNameAccepted);
    EXPECT_EQ(directory, 2);
    EXPECT_EQ(resolve("OLD\\X"), kNameAccepted);
    EXPECT_EQ(directory, 3);
    EXPECT_EQ(resolve("\\ROOTFILE"), kNameAccepted);
    EXPECT_EQ(directory, 1);
    EXPECT_EQ(resolve("D:\\BACKUP\\SYSTEMIMAGE"), kNameAccepted);
    EXPECT_EQ(name, "SYSTEMIM");
    EXPECT_EQ(letter, 2);
    EXPECT_EQ(directory, 5);
    EXPECT_EQ(resolve("D:LOOSE"), kNameAccepted);  // another drive: from its root
    EXPECT_EQ(directory, 4);
}

TEST_F(ImageNames, BadNamesAreRefused) {
    EXPECT_EQ(resolve("C:"), kNoSuchDriveOrDirectory);
    EXPECT_EQ(resolve("AB:X"), kNoSuchDriveOrDirectory);
    EXPECT_EQ(resolve("E:\\X"), kNoSuchDriveOrDirectory);
    EXPECT_EQ(resolve("NOPE\\X"), kNoSuchDriveOrDirectory);
    EXPECT_EQ(directory, 0);
}

TEST_F(ImageNames, TheImagedDiskOrPartitionIsRefused) {
    state.OpCode = kDiskToImage;
    state.SourceDisk = 2;
    EXPECT_EQ(resolve("D:\\BACKUP\\X"), kOnImagedSource);
    EXPECT_EQ(resolve("X"), kNameAccepted);
    state.OpCode = kPartitionToImage;
    state.SourcePartitions = 0b10;  // partition 2 of disk 2 only
    EXPECT_EQ(resolve("D:\\BACKUP\\X"), kNameAccepted);
    state.SourcePartitions = 0b01;
    EXPECT_EQ(resolve("D:\\BACKUP\\X"), kOnImagedSource);
    letter = 2;
    directory = 5;
    name = "D:\\BACKUP\\X";
    EXPECT_EQ(ResolveImageName(machine, state, 1, letter, directory, name),
              kNoSuchDriveOrDirectory);  // the peer has no D:
}

}  // namespace
}  // namespace vxr::dialogs
