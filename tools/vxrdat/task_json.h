#pragma once
// The JSON form of a machine record, shared by `dump --json`, `build` and
// `diff`. Every interpreted field has a name; whatever the fields do not
// reproduce (not-interpreted bytes, bytes beyond a name's length) is kept in
// "raw" as hex runs by file offset, so that building a dump gives the same
// record. Fields left out are zero.

#include <stdexcept>
#include <string>

#include <nlohmann/json.hpp>

#include "model/record.h"

namespace vxr::vxrdat {

// A JSON description that does not fit the schema; path() names the place,
// for example "computers.local.disks[1].partitions[0].size".
class SchemaError : public std::runtime_error {
public:
    SchemaError(const std::string& path, const std::string& what)
        : std::runtime_error(path + ": " + what), path_(path) {}
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// The record as JSON; with `withRaw` the "raw" runs are added.
nlohmann::json recordToJson(const model::MachineRecord& record, bool withRaw = true);

// The record a JSON description stands for; throws SchemaError.
model::MachineRecord recordFromJson(const nlohmann::json& task);

// Names of the computer blocks in the JSON form: "local" and "peer".
const char* computerName(int computer);

}  // namespace vxr::vxrdat
