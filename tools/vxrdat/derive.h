#pragma once
// `vxrdat expect`: the expectations that describe what changed between a
// start record and the record an examiner left after doing the task once.

#include <vector>

#include "expectations.h"
#include "model/record.h"

namespace vxr::vxrdat {

// The start of the "what" of a guard item: an "unchanged" item for a disk,
// partition or image the job left alone, for the examiner to keep or trim.
inline constexpr const char* kGuardMark = "guard: ";

// New or rewritten images with their properties, new image checks, disks
// whose partitions changed (one item per partition when only one or two of
// a disk's partitions changed), new directories and changed option words.
// A partition whose data grew by just the images made on it gives no item.
// Paths are written with the start record's letters; guards come last.
std::vector<Expectation> deriveExpectations(const model::MachineRecord& start, const model::MachineRecord& result);

}  // namespace vxr::vxrdat
