#pragma once
// The state of the operation under way: what was chosen so far, the
// proposed destination partition sizes, and the image's name, password and
// compression.

#include <array>
#include <cstdint>
#include <string>

#include "model/record_layout.h"

namespace vxr::model {

// Operation codes that the size rules know.
enum OpCodes : int {
    kDiskToDisk = 11,
    kDiskToImage = 12,
    kDiskFromImage = 13,
    kPartitionToPartition = 21,
    kPartitionToImage = 22,
    kPartitionFromImage = 23,
    kCheckImage = 31,
    kCheckDisk = 32,
};

struct OperationState {
    int OpCode = 0;
    int SourceDisk = 0;
    int TargetDisk = 0;
    int ImageIndex = 0;
    // For partition to partition and partition from image: the rows of the
    // destination partition table (its partitions plus a free-space row).
    int SourcePartCount = 0;
    // Destination partition sizes in MB, entries for partitions 1..4.
    std::array<std::int32_t, bytes::kPartitions> TargetSizes{};
    // Partition copy and image: bit k-1 for source partition k; restore from
    // an image: the partition number inside the image.
    int SourcePartitions = 0;
    int TargetPartition = 0;
    // The data a partition made in free space will receive: the free-space
    // row shows it empty, but its size may not go below this.
    std::int32_t NewPartitionData = 0;
    // Where a file dialog looks: drive letter 1..16 (C..R) and directory.
    int LookInLetter = 0;
    int LookInDirectory = 0;
    std::string ImageFileName;  // as typed, upper case, trimmed
    bool OverwriteImage = false;
    double CompressionFactor = 1.0;
    std::string ImagePassword;

    std::int32_t& targetSize(int n) { return TargetSizes.at(static_cast<std::size_t>(n - 1)); }
};

}  // namespace vxr::model
