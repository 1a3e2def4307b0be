#include <gtest/gtest.h>

#include "model/record.h"
#include "model/scramble.h"

namespace vxr::model {
namespace {

using namespace layout;

std::uint16_t u16At(const MachineRecord& record, std::size_t offset) {
    return static_cast<std::uint16_t>(record.bytes()[offset] | record.bytes()[offset + 1] << 8);
}

TEST(MachineRecord, FieldsLandAtTheirFileOffsets) {
    MachineRecord record;
    DiskEntry disk;
    disk.partitionCount = 2;
    disk.capacity = 0x01020304;
    disk.partitions[1] = {7, 0xBEEF, 3000, 1200};
    disk.checkCount = 9;
    record.setDisk(1, 3, disk);
    const std::size_t diskAt = 11976 + 4 + 68 * 2;
    EXPECT_EQ(u16At(record, diskAt), 2);
    EXPECT_EQ(record.bytes()[diskAt + 4], 0x04);
    EXPECT_EQ(record.bytes()[diskAt + 7], 0x01);
    EXPECT_EQ(u16At(record, diskAt + 16 + 12 + 0), 7);
    EXPECT_EQ(u16At(record, diskAt + 16 + 12 + 2), 0xBEEF);
    EXPECT_EQ(u16At(record, diskAt + 64), 9);

    ImageEntry image;
    image.directory = 4;
    image.name = "DISK1";
    image.password = "SECRET";
    image.checkCount = 2;
    record.setImage(0, 100, image);
    const std::size_t imageAt = 760 + 112 * 99;
    EXPECT_EQ(u16At(record, imageAt), 4);
    EXPECT_EQ(record.bytes()[imageAt + 8], 5);
    EXPECT_EQ(record.bytes()[imageAt + 9], 'D');
    EXPECT_EQ(u16At(record, imageAt + 94), 2);
    EXPECT_EQ(record.bytes()[imageAt + 96], 6);
    EXPECT_EQ(record.bytes()[imageAt + 97], 'S');

    record.setDirectory(0, 20, {1, 2, 3, "GAMES", 1.5});
    const std::size_t dirAt = 280 + 24 * 19;
    EXPECT_EQ(u16At(record, dirAt + 4), 3);
    EXPECT_EQ(record.bytes()[dirAt + 6], 5);
    EXPECT_EQ(record.bytes()[dirAt + 16 + 7], 0x3F);  // high byte of 1.5

    record.setOptionWord(5, 0x0101);
    record.setRestrictionFlags(0x13);
    EXPECT_EQ(u16At(record, 11968), 0x0101);
    EXPECT_EQ(u16At(record, 23936), 0x13);

    EXPECT_EQ(record.disk(1, 3), disk);
    EXPECT_EQ(record.image(0, 100), image);
}

TEST(MachineRecord, SettersKeepUninterpretedBytes) {
    MachineRecord record;
    record.bytes().fill(0xA5);
    const MachineRecord before = record;
    record.setDisk(0, 1, record.disk(0, 1));
    record.setImage(1, 50, record.image(1, 50));
    record.setDirectory(0, 7, record.directory(0, 7));
    // Short strings are rewritten with their length clamped to the capacity;
    // every byte outside the interpreted fields stays.
    for (std::size_t i = 0; i < kRecordSize; ++i) {
        const bool nameLength = i == imageOffset(1, 50) + kImageName || i == imageOffset(1, 50) + kImagePassword ||
                                i == directoryOffset(0, 7) + kDirectoryName;
        if (!nameLength) {
            EXPECT_EQ(record.bytes()[i], before.bytes()[i]) << "offset " << i;
        }
    }
}

TEST(MachineRecord, OutOfRangeEntriesReadEmptyAndIgnoreWrites) {
    MachineRecord record;
    record.bytes().fill(0x11);
    const MachineRecord before = record;
    EXPECT_EQ(record.disk(0, 5), DiskEntry{});
    EXPECT_EQ(record.directory(1, 21), DirectoryEntry{});
    EXPECT_EQ(record.directory(0, 0), DirectoryEntry{});
    EXPECT_EQ(record.image(2, 1), ImageEntry{});
    EXPECT_EQ(record.partition(0, 1, 5), PartitionEntry{});
    record.setDisk(0, 0, DiskEntry{});
    record.setImage(0, 101, ImageEntry{});
    record.setPartition(-1, 1, 1, PartitionEntry{});
    record.setOptionWord(6, 0);
    EXPECT_EQ(record, before);
}

TEST(MachineRecord, ShortStringsAreCutToTheirCapacity) {
    MachineRecord record;
    record.setImage(0, 1, {.directory = 1, .name = "LONGERNAME", .password = "ABCDEFGHIJKL"});
    EXPECT_EQ(record.image(0, 1).name, "LONGERNA");
    EXPECT_EQ(record.image(0, 1).password, "ABCDEFGHIJ");
    record.bytes()[imageOffset(0, 1) + kImageName] = 200;  // damaged length byte
    EXPECT_EQ(record.image(0, 1).name.size(), 8u);
}

TEST(Scrambling, MatchesBytesScrambledByHand) {
    MachineRecord record;
    record.bytes()[0] = 0x41;
    record.bytes()[1] = 0x42;
    record.setKeys({0x80, 0x81, 0x82, 0x83});
    scramble(record.bytes());
    // S0 = 41^80; S1 = (42+81)^(C1+82); S2 = (00+81)^(80+82); S3 = 81^(83+82)
    EXPECT_EQ(record.bytes()[0], 0xC1);
    EXPECT_EQ(record.bytes()[1], 0x80);
    EXPECT_EQ(record.bytes()[2], 0x83);
    EXPECT_EQ(record.bytes()[3], 0x84);
    // The keys and the tail are stored plain.
    EXPECT_EQ(record.bytes()[kKeys + 3], 0x83);
    descramble(record.bytes());
    EXPECT_EQ(record.bytes()[0], 0x41);
    EXPECT_EQ(record.bytes()[1], 0x42);
    EXPECT_EQ(record.bytes()[2], 0x00);
    EXPECT_EQ(record.bytes()[kScrambledSize - 1], 0x00);
}

TEST(Scrambling, DescrambleInvertsScrambleForEveryByte) {
    MachineRecord record;
    for (std::size_t i = 0; i < kRecordSize; ++i) record.bytes()[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
    record.setKeys({0xFF, 0x80, 0xC7, 0x99});
    const MachineRecord plain = record;
    scramble(record.bytes());
    EXPECT_NE(record, plain);
    descramble(record.bytes());
    EXPECT_EQ(record, plain);
}

}  // namespace
}  // namespace vxr::model
