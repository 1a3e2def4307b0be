#include "operations/record_changes.h"

#include <bit>
#include <cmath>
#include <limits>

#include "platform/indexing.h"
#include "platform/text.h"

namespace vxr::operations {

namespace {

using model::DiskEntry;
using model::ImageEntry;
using model::MachineRecord;
using model::PartitionEntry;
namespace bytes = model::bytes;

constexpr int kLocal = 0;

// R(x): nearest, halves to even.
std::int64_t roundHalfEven(double x) { return static_cast<std::int64_t>(std::nearbyint(x)); }

std::int32_t clampSize(std::int64_t size) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(size, 0, std::numeric_limits<std::int32_t>::max()));
}

// The first free directory slot becomes the empty root of (disk, partition);
// with all twenty in use the partition stays unformatted.
void addRootDirectory(MachineRecord& record, int computer, int disk, int partition, double now) {
    for (int v = 1; v <= bytes::kDirectories; ++v) {
        if (!record.directory(computer, v).isFree()) continue;
        record.setDirectory(computer, v,
                            {static_cast<std::uint16_t>(disk), static_cast<std::uint16_t>(partition), 0, "", now});
        return;
    }
}

void convertToFat32(PartitionEntry& entry, std::int32_t size, bool onlySmallTypes, const model::OptionWords& options) {
    if (!options.fat32Conversion() || size <= kFat32ConversionAbove) return;
    if (onlySmallTypes && entry.type > 4) return;
    entry.type = kFat32Type;
}

ChangeResult writeImage(model::TCOMPUTER& machine, const model::OperationState& state, int computer) {
    MachineRecord& record = machine.record();
    if (!MachineRecord::validImage(state.ImageIndex)) return ChangeResult::NoImageEntry;
    ImageEntry image = record.image(computer, state.ImageIndex);
    const DiskEntry source = record.disk(kLocal, state.SourceDisk);
    if (state.OpCode == model::kDiskToImage) {
        image.partitionCount = source.partitionCount;
        image.partitions = source.partitions;
        // The disk's data compressed as a whole, then rounded.
        image.size =
            clampSize(CompressedSize(machine.SumDataSize(kLocal, state.SourceDisk), state.CompressionFactor) + 1);
    } else {
        image.partitionCount = 0;
        image.partitions = {};
        for (int k = 1; k <= bytes::kPartitions; ++k) {
            if ((state.SourcePartitions >> (k - 1) & 1) == 0) continue;
            image.partitions[image.partitionCount++] = at(source.partitions, k);
        }
        // Each partition's data compressed and rounded on its own.
        std::int64_t size = 0;
        for (int k = 1; k <= bytes::kPartitions; ++k) {
            if ((state.SourcePartitions >> (k - 1) & 1) == 0) continue;
            size += CompressedSize(at(source.partitions, k).dataSize, state.CompressionFactor);
        }
        image.size = clampSize(size + 1);
    }

    const model::DirectoryEntry folder = record.directory(computer, image.directory);
    PartitionEntry holder = record.partition(computer, folder.disk, folder.partition);
    const std::int64_t newData = state.OverwriteImage ? holder.dataSize : std::int64_t{holder.dataSize} + image.size;
    if (newData > holder.size) {
        record.setImageDirectory(computer, state.ImageIndex, 0);
        return ChangeResult::NotEnoughSpace;
    }
    holder.dataSize = clampSize(newData);
    record.setPartition(computer, folder.disk, folder.partition, holder);
    image.password = platform::cp936Prefix(state.ImagePassword, bytes::kImagePasswordCapacity);
    record.setImage(computer, state.ImageIndex, image);
    return ChangeResult::Applied;
}

void writeDisk(model::TCOMPUTER& machine, const model::OperationState& state, const model::OptionWords& options,
               int computer, double now) {
    MachineRecord& record = machine.record();
    machine.RemoveDirectories(computer, state.TargetDisk, 0);
    DiskEntry target = record.disk(computer, state.TargetDisk);
    if (state.OpCode == model::kDiskToDisk) {
        const DiskEntry source = record.disk(kLocal, state.SourceDisk);
        target.partitions = source.partitions;
        target.partitionCount = source.partitionCount;
    } else {
        const ImageEntry image = record.image(computer, state.ImageIndex);
        target.partitions = image.partitions;
        target.partitionCount = image.partitionCount;
    }
    const int count = std::min<int>(target.partitionCount, bytes::kPartitions);
    for (int i = 1; i <= count; ++i) {
        PartitionEntry& entry = at(target.partitions, i);
        entry.size = at(state.TargetSizes, i);
        // A restore converts every large partition; a disk copy none.
        if (state.OpCode == model::kDiskFromImage) convertToFat32(entry, entry.size, false, options);
    }
    record.setDisk(computer, state.TargetDisk, target);
    for (int i = 1; i <= count; ++i) addRootDirectory(record, computer, state.TargetDisk, i, now);
}

ChangeResult writePartition(model::TCOMPUTER& machine, const model::OperationState& state,
                            const model::OptionWords& options, int computer, double now) {
    MachineRecord& record = machine.record();
    PartitionEntry sourceEntry;
    if (state.OpCode == model::kPartitionToPartition) {
        const unsigned selected = static_cast<unsigned>(state.SourcePartitions) & 0xF;
        if (selected == 0) return ChangeResult::NoSource;
        sourceEntry = record.partition(kLocal, state.SourceDisk, std::countr_zero(selected) + 1);
    } else {
        const ImageEntry image = record.image(computer, state.ImageIndex);
        if (!MachineRecord::validPartition(state.SourcePartitions)) return ChangeResult::NoSource;
        sourceEntry = at(image.partitions, state.SourcePartitions);
    }
    const int slot = state.TargetPartition;
    if (!MachineRecord::validPartition(slot)) return ChangeResult::NoSource;
    DiskEntry target = record.disk(computer, state.TargetDisk);
    if (target.partitionCount < slot) {
        // The free-space row: the slot keeps the entry written when it was chosen.
        ++target.partitionCount;
    } else {
        machine.RemoveDirectories(computer, state.TargetDisk, slot);
        at(target.partitions, slot) = sourceEntry;
    }
    PartitionEntry& entry = at(target.partitions, slot);
    entry.size = at(state.TargetSizes, slot);
    convertToFat32(entry, entry.size, true, options);
    record.setDisk(computer, state.TargetDisk, target);
    addRootDirectory(record, computer, state.TargetDisk, slot, now);
    return ChangeResult::Applied;
}

}  // namespace

std::int64_t CompressedSize(std::int64_t dataSize, double factor) {
    return roundHalfEven(static_cast<double>(dataSize) * factor);
}

ChangeResult ApplyOperation(model::TCOMPUTER& machine, const model::OperationState& state,
                            const model::OptionWords& options, int peerMode, const platform::Clock& clock) {
    const int computer = peerMode == 1 ? 1 : 0;
    switch (state.OpCode) {
        case model::kDiskToImage:
        case model::kPartitionToImage: return writeImage(machine, state, computer);
        case model::kDiskToDisk:
        case model::kDiskFromImage:
            writeDisk(machine, state, options, computer, clock.now());
            return ChangeResult::Applied;
        case model::kPartitionToPartition:
        case model::kPartitionFromImage: return writePartition(machine, state, options, computer, clock.now());
        case model::kCheckImage: {
            ImageEntry image = machine.record().image(computer, state.ImageIndex);
            ++image.checkCount;
            machine.record().setImage(computer, state.ImageIndex, image);
            return ChangeResult::Applied;
        }
        case model::kCheckDisk: {
            DiskEntry disk = machine.record().disk(kLocal, state.SourceDisk);
            ++disk.checkCount;
            machine.record().setDisk(kLocal, state.SourceDisk, disk);
            return ChangeResult::Applied;
        }
        default: return ChangeResult::Applied;
    }
}

}  // namespace vxr::operations
