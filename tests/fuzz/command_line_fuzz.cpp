// Parameters a candidate might type, on the lab example's record: the
// -CLONE parser, the switches, and the record change of a -CLONE that
// parses completely.

#include <fstream>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "cmdline/clone_parser.h"
#include "cmdline/switches.h"
#include "fuzz_entries.h"
#include "operations/record_changes.h"
#include "platform/clock.h"
#include "platform/text.h"
#include "task_json.h"

namespace vxr::fuzz {

const model::MachineRecord& labRecord() {
    static const model::MachineRecord record = [] {
        std::ifstream in(VXR_FUZZ_LAB_TASK);
        return vxrdat::recordFromJson(nlohmann::json::parse(in));
    }();
    return record;
}

void commandLine(std::span<const std::uint8_t> input) {
    static platform::FixedClock clock{45000.0};
    model::TCOMPUTER machine;
    machine.record() = labRecord();
    machine.BuildDriveLetters();
    model::OperationState state;
    model::OptionWords options;
    std::string errorToken;
    std::optional<cmdline::CloneParser> parser;
    bool cloned = false;
    const std::string text(input.begin(), input.end());
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string parameter = platform::asciiUpper(text.substr(start, end - start));
        start = end + 1;
        if (parameter.size() < 2) continue;
        const std::string rest = parameter.substr(1);
        if (rest.substr(0, rest.find(',')) == "CLONE") {
            parser.emplace(cmdline::CloneContext{machine, state, options, 0, errorToken});
            cloned = parser->ParseClone(rest.substr(5)) == layout::Msg::None;
        } else {
            (void)cmdline::ParseSwitch(rest, options, state, errorToken);
        }
    }
    if (cloned && parser->SizeDestination() == layout::Msg::None)
        (void)operations::ApplyOperation(machine, state, options, 0, clock);
}

}  // namespace vxr::fuzz
