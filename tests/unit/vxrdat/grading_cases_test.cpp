// Grading cases: one small machine, results that jobs leave on it, and what
// each item must say about them. No false pass, no false fail.

#include <gtest/gtest.h>

#include "derive.h"
#include "evaluate.h"
#include "expectations.h"
#include "task_json.h"

namespace vxr::vxrdat {
namespace {

using model::MachineRecord;

// C: 1:1 (WINDOWS), D: 1:2 (BACKUP), free space on disk 1; E: 2:1 holding
// IMAGES\KEEP.VXI; an empty disk 3.
constexpr const char* kMachine = R"({"computers": {"local": {
  "disks": [
    {"capacity": 60000, "kind": 1, "partitions": [{"type": 7, "size": 20000, "data": 8000},
                                                 {"type": 11, "size": 20000, "data": 5000}]},
    {"capacity": 30000, "kind": 1, "partitions": [{"type": 7, "size": 30000, "data": 3100}]},
    {"capacity": 40000, "kind": 1}],
  "directories": [
    {"slot": 1, "disk": 1, "partition": 1, "parent": 0}, {"slot": 2, "disk": 1, "partition": 2, "parent": 0},
    {"slot": 3, "disk": 2, "partition": 1, "parent": 0}, {"slot": 4, "disk": 1, "partition": 1, "parent": 1, "name": "WINDOWS"},
    {"slot": 5, "disk": 1, "partition": 2, "parent": 2, "name": "BACKUP"},
    {"slot": 6, "disk": 2, "partition": 1, "parent": 3, "name": "IMAGES"}],
  "images": [{"slot": 1, "directory": 6, "name": "KEEP", "size": 3000,
              "partitions": [{"type": 7, "size": 20000, "data": 8000}]}]}}})";

void growData(MachineRecord& r, int disk, int partition, int mb) {
    model::DiskEntry d = r.disk(0, disk);
    d.partitions[static_cast<std::size_t>(partition - 1)].dataSize += mb;
    r.setDisk(0, disk, d);
}

// An image of D: made with "fast" compression (5000 MB of data), stored in `directory`.
void storeImage(MachineRecord& r, int slot, int directory, const char* name, int disk, int partition) {
    model::ImageEntry image{
        .directory = static_cast<std::uint16_t>(directory), .size = 2501, .name = name, .partitionCount = 1};
    image.partitions[0] = {11, 0, 20000, 5000};
    r.setImage(0, slot, image);
    growData(r, disk, partition, image.size);
}

// Partition 3 of disk 1 made in the free space: disk 2 moves from E: to F:.
void addPartition(MachineRecord& r) {
    model::DiskEntry d = r.disk(0, 1);
    d.partitionCount = 3;
    d.partitions[2] = {7, 0, 10000, 0};
    r.setDisk(0, 1, d);
    r.setDirectory(0, 7, {1, 3, 0, "", 0.0});
}

using Job = void (*)(MachineRecord&);

const Job kNothing = [](MachineRecord&) {};
// A restore over C: that leaves its entry as it was but not its directories.
const Job kRestoreOverC = [](MachineRecord& r) { r.setDirectory(0, 4, {}); };
const Job kImageOnE = [](MachineRecord& r) { storeImage(r, 2, 6, "NEW", 2, 1); };
const Job kImageCheck = [](MachineRecord& r) {
    model::ImageEntry keep = r.image(0, 1);
    ++keep.checkCount;
    r.setImage(0, 1, keep);
};
const Job kDiskCheck = [](MachineRecord& r) {
    model::DiskEntry d = r.disk(0, 2);
    ++d.checkCount;
    r.setDisk(0, 2, d);
};
const Job kKeepRewritten = [](MachineRecord& r) {
    model::ImageEntry keep = r.image(0, 1);
    keep.size = 8001;
    r.setImage(0, 1, keep);
};
const Job kPartitionAdded = addPartition;
const Job kImageOnNewPartition = [](MachineRecord& r) {
    addPartition(r);
    storeImage(r, 2, 7, "NEW2", 1, 3);
};

struct GradingCase {
    const char* item;
    Job job;
    bool passes;
};

void PrintTo(const GradingCase& c, std::ostream* out) { *out << c.item; }

class Grading : public ::testing::TestWithParam<GradingCase> {};

TEST_P(Grading, NoFalsePassNoFalseFail) {
    const std::string text =
        std::string(kMachine).substr(0, std::string(kMachine).size() - 1) + R"(, "expect": [)" + GetParam().item + "]}";
    const Task task = readTaskText(text);
    MachineRecord result = task.start;
    GetParam().job(result);
    const Outcome outcome = evaluate(task.expect.at(0), machineOf(task.start), machineOf(result));
    EXPECT_EQ(outcome.passed, GetParam().passes) << outcome.found;
    EXPECT_EQ(outcome.found.empty(), GetParam().passes) << "a failed item says what was found";
}

INSTANTIATE_TEST_SUITE_P(
    Vxrdat, Grading,
    ::testing::Values(
        // unchanged means unchanged: the directories and images on a part count
        GradingCase{R"({"unchanged": {"disk": 1}})", kNothing, true},
        GradingCase{R"({"unchanged": {"disk": 1, "partition": 1}})", kRestoreOverC, false},
        GradingCase{R"({"unchanged": {"disk": 1}})", kRestoreOverC, false},
        GradingCase{R"({"unchanged": {"disk": 1, "partition": 2}})", kRestoreOverC, true},
        GradingCase{R"({"directory": {"path": "C:\\WINDOWS"}})", kRestoreOverC, false},
        GradingCase{R"({"unchanged": {"image": "E:\\IMAGES\\KEEP.VXI"}})", kKeepRewritten, false},
        GradingCase{R"({"unchanged": {"disk": 2}})", kKeepRewritten, false},
        // paths name places: the letters of the start record
        GradingCase{R"({"image": {"path": "E:\\IMAGES\\KEEP.VXI"}})", kPartitionAdded, true},
        GradingCase{R"({"unchanged": {"image": "E:\\IMAGES\\KEEP.VXI"}})", kPartitionAdded, true},
        GradingCase{R"({"directory": {"path": "2:1\\IMAGES"}})", kPartitionAdded, true},
        GradingCase{R"({"unchanged": {"disk": 2}})", kPartitionAdded, true},
        GradingCase{R"({"unchanged": {"disk": 1}})", kPartitionAdded, false},
        GradingCase{R"({"image": {"path": "1:3\\NEW2.VXI", "compression": "fast"}})", kImageOnNewPartition, true},
        GradingCase{R"({"image": {"path": "E:\\NEW2.VXI"}})", kImageOnNewPartition, false},
        GradingCase{R"({"directory": {"path": "1:3\\"}})", kNothing, false},
        // harmless jobs stay harmless; additions are allowed unless "same"
        GradingCase{R"({"unchanged": {"image": "E:\\IMAGES\\KEEP.VXI"}})", kImageCheck, true},
        GradingCase{R"({"unchanged": {"disk": 2}})", kImageCheck, true},
        GradingCase{R"({"unchanged": {"disk": 2}})", kDiskCheck, true},
        GradingCase{R"({"unchanged": {"disk": 2}})", kImageOnE, true},
        GradingCase{R"({"unchanged": {"disk": 2, "partition": 1, "images": "same"}})", kImageOnE, false},
        GradingCase{R"({"unchanged": {"disk": 2, "images": "same"}})", kImageCheck, true},
        // compression by level: 2501 MB for 5000 MB of data is "fast"
        GradingCase{R"({"image": {"path": "E:\\IMAGES\\NEW.VXI", "compression": "fast"}})", kImageOnE, true},
        GradingCase{R"({"image": {"path": "E:\\IMAGES\\NEW.VXI", "compression": "high"}})", kImageOnE, false},
        GradingCase{R"({"image": {"path": "E:\\IMAGES\\NEW.VXI", "compression": "none"}})", kImageOnE, false},
        GradingCase{R"({"image": {"path": "E:\\IMAGES\\NEW.VXI", "compression": [0.45, 0.55]}})", kImageOnE, true},
        GradingCase{R"({"image": {"path": "E:\\IMAGES\\KEEP.VXI", "compression": "none"}})", kNothing, false}));

// A partition added to disk 1 moves IMAGES from E: to F:; `expect` names
// the new partition, not the directory and image that only changed letter.
TEST(ExpectAfterLettersMoved, NamesOnlyWhatChanged) {
    const MachineRecord start = recordFromJson(parseTaskText(kMachine));
    MachineRecord result = start;
    kImageOnNewPartition(result);
    std::vector<std::string> changes;
    for (const auto& e : deriveExpectations(start, result)) {
        if (e.what.rfind(kGuardMark, 0) != 0) changes.push_back(e.what);
    }
    EXPECT_EQ(changes, (std::vector<std::string>{"image 1:3\\NEW2.VXI made", "disk 1 partitions"}));
}

}  // namespace
}  // namespace vxr::vxrdat
