// A data file of any content: every query the screens, the command line and
// the record tool make must stay inside the record and terminate.

#include <algorithm>
#include <cstring>
#include <sstream>

#include "derive.h"
#include "evaluate.h"
#include "fuzz_entries.h"
#include "model/computer.h"
#include "model/scramble.h"
#include "model/size_rules.h"
#include "task_json.h"
#include "text_dump.h"

namespace vxr::fuzz {
namespace {

using model::bytes::kComputers;

// Reads the bytes after the record as the operation the size rules work on.
class Tail {
public:
    explicit Tail(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    int small(int limit) { return next() % (limit + 1); }
    std::int32_t size() {
        std::int32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value = static_cast<std::int32_t>((static_cast<std::uint32_t>(value) << 8) | next());
        return value;
    }

private:
    std::uint8_t next() { return at_ < bytes_.size() ? bytes_[at_++] : 0; }
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

void queryComputer(const model::TCOMPUTER& machine, int c) {
    for (int entry = 0; entry <= 17; ++entry) (void)machine.driveLetter(c, entry);
    for (int disk = 0; disk <= model::bytes::kDisks + 1; ++disk) {
        (void)machine.SumDataSize(c, disk);
        (void)machine.SumPartitionSize(c, disk);
        for (int p = 0; p <= model::bytes::kPartitions + 1; ++p) (void)machine.RootDirectory(c, disk, p);
    }
    for (int d = 0; d <= model::bytes::kDirectories + 1; ++d) {
        const std::string path = machine.DirectoryPath(c, d);
        (void)machine.ResolvePath(c, path);
        (void)machine.ResolvePath(c, path + "\\");
        const model::DirectoryEntry entry = machine.record().directory(c, std::clamp(d, 1, model::bytes::kDirectories));
        (void)machine.FindImage(c, d, entry.name);
    }
    for (int i = 0; i <= model::bytes::kImages + 1; ++i) {
        const std::string path = machine.ImagePath(c, i);
        (void)machine.ResolveImagePath(c, path);
        (void)machine.SumImagePartitionSize(c, i);
        (void)machine.SumImageDataSize(c, i);
    }
}

void applySizeRules(const model::TCOMPUTER& machine, Tail& tail) {
    model::OperationState state;
    model::OptionWords options;
    for (int t = 1; t <= model::bytes::kOptionWords; ++t) options.setWord(t, machine.record().optionWord(t));
    const int opCodes[] = {model::kDiskToDisk, model::kDiskFromImage, model::kPartitionToPartition,
                           model::kPartitionFromImage, 0};
    state.OpCode = opCodes[tail.small(4)];
    state.SourceDisk = tail.small(5);
    state.TargetDisk = tail.small(5);
    state.ImageIndex = tail.small(model::bytes::kImages + 1);
    state.SourcePartitions = tail.small(5);
    state.TargetPartition = tail.small(5);
    for (auto& size : state.TargetSizes) size = tail.size();
    const int computer = tail.small(1);
    model::SizeRules rules(machine, state, options);
    (void)rules.DefaultTargetSizes(computer);
    for (int n = 1; n <= model::bytes::kPartitions; ++n) (void)rules.ApplySizeRules(computer, n);
    (void)model::PartitionSizeLimit(tail.size(), options);
}

// What `vxrdat dump`, `expect` and `check` do with a candidate's file.
void inspectAsExaminer(const model::MachineRecord& record) {
    std::ostringstream text;
    vxrdat::printRecord(text, record);
    (void)vxrdat::recordWarnings(record);
    (void)vxrdat::recordToJson(record).dump();
    const model::MachineRecord& start = labRecord();
    const model::TCOMPUTER startMachine = vxrdat::machineOf(start);
    const model::TCOMPUTER result = vxrdat::machineOf(record);
    for (const vxrdat::Expectation& expectation : vxrdat::deriveExpectations(start, record)) {
        (void)vxrdat::evaluate(expectation, startMachine, result);
        (void)vxrdat::describe(expectation);
    }
}

// The record a data file of these bytes holds (a short one padded with zeros).
model::MachineRecord loadRecord(std::span<const std::uint8_t> input) {
    model::MachineRecord loaded;
    auto& bytes = loaded.bytes();
    std::copy_n(input.begin(), std::min(input.size(), bytes.size()), bytes.begin());
    model::descramble(bytes);
    return loaded;
}

}  // namespace

void recordFile(std::span<const std::uint8_t> input) {
    const model::MachineRecord loaded = loadRecord(input);
    const auto& bytes = loaded.bytes();
    model::TCOMPUTER machine;
    machine.record() = loaded;
    machine.BuildDriveLetters();
    for (int c = -1; c <= kComputers; ++c) queryComputer(machine, c);
    Tail tail(input.size() > bytes.size() ? input.subspan(bytes.size()) : std::span<const std::uint8_t>());
    applySizeRules(machine, tail);
}

void gradedRecord(std::span<const std::uint8_t> input) { inspectAsExaminer(loadRecord(input)); }

}  // namespace vxr::fuzz
