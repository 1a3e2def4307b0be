#pragma once
// The practice launcher's one decision: whether the user's drive C: holds
// the data file the trainer reads first, and if not, copying the bundled
// practice task there once the person agrees. The trainer itself never
// creates a data file; this is the only place one is made for it.

#include <filesystem>
#include <functional>
#include <string>

#include "platform/dos_path.h"

namespace vxr::practice {

enum class Outcome {
    AlreadyThere,  // the data file exists; nothing was asked or copied
    Copied,        // the person agreed and the bundled task was copied
    Declined,      // the person said no; nothing was copied
    Failed,        // the bundled task is missing or the copy failed (see message)
};

struct Preparation {
    Outcome outcome;
    std::filesystem::path dataFile;  // the host path of C:\DATAS\VXR.DAT
    std::string message;             // why it failed
};

// Returns true when the person agrees to the copy described by the text.
using Ask = std::function<bool(const std::string& question)>;

// Makes sure C:\DATAS\VXR.DAT exists for the trainer, asking before it
// copies `bundled` there. An existing file is never overwritten.
Preparation preparePracticeFile(const std::filesystem::path& bundled, const Ask& ask,
                                const platform::EnvLookup& env = platform::processEnv);

}  // namespace vxr::practice
