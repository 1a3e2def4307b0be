#include <gtest/gtest.h>

#include "machine_builder.h"

namespace vxr::model {
namespace {

using test::addDisk;
using test::addPartition;
using test::setDirectory;

std::string letters(const TCOMPUTER& machine, int computer) {
    std::string text;
    const DriveLetterTable& table = machine.driveLetters(computer);
    for (int n = 1; n <= table.count; ++n) {
        const DriveLetterEntry e = machine.driveLetter(computer, n);
        text +=
            std::string(1, driveLetterOf(n)) + "=" + std::to_string(e.disk) + ":" + std::to_string(e.partition) + " ";
    }
    return text;
}

TEST(DriveLetters, FormattedPartitionsFirstThenExtendedOnesInDiskOrder) {
    TCOMPUTER machine;
    MachineRecord& r = machine.record();
    addDisk(r, 0, 10000);
    addPartition(r, 0, 1, 6, 4000, 100);
    addPartition(r, 0, 1, 15, 6000, 0);
    addDisk(r, 0, 10000);
    addPartition(r, 0, 2, 6, 4000, 100);
    addPartition(r, 0, 2, 15, 6000, 0);
    setDirectory(r, 0, 1, 1, 1, 0, "");
    setDirectory(r, 0, 2, 2, 1, 0, "");
    machine.BuildDriveLetters();
    EXPECT_EQ(letters(machine, 0), "C=1:1 D=2:1 E=1:2 F=2:2 ");
    EXPECT_EQ(machine.driveLetter(0, 3).type, 15);
    EXPECT_EQ(machine.driveLetters(1).count, 0);
}

TEST(DriveLetters, OnlyFormattedLetterTypesGetALetter) {
    TCOMPUTER machine;
    MachineRecord& r = machine.record();
    addDisk(r, 1, 50000);
    for (int type : {1, 7, 131, 999}) addPartition(r, 1, 1, type, 1000, 10);
    addDisk(r, 1, 50000);
    for (int type : {4, 11, 12, 5}) addPartition(r, 1, 2, type, 1000, 10);
    for (int p = 1; p <= 4; ++p) {
        setDirectory(r, 1, p, 1, p, 0, "");
        setDirectory(r, 1, 4 + p, 2, p, 0, "");
    }
    // A root directory on the local computer does not format the peer's disk.
    addDisk(r, 0, 1000);
    addPartition(r, 0, 1, 7, 1000, 10);
    machine.BuildDriveLetters();
    EXPECT_EQ(letters(machine, 1), "C=1:2 D=2:1 E=2:2 F=2:3 G=2:4 ");
    EXPECT_EQ(letters(machine, 0), "");
}

TEST(DriveLetters, UnformattedPartitionGetsNoLetterAndIsRebuiltAfterChanges) {
    TCOMPUTER machine;
    MachineRecord& r = machine.record();
    addDisk(r, 0, 10000);
    addPartition(r, 0, 1, 7, 4000, 100);
    addPartition(r, 0, 1, 6, 4000, 100);
    setDirectory(r, 0, 1, 1, 2, 0, "");
    machine.BuildDriveLetters();
    EXPECT_EQ(letters(machine, 0), "C=1:2 ");
    setDirectory(r, 0, 2, 1, 1, 0, "");
    machine.BuildDriveLetters();
    EXPECT_EQ(letters(machine, 0), "C=1:1 D=1:2 ");
}

}  // namespace
}  // namespace vxr::model
