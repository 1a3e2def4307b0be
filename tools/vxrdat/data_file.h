#pragma once
// Reading and writing scrambled data files for the record tool. Unlike the
// trainer, the tool may create a data file.

#include <filesystem>
#include <stdexcept>
#include <string>

#include "model/record.h"

namespace vxr::vxrdat {

class ToolError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The plain record of a data file; throws ToolError for a missing or short file.
model::MachineRecord readDataFile(const std::filesystem::path& path);

// Writes the record scrambled with fresh keys, creating the file if needed.
void writeDataFile(const std::filesystem::path& path, model::MachineRecord record);

}  // namespace vxr::vxrdat
