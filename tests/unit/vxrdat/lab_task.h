#pragma once
// The bundled lab task, which the record tool's tests use as a realistic machine.

#include <fstream>

#include <nlohmann/json.hpp>

#include "task_json.h"

namespace vxr::test {

inline nlohmann::json labTask() {
    std::ifstream in(VXR_EXAMPLES_SOURCE "/lab/task.json");
    return nlohmann::json::parse(in);
}

inline model::MachineRecord labRecord() { return vxrdat::recordFromJson(labTask()); }

}  // namespace vxr::test
