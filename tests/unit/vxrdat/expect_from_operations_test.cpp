#include <gtest/gtest.h>

#include "derive.h"
#include "evaluate.h"
#include "operations/record_changes.h"
#include "lab_task.h"
#include "task_json.h"

namespace vxr::vxrdat {
namespace {

using model::MachineRecord;
using nlohmann::json;

MachineRecord lab() { return test::labRecord(); }

// The examiner does the task once: the record changes the trainer's own
// operations make, without the screens.
MachineRecord examinerRun(const MachineRecord& start) {
    platform::FixedClock clock(46365.5);
    model::TCOMPUTER machine = machineOf(start);
    model::OptionWords options;
    // Disk 1 to a new image D:\IMAGES\EXAM.VXI, compressed, with a password.
    model::OperationState state{.OpCode = model::kDiskToImage, .SourceDisk = 1, .ImageIndex = machine.AddImage(0, 6, "EXAM")};
    state.CompressionFactor = 0.5;
    state.ImagePassword = "PW";
    EXPECT_EQ(operations::ApplyOperation(machine, state, options, 0, clock), operations::ChangeResult::Applied);
    // C: restored from partition 1 of D:\IMAGES\CLEAN.VXI, grown to 20000 MB.
    state = {.OpCode = model::kPartitionFromImage, .TargetDisk = 1, .ImageIndex = 3, .SourcePartitions = 1,
             .TargetPartition = 1};
    state.targetSize(1) = 20000;
    EXPECT_EQ(operations::ApplyOperation(machine, state, options, 0, clock), operations::ChangeResult::Applied);
    return machine.record();
}

TEST(ExpectFromOperations, DescribesADiskImageAndAPartitionRestoreSoThatCheckPassesThem) {
    const MachineRecord start = lab();
    const MachineRecord result = examinerRun(start);
    auto list = nlohmann::ordered_json::array();
    for (const auto& e : deriveExpectations(start, result)) list.push_back(expectationToJson(e));
    // Through text and the task reader, as an examiner pastes it.
    const Task task = readTaskText(R"({"expect": )" + list.dump() + "}");
    ASSERT_EQ(task.expect.size(), 2u) << list.dump(1);
    EXPECT_EQ(task.expect[0].what, "image D:\\IMAGES\\EXAM.VXI made");
    const auto& image = std::get<ImageCondition>(task.expect[0].condition);
    EXPECT_EQ(image.compressed, true);
    EXPECT_EQ(image.password, "PW");
    EXPECT_EQ(image.partitions->size(), 2u);
    const auto& partition = std::get<PartitionCondition>(task.expect[1].condition);
    EXPECT_EQ(partition.partition, 1);
    EXPECT_EQ(partition.is.data, (Range{6200, 6200}));

    const model::TCOMPUTER before = machineOf(start), after = machineOf(result);
    for (const auto& e : task.expect) {
        EXPECT_TRUE(evaluate(e, before, after).passed) << describe(e) << ": " << evaluate(e, before, after).found;
        EXPECT_FALSE(evaluate(e, before, before).passed) << describe(e) << " passes on the untouched machine";
    }
}

TEST(ExpectFromOperations, NothingDoneGivesAnEmptyList) {
    EXPECT_TRUE(deriveExpectations(lab(), lab()).empty());
}

}  // namespace
}  // namespace vxr::vxrdat
