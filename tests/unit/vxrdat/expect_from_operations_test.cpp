#include <gtest/gtest.h>

#include <algorithm>

#include "derive.h"
#include "evaluate.h"
#include "lab_task.h"
#include "operations/record_changes.h"
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
    model::OperationState state{
        .OpCode = model::kDiskToImage, .SourceDisk = 1, .ImageIndex = machine.AddImage(0, 6, "EXAM")};
    state.CompressionFactor = 0.5;
    state.ImagePassword = "PW";
    EXPECT_EQ(operations::ApplyOperation(machine, state, options, 0, clock), operations::ChangeResult::Applied);
    // C: restored from partition 1 of D:\IMAGES\CLEAN.VXI, grown to 20000 MB.
    state = {.OpCode = model::kPartitionFromImage,
             .TargetDisk = 1,
             .ImageIndex = 3,
             .SourcePartitions = 1,
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
    nlohmann::json text = test::labTask();
    text["expect"] = nlohmann::json::parse(list.dump());
    Task task = readTaskText(text.dump());
    // The guards: what the job left alone; D: only gained the new image.
    const auto guards = std::stable_partition(task.expect.begin(), task.expect.end(),
                                              [](const Expectation& e) { return e.what.rfind(kGuardMark, 0) != 0; });
    std::vector<std::string> guarded;
    for (auto it = guards; it != task.expect.end(); ++it) guarded.push_back(it->what);
    EXPECT_EQ(guarded, (std::vector<std::string>{"guard: disk 1 partition 2 left alone", "guard: disk 2 left alone",
                                                 "guard: peer disk 1 left alone", "guard: peer disk 2 left alone"}));
    const model::TCOMPUTER before = machineOf(start), after = machineOf(result);
    for (auto it = guards; it != task.expect.end(); ++it) EXPECT_TRUE(evaluate(*it, before, after).passed) << it->what;
    task.expect.erase(guards, task.expect.end());
    ASSERT_EQ(task.expect.size(), 2u) << list.dump(1);
    EXPECT_EQ(task.expect[0].what, "image D:\\IMAGES\\EXAM.VXI made");
    const auto& image = std::get<ImageCondition>(task.expect[0].condition);
    EXPECT_EQ(image.compression, (FactorRange{0.5, 0.5}));
    EXPECT_EQ(image.password, "PW");
    EXPECT_EQ(image.partitions->size(), 2u);
    const auto& partition = std::get<PartitionCondition>(task.expect[1].condition);
    EXPECT_EQ(partition.partition, 1);
    EXPECT_EQ(partition.is.data, (Range{6200, 6200}));

    for (const auto& e : task.expect) {
        EXPECT_TRUE(evaluate(e, before, after).passed) << describe(e) << ": " << evaluate(e, before, after).found;
        EXPECT_FALSE(evaluate(e, before, before).passed) << describe(e) << " passes on the untouched machine";
    }
}

TEST(ExpectFromOperations, NothingDoneGivesOnlyGuards) {
    for (const auto& e : deriveExpectations(lab(), lab())) {
        EXPECT_EQ(e.what.rfind(kGuardMark, 0), 0u) << e.what;
        EXPECT_TRUE(std::holds_alternative<UnchangedCondition>(e.condition)) << e.what;
    }
}

}  // namespace
}  // namespace vxr::vxrdat
