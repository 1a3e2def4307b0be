#include <gtest/gtest.h>

#include <utility>

#include "machine_builder.h"

namespace vxr::model {
namespace {

using test::addDisk;
using test::addPartition;
using test::setDirectory;
using test::setImage;

// Local computer: disk 1 with C: (NTFS) and D: (FAT32).
//   dir 1  C:            dir 3  C:\SAVE        dir 4  C:\SAVE\GAMES
//   dir 2  D:            dir 5  D:\NINECHARS   dir 6  D:\NINECHARS\SUB
// Images: 1 DISK1 in C:\SAVE, 2 DISK1 in C:, 3 OLD in D:\NINECHARS\SUB
class Queries : public ::testing::Test {
protected:
    Queries() : machine(clock) {
        MachineRecord& r = machine.record();
        addDisk(r, 0, 20000);
        addPartition(r, 0, 1, 7, 8000, 3000);
        addPartition(r, 0, 1, 6, 12000, 5000);
        setDirectory(r, 0, 1, 1, 1, 0, "");
        setDirectory(r, 0, 2, 1, 2, 0, "");
        setDirectory(r, 0, 3, 1, 1, 1, "SAVE");
        setDirectory(r, 0, 4, 1, 1, 3, "GAMES");
        setDirectory(r, 0, 5, 1, 2, 2, "NINECHARS");
        setDirectory(r, 0, 6, 1, 2, 5, "SUB");
        setImage(r, 0, 1, 3, "DISK1");
        setImage(r, 0, 2, 1, "DISK1");
        setImage(r, 0, 3, 6, "OLD");
        machine.BuildDriveLetters();
    }

    platform::FixedClock clock{46000.25};
    TCOMPUTER machine;
};

TEST_F(Queries, ResolvePathNamesDirectoriesAndImages) {
    const std::pair<const char*, int> found[] = {
        {"C:\\", 1},
        {"D:\\", 2},
        {"C:\\SAVE\\", 3},
        {"C:\\SAVE\\GAMES\\", 4},  // directories
        {"C:\\SAVE\\DISK1.VXI", 1},
        {"C:\\SAVE\\DISK1", 1},
        {"C:\\DISK1", 2},  // images
        {"D:\\NINECHARS\\SUB\\OLD.VXI", 3},
    };
    for (const auto& [path, number] : found) EXPECT_EQ(machine.ResolvePath(0, path), number) << path;
}

TEST_F(Queries, ResolvePathFindsNothingForWrongCaseDrivesOrShapes) {
    const char* const unknown[] = {
        "c:\\save\\disk1.vxi",
        "C:\\SAVE\\DISK1.vxi",
        "C:\\save\\",  // wrong case
        "E:\\",
        "A:\\",
        "S:\\",  // no drive of that letter
        "C:",
        "C:SAVE\\",
        "",
        "C:\\NOPE\\",
        "C:\\SAVE\\NOPE",           // no such shape or name
        "C:\\SAVE\\DISK1.VXI.VXI",  // only a final ".VXI" is dropped
    };
    for (const char* path : unknown) EXPECT_EQ(machine.ResolvePath(0, path), 0) << path;
    EXPECT_EQ(machine.ResolvePath(1, "C:\\"), 0);  // the peer has no drives
}

TEST_F(Queries, FreedDirectoriesAreNotFoundAgain) {
    // The partition of D: is copied over: its directories are freed, and a new
    // root takes a slot. The freed NINECHARS keeps parent 2 and its name.
    machine.RemoveDirectories(0, 1, 2);
    setDirectory(machine.record(), 0, 2, 1, 2, 0, "");
    machine.BuildDriveLetters();
    EXPECT_EQ(machine.ResolvePath(0, "D:\\"), 2);
    EXPECT_EQ(machine.ResolvePath(0, "D:\\NINECHARS\\"), 0);
    EXPECT_EQ(machine.ResolvePath(0, "D:\\NINECHARS\\SUB\\OLD"), 0);
}

TEST_F(Queries, DirectoryPathBuildsDosPaths) {
    EXPECT_EQ(machine.DirectoryPath(0, 1), "C:");
    EXPECT_EQ(machine.DirectoryPath(0, 3), "C:\\SAVE");
    EXPECT_EQ(machine.DirectoryPath(0, 4), "C:\\SAVE\\GAMES");
    EXPECT_EQ(machine.ImagePath(0, 1), "C:\\SAVE\\DISK1");
    EXPECT_EQ(machine.ImagePath(0, 2), "C:\\DISK1");
}

TEST_F(Queries, NineCharacterParentLosesItsBackslash) {
    EXPECT_EQ(machine.DirectoryPath(0, 5), "D:\\NINECHARS");
    EXPECT_EQ(machine.DirectoryPath(0, 6), "D:\\NINECHARSSUB");
    EXPECT_EQ(machine.ImagePath(0, 3), "D:\\NINECHARSSUB\\OLD");
}

TEST_F(Queries, DirectoryWithoutDriveLetterIsOnS) {
    DiskEntry disk = machine.record().disk(0, 1);
    disk.partitions[1].type = 131;  // Linux: never lettered
    machine.record().setDisk(0, 1, disk);
    machine.BuildDriveLetters();
    EXPECT_EQ(machine.DirectoryPath(0, 5), "S:\\NINECHARS");
    EXPECT_EQ(machine.DirectoryPath(0, 2), "S:");
}

TEST_F(Queries, FindImageNormalisesTheTypedName) {
    EXPECT_EQ(machine.FindImage(0, 3, "  disk1.vxi \t"), 1);
    EXPECT_EQ(machine.FindImage(0, 1, "Disk1"), 2);
    EXPECT_EQ(machine.FindImage(0, 1, "DISK1.OTHER.EXT"), 2);
    EXPECT_EQ(machine.FindImage(0, 4, "DISK1"), 0);
    EXPECT_EQ(machine.FindImage(1, 3, "DISK1"), 0);
    EXPECT_EQ(TCOMPUTER::NormaliseName("\x01 a.b.c "), "A");
    EXPECT_EQ(TCOMPUTER::NormaliseName("   "), "");
}

TEST_F(Queries, FindImageNeverReturnsAFreeEntry) {
    machine.record().setImageDirectory(0, 1, 0);  // freed, name kept
    EXPECT_EQ(machine.FindImage(0, 0, "DISK1"), 0);
}

TEST_F(Queries, AddImageTakesTheFirstFreeEntry) {
    const int added = machine.AddImage(0, 4, " newimage01.vxi");
    EXPECT_EQ(added, 4);
    const ImageEntry image = machine.record().image(0, added);
    EXPECT_EQ(image.directory, 4);
    EXPECT_EQ(image.name, "NEWIMAGE");
    EXPECT_EQ(image.size, 0);
    EXPECT_DOUBLE_EQ(image.created, 46000.25);
    EXPECT_EQ(machine.FindImage(0, 4, "newimage"), added);
    EXPECT_EQ(machine.AddImage(0, 0, "NODIR"), 0);
}

TEST_F(Queries, AddImageReportsAFullTableAndChangesNothing) {
    for (int i = 4; i <= 100; ++i) setImage(machine.record(), 0, i, 1, "FILL");
    const MachineRecord before = machine.record();
    EXPECT_EQ(machine.AddImage(0, 1, "MORE"), 0);
    EXPECT_EQ(machine.record(), before);
}

TEST_F(Queries, AddImageKeepsTheOldPasswordAndPartitionsOfAReusedSlot) {
    ImageEntry old = machine.record().image(0, 3);
    old.password = "PW";
    old.partitionCount = 1;
    old.directory = 0;
    machine.record().setImage(0, 3, old);
    EXPECT_EQ(machine.AddImage(0, 2, "NEW"), 3);
    EXPECT_EQ(machine.record().image(0, 3).password, "PW");
    EXPECT_EQ(machine.record().image(0, 3).partitionCount, 1);
}

TEST_F(Queries, RemoveDirectoriesOfOnePartitionOrAWholeDisk) {
    machine.RemoveDirectories(0, 1, 2);
    EXPECT_TRUE(machine.record().directory(0, 2).isFree());
    EXPECT_TRUE(machine.record().directory(0, 6).isFree());
    EXPECT_EQ(machine.record().directory(0, 6).name, "SUB");  // other fields stay
    EXPECT_TRUE(machine.record().image(0, 3).isFree());
    EXPECT_EQ(machine.record().image(0, 3).name, "OLD");
    EXPECT_FALSE(machine.record().directory(0, 1).isFree());
    EXPECT_FALSE(machine.record().image(0, 1).isFree());

    machine.RemoveDirectories(0, 1, 0);
    for (int v = 1; v <= 20; ++v) EXPECT_TRUE(machine.record().directory(0, v).isFree());
    EXPECT_TRUE(machine.record().image(0, 1).isFree());
    EXPECT_TRUE(machine.record().image(0, 2).isFree());
}

TEST_F(Queries, TypeNamesClassesAndSums) {
    EXPECT_EQ(TCOMPUTER::PartitionTypeName(7), "NTFS");
    EXPECT_EQ(TCOMPUTER::PartitionTypeName(15), "Fat32 extd");
    EXPECT_EQ(TCOMPUTER::PartitionTypeName(12), "Fat32");
    EXPECT_EQ(TCOMPUTER::PartitionTypeName(999), "NTFS extd");
    EXPECT_EQ(TCOMPUTER::PartitionTypeName(2), "");
    EXPECT_TRUE(TCOMPUTER::IsPrimaryType(131));
    EXPECT_FALSE(TCOMPUTER::IsPrimaryType(4));
    EXPECT_FALSE(TCOMPUTER::IsPrimaryType(3));

    EXPECT_EQ(machine.SumPartitionSize(0, 1), 20000);
    EXPECT_EQ(machine.SumDataSize(0, 1), 8000);
    EXPECT_EQ(machine.SumDataSize(0, 2), 0);
    ImageEntry image = machine.record().image(0, 1);
    image.partitionCount = 2;
    image.partitions[0] = {7, 0, 8000, 3000};
    image.partitions[1] = {6, 0, 12000, 5000};
    image.partitions[2] = {6, 0, 99999, 99999};  // beyond the count
    machine.record().setImage(0, 1, image);
    EXPECT_EQ(machine.SumImagePartitionSize(0, 1), 20000);
    EXPECT_EQ(machine.SumImageDataSize(0, 1), 8000);
}

}  // namespace
}  // namespace vxr::model
