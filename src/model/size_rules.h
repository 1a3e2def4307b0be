#pragma once
// Sizes proposed for destination partitions, and the rules every size must
// keep: at least the partition's data size, at most its type's limit, and all
// four together within the destination disk's capacity.

#include <cstdint>

#include "model/computer.h"
#include "model/operation_state.h"
#include "model/option_words.h"

namespace vxr::model {

inline constexpr std::int32_t kFat16Limit = 2047;   // MB
inline constexpr std::int32_t kFat32Limit = 32553;  // MB

// Largest size in MB a partition of this type may take, or none (INT32_MAX).
std::int32_t PartitionSizeLimit(int typeId, const OptionWords& options);

class SizeRules {
public:
    SizeRules(const TCOMPUTER& machine, OperationState& state, const OptionWords& options)
        : machine_(machine), state_(state), options_(options) {}

    // Enforces the rules on TargetSizes entry n for destination computer
    // `computer`. Returns n when the entry was cut to fit the capacity, else
    // the sum of the four entries minus the capacity (zero or negative).
    int ApplySizeRules(int computer, int n);

    // Fills TargetSizes with the proposal for the current OpCode and applies
    // the rules to each proposed entry; returns the last rule result.
    int DefaultTargetSizes(int computer);

    // Of a disk copy or restore: true when every new partition's entry is at
    // least the data its source partition holds. The capacity rule may cut
    // an entry below that when the destination is too small.
    bool NewSizesHoldData(int computer) const;

private:
    PartitionEntry sourcePartition(int computer, int n) const;
    int proposeProportionally(int computer, const PartitionTable& partitions, int count, std::int32_t capacity);
    int proposeFreeSpace(int computer);

    const TCOMPUTER& machine_;
    OperationState& state_;
    const OptionWords& options_;
};

}  // namespace vxr::model
