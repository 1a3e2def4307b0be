#include "data_file.h"

#include <cerrno>
#include <cstring>

#include "model/scramble.h"
#include "platform/record_file.h"

namespace vxr::vxrdat {
namespace {

// A pipe or device would block or swallow the record: only files are data files.
void refuseNonRegularFile(const std::filesystem::path& path) {
    std::error_code ec;
    if (std::filesystem::exists(path, ec) && !std::filesystem::is_regular_file(path, ec)) {
        throw ToolError(path.string() + ": not a regular file");
    }
}

}  // namespace

model::MachineRecord readDataFile(const std::filesystem::path& path) {
    model::MachineRecord record;
    std::error_code ec;
    refuseNonRegularFile(path);
    const int error = platform::readFileHead(path, record.bytes());
    if (error == EIO) {
        const auto size = std::filesystem::file_size(path, ec);
        throw ToolError(path.string() + ": too short for a machine record (" +
                        (ec ? std::string("?") : std::to_string(size)) + " bytes, " +
                        std::to_string(model::bytes::kRecordSize) + " needed)");
    }
    if (error != 0) throw ToolError(path.string() + ": cannot read: " + platform::describeFileError(error));
    model::descramble(record.bytes());
    return record;
}

void writeDataFile(const std::filesystem::path& path, model::MachineRecord record) {
    refuseNonRegularFile(path);
    record.setKeys(model::drawKeys(platform::systemRandom()));
    model::scramble(record.bytes());
    // Replaced whole under the trainer's lock: a reader sees the old file or
    // the new one, and a build that dies half way leaves the old one.
    const int error =
        platform::replaceFileHead(path, record.bytes(), {.mayCreate = true, .keepTail = false, .expectedHead = {}});
    if (error != 0) throw ToolError(path.string() + ": cannot write: " + platform::describeFileError(error));
}

}  // namespace vxr::vxrdat
