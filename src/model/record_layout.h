#pragma once
// Byte layout of the 23,960-byte machine record (all integers little-endian).
// Every offset of the record is named here once; the record accessors, the
// scrambler and the record tool read them from here.

#include <cstddef>

namespace vxr::model::bytes {

inline constexpr std::size_t kRecordSize = 23960;
inline constexpr int kComputers = 2;
inline constexpr int kDisks = 4;
inline constexpr int kPartitions = 4;
inline constexpr int kDirectories = 20;
inline constexpr int kImages = 100;
inline constexpr int kOptionWords = 5;
inline constexpr int kDriveLetters = 16;

// Whole record.
inline constexpr std::size_t kComputerBlockSize = 11976;
inline constexpr std::size_t kScrambledSize = kComputers * kComputerBlockSize;  // 23952
inline constexpr std::size_t kKeys = 23952;                                     // K0..K3, stored plain
inline constexpr int kKeyCount = 4;
inline constexpr std::size_t kRecordTail = 23956;  // 4 bytes, not interpreted

// Computer block, relative to its start.
inline constexpr std::size_t kDiskCount = 0;
inline constexpr std::size_t kDisksStart = 4;
inline constexpr std::size_t kDirectoriesStart = 280;
inline constexpr std::size_t kImagesStart = 760;
inline constexpr std::size_t kSettingsStart = 11960;

// Disk entry.
inline constexpr std::size_t kDiskEntrySize = 68;
inline constexpr std::size_t kDiskPartitionCount = 0;
inline constexpr std::size_t kDiskCapacity = 4;
inline constexpr std::size_t kDiskKind = 8;
inline constexpr std::size_t kDiskCylinders = 10;
inline constexpr std::size_t kDiskHeads = 12;
inline constexpr std::size_t kDiskSectors = 14;
inline constexpr std::size_t kDiskPartitionsStart = 16;
inline constexpr std::size_t kDiskCheckCount = 64;

// Partition entry (also inside image entries).
inline constexpr std::size_t kPartitionEntrySize = 12;
inline constexpr std::size_t kPartitionType = 0;
inline constexpr std::size_t kPartitionTypeExtra = 2;  // copied along with the type id
inline constexpr std::size_t kPartitionSize = 4;
inline constexpr std::size_t kPartitionDataSize = 8;

// Directory entry.
inline constexpr std::size_t kDirectoryEntrySize = 24;
inline constexpr std::size_t kDirectoryDisk = 0;
inline constexpr std::size_t kDirectoryPartition = 2;
inline constexpr std::size_t kDirectoryParent = 4;
inline constexpr std::size_t kDirectoryName = 6;
inline constexpr std::size_t kDirectoryNameCapacity = 9;
inline constexpr std::size_t kDirectoryCreated = 16;

// Image entry.
inline constexpr std::size_t kImageEntrySize = 112;
inline constexpr std::size_t kImageDirectory = 0;
inline constexpr std::size_t kImageSize = 4;
inline constexpr std::size_t kImageName = 8;
inline constexpr std::size_t kImageNameCapacity = 8;
inline constexpr std::size_t kImageCreated = 24;
inline constexpr std::size_t kImagePartitionCount = 32;
inline constexpr std::size_t kImagePartitionsStart = 36;
inline constexpr std::size_t kImageCheckCount = 94;
inline constexpr std::size_t kImagePassword = 96;
inline constexpr std::size_t kImagePasswordCapacity = 10;

// Settings: option words in block 0, restriction flags in block 1.
inline constexpr std::size_t kOptionWordsStart = kSettingsStart;                       // block 0
inline constexpr std::size_t kRestrictionFlags = kComputerBlockSize + kSettingsStart;  // 23936

constexpr std::size_t computerOffset(int computer) { return kComputerBlockSize * static_cast<std::size_t>(computer); }
constexpr std::size_t diskOffset(int computer, int disk) {
    return computerOffset(computer) + kDisksStart + kDiskEntrySize * static_cast<std::size_t>(disk - 1);
}
constexpr std::size_t diskPartitionOffset(int computer, int disk, int partition) {
    return diskOffset(computer, disk) + kDiskPartitionsStart +
           kPartitionEntrySize * static_cast<std::size_t>(partition - 1);
}
constexpr std::size_t directoryOffset(int computer, int directory) {
    return computerOffset(computer) + kDirectoriesStart + kDirectoryEntrySize * static_cast<std::size_t>(directory - 1);
}
constexpr std::size_t imageOffset(int computer, int image) {
    return computerOffset(computer) + kImagesStart + kImageEntrySize * static_cast<std::size_t>(image - 1);
}
constexpr std::size_t imagePartitionOffset(int computer, int image, int partition) {
    return imageOffset(computer, image) + kImagePartitionsStart +
           kPartitionEntrySize * static_cast<std::size_t>(partition - 1);
}
constexpr std::size_t optionWordOffset(int word) { return kOptionWordsStart + 2 * static_cast<std::size_t>(word - 1); }

static_assert(computerOffset(1) + kSettingsStart + 16 == kKeys);
static_assert(imageOffset(0, kImages) + kImageEntrySize == kSettingsStart);
static_assert(directoryOffset(0, kDirectories) + kDirectoryEntrySize == kImagesStart);
static_assert(diskOffset(0, kDisks) + kDiskEntrySize + 4 == kDirectoriesStart);

}  // namespace vxr::model::bytes
