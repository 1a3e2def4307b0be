#pragma once
// The readable dump of a machine record, and the warnings about values a
// well-formed record never holds.

#include <ostream>
#include <string>
#include <vector>

#include "model/record.h"

namespace vxr::vxrdat {

void printRecord(std::ostream& out, const model::MachineRecord& record);

// One line per suspicious value, e.g. "local disk count 9 is above 4".
std::vector<std::string> recordWarnings(const model::MachineRecord& record);

}  // namespace vxr::vxrdat
