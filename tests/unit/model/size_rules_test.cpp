#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "machine_builder.h"
#include "model/size_rules.h"

namespace vxr::model {
namespace {

using test::addDisk;
using test::addPartition;

class SizeRulesTest : public ::testing::Test {
protected:
    SizeRules rules() { return SizeRules(machine, state, options); }
    MachineRecord& record() { return machine.record(); }

    TCOMPUTER machine;
    OperationState state;
    OptionWords options;
};

// A disk copy from local disk 1 to local disk 2: the target's capacity shared
// in proportion to the source partitions, each share then held to the rules.
struct DiskCopyCase {
    const char* name;
    int sourceCapacity;
    std::vector<std::array<int, 3>> partitions;  // type, size, data size
    int targetCapacity;
    bool fat32Conversion;
    int result;
    std::array<std::int32_t, 4> sizes;
};

// clang-format off
const DiskCopyCase kDiskCopyCases[] = {
    {"halves round to even, exactly filling the disk", 4000, {{7, 1000, 10}, {7, 3000, 10}}, 8000, false, 0,
     {2000, 6000, 0, 0}},
    // 333.33 - 0.5 = 332.83 -> 333; 666.67 - 0.5 = 666.17 -> 666
    {"below a half rounds to the nearest", 3000, {{131, 1000, 10}, {131, 2000, 10}}, 1000, false, -1,
     {333, 666, 0, 0}},
    {"FAT16 limit without the conversion", 4000, {{4, 3000, 10}, {6, 1000, 10}}, 4001, false, -954,
     {2047, 1000, 0, 0}},
    {"no FAT16 limit with the conversion", 4000, {{4, 3000, 10}, {6, 1000, 10}}, 4001, true, -1, {3000, 1000, 0, 0}},
    {"FAT32 limit, none for other types", 100000, {{12, 50000, 10}, {7, 50000, 10}}, 100000, true,
     kFat32Limit - 50000, {kFat32Limit, 50000, 0, 0}},
    {"sizes summing to 0 propose the data size", 5000, {{7, 0, 300}}, 5000, false, -4700, {300, 0, 0, 0}},
};
// clang-format on

TEST(DiskCopyProposal, SharesTheTargetInProportionWithinTheLimits) {
    for (const DiskCopyCase& row : kDiskCopyCases) {
        SCOPED_TRACE(row.name);
        TCOMPUTER machine;
        addDisk(machine.record(), 0, row.sourceCapacity);
        for (const auto& [type, size, data] : row.partitions) addPartition(machine.record(), 0, 1, type, size, data);
        addDisk(machine.record(), 0, row.targetCapacity);
        OperationState state{.OpCode = kDiskToDisk, .SourceDisk = 1, .TargetDisk = 2};
        state.TargetSizes = {9, 9, 9, 9};  // left over from an earlier proposal
        OptionWords options;
        options.setBox(2, 1, row.fat32Conversion);
        EXPECT_EQ(SizeRules(machine, state, options).DefaultTargetSizes(0), row.result);
        EXPECT_EQ(state.TargetSizes, row.sizes);
    }
}

TEST_F(SizeRulesTest, TypedSizesAreRaisedToTheDataSizeAndCutToTheFreeSpace) {
    addDisk(record(), 0, 10000);
    addPartition(record(), 0, 1, 7, 4000, 1500);
    addPartition(record(), 0, 1, 7, 6000, 2500);
    addDisk(record(), 0, 10000);
    state = {.OpCode = kDiskToDisk, .SourceDisk = 1, .TargetDisk = 2};
    state.TargetSizes = {100, 6000, 0, 0};
    EXPECT_EQ(rules().ApplySizeRules(0, 1), -2500);
    EXPECT_EQ(state.TargetSizes[0], 1500);
    state.TargetSizes[0] = -5;
    rules().ApplySizeRules(0, 1);
    EXPECT_EQ(state.TargetSizes[0], 1500);
    state.TargetSizes[0] = 9000;
    EXPECT_EQ(rules().ApplySizeRules(0, 1), 1);
    EXPECT_EQ(state.TargetSizes[0], 4000);
}

TEST_F(SizeRulesTest, CapacityCutMayEndBelowTheDataSize) {
    addDisk(record(), 0, 10000);
    addPartition(record(), 0, 1, 7, 4000, 3000);
    addDisk(record(), 0, 2000);
    state = {.OpCode = kDiskToDisk, .SourceDisk = 1, .TargetDisk = 2};
    state.TargetSizes = {0, 0, 0, 0};
    EXPECT_EQ(rules().ApplySizeRules(0, 1), 1);
    EXPECT_EQ(state.TargetSizes[0], 2000);
    EXPECT_FALSE(rules().NewSizesHoldData(0));
}

TEST_F(SizeRulesTest, PeerDiskCopyTakesTheSourceFromTheLocalComputer) {
    addDisk(record(), 0, 4000);
    addPartition(record(), 0, 1, 1, 4000, 1000);
    addDisk(record(), 1, 8000);  // the peer's disk 1 is the destination
    addPartition(record(), 1, 1, 7, 8000, 7000);
    state = {.OpCode = kDiskToDisk, .SourceDisk = 1, .TargetDisk = 1};
    rules().DefaultTargetSizes(1);
    EXPECT_EQ(state.TargetSizes[0], 2047);  // FAT16 source limit, not the peer's NTFS data size
}

TEST_F(SizeRulesTest, RestoreFromImageUsesTheImagesPartitions) {
    addDisk(record(), 0, 6000);
    ImageEntry image;
    image.directory = 1;
    image.partitionCount = 2;
    image.partitions[0] = {7, 0, 1000, 900};
    image.partitions[1] = {7, 0, 1000, 100};
    record().setImage(0, 5, image);
    state = {.OpCode = kDiskFromImage, .TargetDisk = 1, .ImageIndex = 5};
    EXPECT_EQ(rules().DefaultTargetSizes(0), 0);
    EXPECT_EQ(state.TargetSizes, (std::array<std::int32_t, 4>{3000, 3000, 0, 0}));
    EXPECT_TRUE(rules().NewSizesHoldData(0));
    state.TargetSizes = {800, 5200, 0, 0};  // typed below the first partition's 900 MB
    EXPECT_FALSE(rules().NewSizesHoldData(0));
}

TEST_F(SizeRulesTest, PartitionCopyProposesTheFreeSpaceForTheNewRow) {
    addDisk(record(), 0, 10000);
    addPartition(record(), 0, 1, 7, 3000, 1000);
    addPartition(record(), 0, 1, 6, 2500, 1000);
    state = {.OpCode = kPartitionToPartition, .TargetDisk = 1, .SourcePartCount = 3};
    EXPECT_EQ(rules().DefaultTargetSizes(0), 0);
    EXPECT_EQ(state.TargetSizes, (std::array<std::int32_t, 4>{3000, 2500, 4500, 0}));

    state.SourcePartCount = 2;  // a full disk: only the existing rows
    state.OpCode = kPartitionFromImage;
    EXPECT_EQ(rules().DefaultTargetSizes(0), 0);
    EXPECT_EQ(state.TargetSizes, (std::array<std::int32_t, 4>{3000, 2500, 0, 0}));
}

TEST_F(SizeRulesTest, OtherOperationsChangeNothing) {
    state = {.OpCode = kDiskToImage};
    state.TargetSizes = {1, 2, 3, 4};
    EXPECT_EQ(rules().DefaultTargetSizes(0), 0);
    EXPECT_EQ(state.TargetSizes, (std::array<std::int32_t, 4>{1, 2, 3, 4}));
}

TEST_F(SizeRulesTest, HugeSizesStayWithinInt32) {
    addDisk(record(), 0, 2000000000);
    addPartition(record(), 0, 1, 7, -1, 0);  // read as 4294967295
    addPartition(record(), 0, 1, 7, 1, 0);
    addDisk(record(), 0, 2147483647);
    state = {.OpCode = kDiskToDisk, .SourceDisk = 1, .TargetDisk = 2};
    rules().DefaultTargetSizes(0);
    EXPECT_GT(state.TargetSizes[0], 2147483000);
    EXPECT_EQ(state.TargetSizes[1], 0);
}

}  // namespace
}  // namespace vxr::model
