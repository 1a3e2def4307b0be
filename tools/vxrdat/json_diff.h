#pragma once
// Field-by-field differences between two JSON descriptions of records.

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace vxr::vxrdat {

// One line per difference: "path: old -> new", "path: added value" or
// "path: removed value". Lists of entries that carry a "slot" are matched by
// slot, other lists by position.
std::vector<std::string> jsonDifferences(const nlohmann::json& before, const nlohmann::json& after);

}  // namespace vxr::vxrdat
