#pragma once
// The fuzzed entry points: each takes one input of its format and must
// neither crash, hang nor read outside its buffers, whatever the bytes. The
// libFuzzer programs (fuzz preset) and the normal suite's replay of the
// corpus and of every input that ever crashed call the same functions.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "model/record.h"

namespace vxr::fuzz {

// The lab example's start record, the fixed machine several targets work on.
const model::MachineRecord& labRecord();

using Entry = void (*)(std::span<const std::uint8_t> input);

// A scrambled data file: loaded as the trainer loads it, then every query,
// the drive letters and the size rules over it.
void recordFile(std::span<const std::uint8_t> input);
// A candidate's data file as the record tool sees it: dumped, compared with
// the lab example's start and graded by what changed.
void gradedRecord(std::span<const std::uint8_t> input);
// Parameters, one a line, of the command line on the lab example's record:
// -CLONE and the switches, and the record change of a complete -CLONE.
void commandLine(std::span<const std::uint8_t> input);
// A DOS path mapped to a host path under a scratch drive folder.
void dosPath(std::span<const std::uint8_t> input);
// An event script.
void eventScript(std::span<const std::uint8_t> input);
// A task description of vxrdat.
void taskJson(std::span<const std::uint8_t> input);

struct Target {
    std::string_view name;
    Entry entry;
};

inline constexpr Target kTargets[] = {
    {"record_file", recordFile}, {"graded_record", gradedRecord}, {"command_line", commandLine},
    {"dos_path", dosPath},       {"event_script", eventScript},   {"task_json", taskJson},
};

}  // namespace vxr::fuzz
