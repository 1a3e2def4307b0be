#pragma once
// Mapping of the DOS paths the trainer uses (C:\DATAS\VXR.DAT, A:\VXR.DAT,
// VXR.DAT) to host paths.
//
// Drive X: is the folder named by the environment variable VXR_DRIVE_X when
// it is set, else ${XDG_DATA_HOME:-~/.local/share}/vxr/drive_x. A path without
// a drive is relative to the current directory. Backslashes become slashes,
// and each path component that does not exist with its exact spelling is
// matched case-insensitively against the folder's entries, as DOS would.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vxr::platform {

using EnvLookup = std::function<std::optional<std::string>(const std::string& name)>;

// Reads the process environment.
std::optional<std::string> processEnv(const std::string& name);

// The host folder that stands for DOS drive `letter` (any case).
std::filesystem::path driveFolder(char letter, const EnvLookup& env = processEnv);

// The host path for a DOS path such as C:\DATAS\VXR.DAT or VXR.DAT.
std::filesystem::path hostPath(std::string_view dosPath, const EnvLookup& env = processEnv);

}  // namespace vxr::platform
