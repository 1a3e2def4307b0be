#pragma once
// Evaluating an expectation on a result record, against the start record.

#include <string>

#include "expectations.h"
#include "model/computer.h"

namespace vxr::vxrdat {

struct Outcome {
    bool passed = false;
    std::string found;  // for a failed item: what the result holds instead
};

// Both machines must have their drive letters built.
Outcome evaluate(const Expectation& expectation, const model::TCOMPUTER& start, const model::TCOMPUTER& result);

// False for an "unchanged" item naming a disk, partition or image that the
// start record does not hold (it would pass for every result); true otherwise.
bool namesWhatTheStartHolds(const Expectation& expectation, const model::TCOMPUTER& start);

// Whether an image's size is what its data gives with a factor in `factors`
// (each partition's share rounded to whole MB, plus one).
bool imageFitsFactors(const model::TCOMPUTER& machine, int computer, int image, const FactorRange& factors);

// The item's "what", or a description of its condition when it has none.
std::string describe(const Expectation& expectation);

// An image's path as conditions hold it ("D:\EXAM\SYSTEM.VXI"), and the
// image at such a path (0: none).
std::string imagePathOf(const model::TCOMPUTER& machine, int computer, int image);
int findImageByPath(const model::TCOMPUTER& machine, int computer, const std::string& path);

// A machine for a record, drive letters built.
model::TCOMPUTER machineOf(const model::MachineRecord& record);

}  // namespace vxr::vxrdat
