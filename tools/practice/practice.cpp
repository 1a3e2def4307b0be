#include "practice.h"

#include <system_error>

#include "model/computer.h"

namespace vxr::practice {

namespace fs = std::filesystem;

namespace {

std::string question(const fs::path& dataFile) {
    return std::string("There is no data file ") + model::kPrimaryDataFile + " on your drive C:\n" + "(" +
           dataFile.string() + ").\n\nCopy the practice task there and start the trainer?";
}

Preparation failed(const fs::path& dataFile, std::string message) {
    return {Outcome::Failed, dataFile, std::move(message)};
}

}  // namespace

Preparation preparePracticeFile(const fs::path& bundled, const Ask& ask, const platform::EnvLookup& env) {
    const fs::path dataFile = platform::hostPath(model::kPrimaryDataFile, env);
    std::error_code error;
    if (fs::exists(dataFile, error)) return {Outcome::AlreadyThere, dataFile, {}};
    if (!fs::is_regular_file(bundled, error)) {
        return failed(dataFile, "The practice task " + bundled.string() + " is not installed.");
    }
    if (!ask(question(dataFile))) return {Outcome::Declined, dataFile, {}};
    fs::create_directories(dataFile.parent_path(), error);
    // copy_options::none refuses to overwrite a file that appeared meanwhile.
    if (!error) fs::copy_file(bundled, dataFile, fs::copy_options::none, error);
    if (error) return failed(dataFile, "Cannot copy the practice task to " + dataFile.string() + ": " + error.message());
    return {Outcome::Copied, dataFile, {}};
}

}  // namespace vxr::practice
