#include "model/size_rules.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <limits>

#include "model/partition_types.h"
#include "platform/indexing.h"

namespace vxr::model {

namespace {

constexpr std::int32_t kNoLimit = std::numeric_limits<std::int32_t>::max();

std::int32_t clampToInt32(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

// Round(size / total * capacity - 0.5) in extended precision, halves to even,
// with the sizes read as unsigned 32-bit values. A total of 0 proposes 0.
std::int32_t proportionalShare(std::int32_t size, std::uint64_t total, std::int32_t capacity) {
    if (total == 0) return 0;
    const long double share = static_cast<long double>(static_cast<std::uint32_t>(size)) /
                                  static_cast<long double>(total) * static_cast<long double>(capacity) -
                              0.5L;
    const int savedMode = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const long double rounded = std::nearbyintl(share);
    std::fesetround(savedMode);
    if (rounded >= static_cast<long double>(kNoLimit)) return kNoLimit;
    if (rounded <= static_cast<long double>(std::numeric_limits<std::int32_t>::min())) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(rounded);
}

}  // namespace

std::int32_t PartitionSizeLimit(int typeId, const OptionWords& options) {
    switch (partitionType(typeId).limit) {
        case SizeLimit::Fat16: return options.fat32Conversion() ? kFat32Limit : kFat16Limit;
        case SizeLimit::Fat32: return kFat32Limit;
        case SizeLimit::None: break;
    }
    return kNoLimit;
}

PartitionEntry SizeRules::sourcePartition(int computer, int n) const {
    const MachineRecord& record = machine_.record();
    switch (state_.OpCode) {
        // The source disk of a disk copy is always on the local computer.
        case kDiskToDisk: return record.partition(0, state_.SourceDisk, n);
        case kDiskFromImage: {
            const ImageEntry image = record.image(computer, state_.ImageIndex);
            return MachineRecord::validPartition(n) ? at(image.partitions, n) : PartitionEntry{};
        }
        case kPartitionToPartition:
        case kPartitionFromImage: {
            PartitionEntry entry = record.partition(computer, state_.TargetDisk, n);
            if (n > record.partitionsInUse(computer, state_.TargetDisk)) {
                entry.dataSize = std::max(entry.dataSize, state_.NewPartitionData);
            }
            return entry;
        }
        default: return {};
    }
}

int SizeRules::ApplySizeRules(int computer, int n) {
    if (!MachineRecord::validPartition(n)) return 0;
    const PartitionEntry source = sourcePartition(computer, n);
    std::int32_t& entry = state_.targetSize(n);
    if (entry < 0 || entry < source.dataSize) entry = source.dataSize;
    entry = std::min(entry, PartitionSizeLimit(source.type, options_));

    std::int64_t sum = 0;
    for (std::int32_t size : state_.TargetSizes) sum += size;
    const std::int64_t over = sum - machine_.record().disk(computer, state_.TargetDisk).capacity;
    if (over > 0) {
        entry = clampToInt32(entry - over);
        return n;
    }
    return clampToInt32(over);
}

int SizeRules::proposeProportionally(int computer, const PartitionTable& partitions, int count, std::int32_t capacity) {
    std::uint64_t total = 0;
    for (int p = 1; p <= count; ++p) total += static_cast<std::uint32_t>(at(partitions, p).size);
    int result = 0;
    for (int p = 1; p <= count; ++p) {
        state_.targetSize(p) = proportionalShare(at(partitions, p).size, total, capacity);
        result = ApplySizeRules(computer, p);
    }
    return result;
}

int SizeRules::proposeFreeSpace(int computer) {
    const MachineRecord& record = machine_.record();
    const int existing = record.partitionsInUse(computer, state_.TargetDisk);
    for (int p = 1; p <= existing; ++p) state_.targetSize(p) = record.partition(computer, state_.TargetDisk, p).size;
    const std::int64_t free =
        record.disk(computer, state_.TargetDisk).capacity - machine_.SumPartitionSize(computer, state_.TargetDisk);
    int result = 0;
    for (int p = existing + 1; p <= std::min(state_.SourcePartCount, bytes::kPartitions); ++p) {
        state_.targetSize(p) = clampToInt32(free);
        result = ApplySizeRules(computer, p);
    }
    return result;
}

bool SizeRules::NewSizesHoldData(int computer) const {
    const MachineRecord& record = machine_.record();
    int count = 0;
    if (state_.OpCode == kDiskToDisk) count = record.partitionsInUse(0, state_.SourceDisk);
    if (state_.OpCode == kDiskFromImage) count = record.imagePartitionsInUse(computer, state_.ImageIndex);
    for (int p = 1; p <= count; ++p) {
        const std::int32_t size = at(state_.TargetSizes, p);
        if (size < 0 || size < sourcePartition(computer, p).dataSize) return false;
    }
    return true;
}

int SizeRules::DefaultTargetSizes(int computer) {
    const MachineRecord& record = machine_.record();
    const std::int32_t capacity = record.disk(computer, state_.TargetDisk).capacity;
    switch (state_.OpCode) {
        case kDiskToDisk:
            // Entries not proposed must be 0: the capacity rule sums all four.
            state_.TargetSizes.fill(0);
            return proposeProportionally(computer, record.disk(0, state_.SourceDisk).partitions,
                                         record.partitionsInUse(0, state_.SourceDisk), capacity);
        case kDiskFromImage:
            state_.TargetSizes.fill(0);
            return proposeProportionally(computer, record.image(computer, state_.ImageIndex).partitions,
                                         record.imagePartitionsInUse(computer, state_.ImageIndex), capacity);
        case kPartitionToPartition:
        case kPartitionFromImage: state_.TargetSizes.fill(0); return proposeFreeSpace(computer);
        default: return 0;
    }
}

}  // namespace vxr::model
