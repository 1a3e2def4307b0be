#pragma once
// What a confirmed operation does to the machine record: copies partitions,
// writes image entries, gives new partitions empty root directories and
// counts integrity checks. Saving and the progress screen come after.

#include "model/computer.h"
#include "model/operation_state.h"
#include "model/option_words.h"
#include "model/partition_types.h"
#include "platform/clock.h"

namespace vxr::operations {

enum class ChangeResult {
    Applied,
    NoImageEntry,    // an image operation without an image entry (dialog code 1)
    NotEnoughSpace,  // the image does not fit where its directory is (dialog code 120)
    NoSource,        // a partition copy with no source partition chosen
};

// Sizes at least this large turn into FAT32 partitions under the FAT32
// conversion option.
inline constexpr std::int32_t kFat32ConversionAbove = 256;
using model::kFat32Type;

// Applies operation `state.OpCode` to the record. The source disk is always
// on the local computer; destinations, images and their directories are on
// computer `peerMode`. Drive letters are not rebuilt here.
ChangeResult ApplyOperation(model::TCOMPUTER& machine, const model::OperationState& state,
                            const model::OptionWords& options, int peerMode, const platform::Clock& clock);

// `dataSize` MB compressed by `factor`, rounded to the nearest MB (halves to even).
std::int64_t CompressedSize(std::int64_t dataSize, double factor);

}  // namespace vxr::operations
