// Text inputs: DOS paths, event scripts and task descriptions.

#include <filesystem>
#include <string>

#include "evaluate.h"
#include "expectations.h"
#include "fuzz_entries.h"
#include "platform/dos_path.h"
#include "platform/event_script.h"
#include "task_json.h"

namespace vxr::fuzz {
namespace {

std::string_view asText(std::span<const std::uint8_t> input) {
    return {reinterpret_cast<const char*>(input.data()), input.size()};
}

// Drive folders under one scratch folder with a little tree, so that the
// case-insensitive matching has something to compare with.
const std::filesystem::path& scratchDrives() {
    static const std::filesystem::path root = [] {
        const auto path = std::filesystem::temp_directory_path() / "vxr_fuzz_drives";
        std::filesystem::create_directories(path / "c" / "DATAS" / "Sub");
        std::filesystem::create_directories(path / "a");
        return path;
    }();
    return root;
}

}  // namespace

void dosPath(std::span<const std::uint8_t> input) {
    const platform::EnvLookup env = [](const std::string& name) -> std::optional<std::string> {
        if (name.size() == 11 && name.starts_with("VXR_DRIVE_")) {
            const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(name.back())));
            if (letter == 'c' || letter == 'a') return (scratchDrives() / std::string(1, letter)).string();
            return std::nullopt;
        }
        if (name == "XDG_DATA_HOME") return (scratchDrives() / "xdg").string();
        return std::nullopt;
    };
    (void)platform::hostPath(asText(input), env);
}

void eventScript(std::span<const std::uint8_t> input) {
    try {
        (void)platform::EventScript::parse(asText(input), "fuzz.vxs");
    } catch (const platform::ScriptError&) {
        // a mistake reported with its line: the expected outcome
    }
}

void taskJson(std::span<const std::uint8_t> input) {
    vxrdat::Task task;
    try {
        task = vxrdat::readTaskText(asText(input));
    } catch (const vxrdat::SchemaError&) {
        return;  // a place in the description named: the expected outcome
    }
    // What `vxrdat check` does with the task, its own start record standing
    // in for a candidate's result, and `vxrdat dump --json` of the start.
    const model::TCOMPUTER start = vxrdat::machineOf(task.start);
    for (const vxrdat::Expectation& expectation : task.expect) {
        (void)vxrdat::evaluate(expectation, start, start);
        (void)vxrdat::describe(expectation);
        (void)vxrdat::expectationToJson(expectation);
    }
    (void)vxrdat::recordToJson(task.start).dump();
}

}  // namespace vxr::fuzz
