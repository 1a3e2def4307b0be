#pragma once
// The JSON form of a machine record, shared by `dump --json`, `build` and
// `diff`. Every interpreted field has a name; whatever the fields do not
// reproduce (not-interpreted bytes, bytes beyond a name's length) is kept in
// "raw" as hex runs by file offset, so that building a dump gives the same
// record. Fields left out are zero.

#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "json_reading.h"
#include "model/computer.h"
#include "model/record.h"

namespace vxr::vxrdat {

// The record as JSON; with `withRaw` the "raw" runs are added.
nlohmann::json recordToJson(const model::MachineRecord& record, bool withRaw = true);

// The JSON of a task file's text; throws SchemaError (path "(top)") for text
// that is not JSON, numbers beyond the double range included.
nlohmann::json parseTaskText(std::string_view text);

// The record a JSON description stands for; throws SchemaError.
model::MachineRecord recordFromJson(const nlohmann::json& task);

// Parts of the JSON form, for tools that describe single entries.
nlohmann::json textToJson(const std::string& text);  // a record text as text, or {"hex": its bytes}
nlohmann::json partitionToJson(const model::PartitionEntry& partition);
nlohmann::json diskToJson(const model::DiskEntry& disk);
nlohmann::json imageToJson(const model::TCOMPUTER& machine, int computer, int slot);

// Names of the computer blocks in the JSON form: "local" and "peer".
const char* computerName(int computer);
int computerIndex(const std::string& name);  // -1 for any other name

}  // namespace vxr::vxrdat
