#pragma once
// The machine record in memory: the plain (descrambled) bytes with typed,
// bounds-safe accessors. Reading an entry outside its table (disk 5, directory
// 0 or 21, image 101, ...) yields an empty entry and writing one is ignored,
// so a number taken from a damaged file can never reach outside the record.
// Setters write only the interpreted fields; every other byte is kept.
// Names and passwords are UTF-8 here and code page 936 bytes in the record;
// their limits are in those bytes, and a cut falls between characters.

#include <array>
#include <cstdint>
#include <string>

#include "model/record_layout.h"

namespace vxr::model {

struct PartitionEntry {
    std::uint16_t type = 0;
    std::uint16_t typeExtra = 0;  // the word after the type id, copied with it
    std::int32_t size = 0;        // MB
    std::int32_t dataSize = 0;    // MB in use
    bool operator==(const PartitionEntry&) const = default;
};

using PartitionTable = std::array<PartitionEntry, bytes::kPartitions>;

struct DiskEntry {
    std::uint16_t partitionCount = 0;  // as stored; see MachineRecord::partitionsInUse
    std::int32_t capacity = 0;         // MB
    std::uint16_t kind = 0;            // 1 is "Basic"
    std::uint16_t cylinders = 0;
    std::uint16_t heads = 0;
    std::uint16_t sectorsPerTrack = 0;
    PartitionTable partitions{};
    std::uint16_t checkCount = 0;
    bool operator==(const DiskEntry&) const = default;
};

struct DirectoryEntry {
    std::uint16_t disk = 0;  // 0: free slot
    std::uint16_t partition = 0;
    std::uint16_t parent = 0;  // 0: root directory of its partition
    std::string name;          // up to 9 bytes; empty for a root
    double created = 0.0;      // day count
    bool isFree() const { return disk == 0; }
    bool operator==(const DirectoryEntry&) const = default;
};

struct ImageEntry {
    std::uint16_t directory = 0;  // 0: free slot
    std::int32_t size = 0;        // MB
    std::string name;             // up to 8 bytes, no extension
    double created = 0.0;         // day count
    std::uint16_t partitionCount = 0;
    PartitionTable partitions{};
    std::uint16_t checkCount = 0;
    std::string password;  // up to 10 bytes; empty: none
    bool isFree() const { return directory == 0; }
    bool operator==(const ImageEntry&) const = default;
};

class MachineRecord {
public:
    using Bytes = std::array<std::uint8_t, bytes::kRecordSize>;

    MachineRecord() { bytes_.fill(0); }

    Bytes& bytes() { return bytes_; }
    const Bytes& bytes() const { return bytes_; }

    // Disks.
    std::uint16_t diskCount(int computer) const;
    void setDiskCount(int computer, std::uint16_t count);
    int disksInUse(int computer) const;  // the count clamped to 0..4
    DiskEntry disk(int computer, int disk) const;
    void setDisk(int computer, int disk, const DiskEntry& entry);
    int partitionsInUse(int computer, int disk) const;  // clamped to 0..4
    PartitionEntry partition(int computer, int disk, int partition) const;
    void setPartition(int computer, int disk, int partition, const PartitionEntry& entry);

    // Directories and images.
    DirectoryEntry directory(int computer, int directory) const;
    void setDirectory(int computer, int directory, const DirectoryEntry& entry);
    ImageEntry image(int computer, int image) const;
    void setImage(int computer, int image, const ImageEntry& entry);
    int imagePartitionsInUse(int computer, int image) const;  // clamped to 0..4
    // Single fields, for changes that must leave the rest of an entry as stored.
    void setDirectoryDisk(int computer, int directory, std::uint16_t disk);
    void setImageDirectory(int computer, int image, std::uint16_t directory);

    // Settings.
    std::uint16_t optionWord(int word) const;  // word 1..5
    void setOptionWord(int word, std::uint16_t value);
    std::uint16_t restrictionFlags() const;
    void setRestrictionFlags(std::uint16_t flags);
    std::array<std::uint8_t, bytes::kKeyCount> keys() const;
    void setKeys(const std::array<std::uint8_t, bytes::kKeyCount>& keys);

    static bool validComputer(int computer) { return computer >= 0 && computer < bytes::kComputers; }
    static bool validDisk(int disk) { return disk >= 1 && disk <= bytes::kDisks; }
    static bool validPartition(int partition) { return partition >= 1 && partition <= bytes::kPartitions; }
    static bool validDirectory(int directory) { return directory >= 1 && directory <= bytes::kDirectories; }
    static bool validImage(int image) { return image >= 1 && image <= bytes::kImages; }

    bool operator==(const MachineRecord&) const = default;

private:
    std::uint16_t u16(std::size_t offset) const;
    void setU16(std::size_t offset, std::uint16_t value);
    std::int32_t i32(std::size_t offset) const;
    void setI32(std::size_t offset, std::int32_t value);
    double f64(std::size_t offset) const;
    void setF64(std::size_t offset, double value);
    std::string shortString(std::size_t offset, std::size_t capacity) const;
    void setShortString(std::size_t offset, std::size_t capacity, const std::string& text);
    PartitionEntry partitionAt(std::size_t offset) const;
    void setPartitionAt(std::size_t offset, const PartitionEntry& entry);

    Bytes bytes_;
};

}  // namespace vxr::model
