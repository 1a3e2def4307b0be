#pragma once
// A prefix for the names of events that belong to one file, so that only
// processes working on that file meet through them.

#include <filesystem>
#include <string>

namespace vxr::platform {

// Derived from the file's real path: two spellings of one file (a link, a
// relative path, "..") give one scope, and two files never share one.
std::string eventScopeOf(const std::filesystem::path& file);

}  // namespace vxr::platform
