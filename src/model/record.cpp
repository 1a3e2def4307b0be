#include "model/record.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "platform/text.h"

namespace vxr::model {

using namespace bytes;

namespace {

int clampCount(std::uint16_t stored, int most) { return std::min<int>(stored, most); }

}  // namespace

// ---- primitive fields ------------------------------------------------------

std::uint16_t MachineRecord::u16(std::size_t offset) const {
    return static_cast<std::uint16_t>(bytes_.at(offset) | bytes_.at(offset + 1) << 8);
}

void MachineRecord::setU16(std::size_t offset, std::uint16_t value) {
    bytes_.at(offset) = static_cast<std::uint8_t>(value);
    bytes_.at(offset + 1) = static_cast<std::uint8_t>(value >> 8);
}

std::int32_t MachineRecord::i32(std::size_t offset) const {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | bytes_.at(offset + static_cast<std::size_t>(i));
    return static_cast<std::int32_t>(value);
}

void MachineRecord::setI32(std::size_t offset, std::int32_t value) {
    auto bits = static_cast<std::uint32_t>(value);
    for (std::size_t i = 0; i < 4; ++i) bytes_.at(offset + i) = static_cast<std::uint8_t>(bits >> (8 * i));
}

double MachineRecord::f64(std::size_t offset) const {
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = bits << 8 | bytes_.at(offset + static_cast<std::size_t>(i));
    return std::bit_cast<double>(bits);
}

void MachineRecord::setF64(std::size_t offset, double value) {
    auto bits = std::bit_cast<std::uint64_t>(value);
    for (std::size_t i = 0; i < 8; ++i) bytes_.at(offset + i) = static_cast<std::uint8_t>(bits >> (8 * i));
}

// Short strings hold code page 936 bytes; the entries carry them as UTF-8.
std::string MachineRecord::shortString(std::size_t offset, std::size_t capacity) const {
    const std::size_t length = std::min<std::size_t>(bytes_.at(offset), capacity);
    std::string bytes(length, '\0');
    for (std::size_t i = 0; i < length; ++i) bytes[i] = static_cast<char>(bytes_.at(offset + 1 + i));
    return platform::recordText(bytes);
}

void MachineRecord::setShortString(std::size_t offset, std::size_t capacity, const std::string& text) {
    // A text too long for its field loses whole characters, never half of one.
    const std::string kept = platform::recordBytes(text, capacity);
    bytes_.at(offset) = static_cast<std::uint8_t>(kept.size());
    for (std::size_t i = 0; i < kept.size(); ++i) bytes_.at(offset + 1 + i) = static_cast<std::uint8_t>(kept[i]);
}

PartitionEntry MachineRecord::partitionAt(std::size_t offset) const {
    return {u16(offset + kPartitionType), u16(offset + kPartitionTypeExtra), i32(offset + kPartitionSize),
            i32(offset + kPartitionDataSize)};
}

void MachineRecord::setPartitionAt(std::size_t offset, const PartitionEntry& entry) {
    setU16(offset + kPartitionType, entry.type);
    setU16(offset + kPartitionTypeExtra, entry.typeExtra);
    setI32(offset + kPartitionSize, entry.size);
    setI32(offset + kPartitionDataSize, entry.dataSize);
}

// ---- disks -----------------------------------------------------------------

std::uint16_t MachineRecord::diskCount(int computer) const {
    return validComputer(computer) ? u16(computerOffset(computer) + kDiskCount) : 0;
}

void MachineRecord::setDiskCount(int computer, std::uint16_t count) {
    if (validComputer(computer)) setU16(computerOffset(computer) + kDiskCount, count);
}

int MachineRecord::disksInUse(int computer) const { return clampCount(diskCount(computer), kDisks); }

DiskEntry MachineRecord::disk(int computer, int disk) const {
    DiskEntry entry;
    if (!validComputer(computer) || !validDisk(disk)) return entry;
    const std::size_t at = diskOffset(computer, disk);
    entry.partitionCount = u16(at + kDiskPartitionCount);
    entry.capacity = i32(at + kDiskCapacity);
    entry.kind = u16(at + kDiskKind);
    entry.cylinders = u16(at + kDiskCylinders);
    entry.heads = u16(at + kDiskHeads);
    entry.sectorsPerTrack = u16(at + kDiskSectors);
    for (int p = 1; p <= kPartitions; ++p)
        entry.partitions[p - 1] = partitionAt(diskPartitionOffset(computer, disk, p));
    entry.checkCount = u16(at + kDiskCheckCount);
    return entry;
}

void MachineRecord::setDisk(int computer, int disk, const DiskEntry& entry) {
    if (!validComputer(computer) || !validDisk(disk)) return;
    const std::size_t at = diskOffset(computer, disk);
    setU16(at + kDiskPartitionCount, entry.partitionCount);
    setI32(at + kDiskCapacity, entry.capacity);
    setU16(at + kDiskKind, entry.kind);
    setU16(at + kDiskCylinders, entry.cylinders);
    setU16(at + kDiskHeads, entry.heads);
    setU16(at + kDiskSectors, entry.sectorsPerTrack);
    for (int p = 1; p <= kPartitions; ++p)
        setPartitionAt(diskPartitionOffset(computer, disk, p), entry.partitions[p - 1]);
    setU16(at + kDiskCheckCount, entry.checkCount);
}

int MachineRecord::partitionsInUse(int computer, int disk) const {
    return clampCount(this->disk(computer, disk).partitionCount, kPartitions);
}

PartitionEntry MachineRecord::partition(int computer, int disk, int partition) const {
    if (!validComputer(computer) || !validDisk(disk) || !validPartition(partition)) return {};
    return partitionAt(diskPartitionOffset(computer, disk, partition));
}

void MachineRecord::setPartition(int computer, int disk, int partition, const PartitionEntry& entry) {
    if (!validComputer(computer) || !validDisk(disk) || !validPartition(partition)) return;
    setPartitionAt(diskPartitionOffset(computer, disk, partition), entry);
}

// ---- directories and images ------------------------------------------------

DirectoryEntry MachineRecord::directory(int computer, int directory) const {
    DirectoryEntry entry;
    if (!validComputer(computer) || !validDirectory(directory)) return entry;
    const std::size_t at = directoryOffset(computer, directory);
    entry.disk = u16(at + kDirectoryDisk);
    entry.partition = u16(at + kDirectoryPartition);
    entry.parent = u16(at + kDirectoryParent);
    entry.name = shortString(at + kDirectoryName, kDirectoryNameCapacity);
    entry.created = f64(at + kDirectoryCreated);
    return entry;
}

void MachineRecord::setDirectory(int computer, int directory, const DirectoryEntry& entry) {
    if (!validComputer(computer) || !validDirectory(directory)) return;
    const std::size_t at = directoryOffset(computer, directory);
    setU16(at + kDirectoryDisk, entry.disk);
    setU16(at + kDirectoryPartition, entry.partition);
    setU16(at + kDirectoryParent, entry.parent);
    setShortString(at + kDirectoryName, kDirectoryNameCapacity, entry.name);
    setF64(at + kDirectoryCreated, entry.created);
}

ImageEntry MachineRecord::image(int computer, int image) const {
    ImageEntry entry;
    if (!validComputer(computer) || !validImage(image)) return entry;
    const std::size_t at = imageOffset(computer, image);
    entry.directory = u16(at + kImageDirectory);
    entry.size = i32(at + kImageSize);
    entry.name = shortString(at + kImageName, kImageNameCapacity);
    entry.created = f64(at + kImageCreated);
    entry.partitionCount = u16(at + kImagePartitionCount);
    for (int p = 1; p <= kPartitions; ++p)
        entry.partitions[p - 1] = partitionAt(imagePartitionOffset(computer, image, p));
    entry.checkCount = u16(at + kImageCheckCount);
    entry.password = shortString(at + kImagePassword, kImagePasswordCapacity);
    return entry;
}

void MachineRecord::setImage(int computer, int image, const ImageEntry& entry) {
    if (!validComputer(computer) || !validImage(image)) return;
    const std::size_t at = imageOffset(computer, image);
    setU16(at + kImageDirectory, entry.directory);
    setI32(at + kImageSize, entry.size);
    setShortString(at + kImageName, kImageNameCapacity, entry.name);
    setF64(at + kImageCreated, entry.created);
    setU16(at + kImagePartitionCount, entry.partitionCount);
    for (int p = 1; p <= kPartitions; ++p)
        setPartitionAt(imagePartitionOffset(computer, image, p), entry.partitions[p - 1]);
    setU16(at + kImageCheckCount, entry.checkCount);
    setShortString(at + kImagePassword, kImagePasswordCapacity, entry.password);
}

int MachineRecord::imagePartitionsInUse(int computer, int image) const {
    return clampCount(this->image(computer, image).partitionCount, kPartitions);
}

void MachineRecord::setDirectoryDisk(int computer, int directory, std::uint16_t disk) {
    if (validComputer(computer) && validDirectory(directory))
        setU16(directoryOffset(computer, directory) + kDirectoryDisk, disk);
}

void MachineRecord::setImageDirectory(int computer, int image, std::uint16_t directory) {
    if (validComputer(computer) && validImage(image)) setU16(imageOffset(computer, image) + kImageDirectory, directory);
}

// ---- settings --------------------------------------------------------------

std::uint16_t MachineRecord::optionWord(int word) const {
    return word >= 1 && word <= kOptionWords ? u16(optionWordOffset(word)) : 0;
}

void MachineRecord::setOptionWord(int word, std::uint16_t value) {
    if (word >= 1 && word <= kOptionWords) setU16(optionWordOffset(word), value);
}

std::uint16_t MachineRecord::restrictionFlags() const { return u16(kRestrictionFlags); }

void MachineRecord::setRestrictionFlags(std::uint16_t flags) { setU16(kRestrictionFlags, flags); }

std::array<std::uint8_t, kKeyCount> MachineRecord::keys() const {
    std::array<std::uint8_t, kKeyCount> keys{};
    std::memcpy(keys.data(), bytes_.data() + kKeys, kKeyCount);
    return keys;
}

void MachineRecord::setKeys(const std::array<std::uint8_t, kKeyCount>& keys) {
    std::memcpy(bytes_.data() + kKeys, keys.data(), kKeyCount);
}

}  // namespace vxr::model
