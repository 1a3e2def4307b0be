#include <gtest/gtest.h>

#include <algorithm>

#include "model/record.h"
#include "model/scramble.h"

namespace vxr::model {
namespace {

using namespace bytes;

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

// Names and passwords: UTF-8 in the entries, code page 936 bytes in the
// record, limited in those bytes and cut between characters; bytes that are
// no code page 936 text read as something that writes them back unchanged.
enum class TextField { DirectoryName, ImageName, Password };

struct TextCase {
    const char* label;
    TextField field;
    std::string written;  // set through the entry; empty: `stored` put into the record as it is
    std::string stored;   // the field's bytes after its length byte
    std::string read;     // the entry's text
};

std::size_t fieldOffset(TextField field) {
    switch (field) {
        case TextField::DirectoryName: return directoryOffset(0, 1) + kDirectoryName;
        case TextField::ImageName: return imageOffset(0, 1) + kImageName;
        case TextField::Password: return imageOffset(0, 1) + kImagePassword;
    }
    return 0;
}

void writeText(MachineRecord& record, TextField field, const std::string& text) {
    DirectoryEntry directory = record.directory(0, 1);
    ImageEntry image = record.image(0, 1);
    if (field == TextField::DirectoryName) directory.name = text;
    if (field == TextField::ImageName) image.name = text;
    if (field == TextField::Password) image.password = text;
    record.setDirectory(0, 1, directory);
    record.setImage(0, 1, image);
}

std::string readText(const MachineRecord& record, TextField field) {
    if (field == TextField::DirectoryName) return record.directory(0, 1).name;
    return field == TextField::ImageName ? record.image(0, 1).name : record.image(0, 1).password;
}

std::string storedBytes(const MachineRecord& record, TextField field) {
    const std::size_t at = fieldOffset(field);
    return std::string(record.bytes().begin() + static_cast<std::ptrdiff_t>(at) + 1,
                       record.bytes().begin() + static_cast<std::ptrdiff_t>(at) + 1 + record.bytes()[at]);
}

class RecordText : public ::testing::TestWithParam<TextCase> {};

TEST_P(RecordText, IsCodePage936InTheRecordAndGoesBackUnchanged) {
    const TextCase& c = GetParam();
    MachineRecord record;
    if (c.written.empty()) {
        const auto at = record.bytes().begin() + static_cast<std::ptrdiff_t>(fieldOffset(c.field));
        *at = static_cast<std::uint8_t>(c.stored.size());
        std::copy(c.stored.begin(), c.stored.end(), at + 1);
    } else {
        writeText(record, c.field, c.written);
    }
    EXPECT_EQ(storedBytes(record, c.field), c.stored);
    EXPECT_EQ(readText(record, c.field), c.read);
    const MachineRecord before = record;
    writeText(record, c.field, readText(record, c.field));
    EXPECT_EQ(record, before);
}

INSTANTIATE_TEST_SUITE_P(MachineRecord, RecordText,
                         ::testing::Values(TextCase{"Chinese", TextField::ImageName, "镜像", "\xBE\xB5\xCF\xF1",
                                                    "镜像"},
                                           TextCase{"PasswordKeepsTenBytes", TextField::Password, "密码密码密码",
                                                    "\xC3\xDC\xC2\xEB\xC3\xDC\xC2\xEB\xC3\xDC", "密码密码密"},
                                           TextCase{"NameCutBetweenCharacters", TextField::ImageName, "A镜像备份",
                                                    "A\xBE\xB5\xCF\xF1\xB1\xB8", "A镜像备"},
                                           TextCase{"DirectoryKeepsNineBytes", TextField::DirectoryName, "镜像备份X1",
                                                    "\xBE\xB5\xCF\xF1\xB1\xB8\xB7\xDDX", "镜像备份X"},
                                           TextCase{"NoCodePage936FormIsAQuestionMark", TextField::ImageName,
                                                    "A\xF0\x9F\x98\x80"
                                                    "B\xFF",
                                                    "A?B?", "A?B?"},
                                           // A140 is no character, FF never is, 80 is the one single-byte
                                           // character above ASCII, and a lead byte may end the field.
                                           TextCase{"StrayBytesSurvive", TextField::Password, "",
                                                    "\xA1\x40\xFF\x80"
                                                    "A\xB0",
                                                    "\xEF\x9E\xA1@\xEF\x9F\xBF€A\xEF\x9E\xB0"}),
                         [](const auto& info) { return std::string(info.param.label); });

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
