#pragma once
// Where copies of the trainer do not share one file system (the tabs of the
// web page each have their own), the record files are shared by hand: a
// copy takes the latest version another one offered before it reads or
// replaces a file, and offers its own after it replaced one. On the desktop
// the copies share the file system, and there is nothing to do.

#include <filesystem>

namespace vxr::platform {

#ifdef __EMSCRIPTEN__
void takeSharedVersion(const std::filesystem::path& file);
void offerSharedVersion(const std::filesystem::path& file);
#else
inline void takeSharedVersion(const std::filesystem::path&) {}
inline void offerSharedVersion(const std::filesystem::path&) {}
#endif

}  // namespace vxr::platform
