#pragma once
// Fixed-size record access to an existing file: read the head of a file and
// overwrite it in place. A file is never created here. Reads and writes hold
// a whole-file lock (shared, exclusive), so a reader in another process never
// sees a write half done.

#include <cstdint>
#include <filesystem>
#include <span>

namespace vxr::platform {

// Reads exactly out.size() bytes from the start of the file. Returns 0, or
// the errno of the failure (ENOENT for a missing file, EIO for a short one).
int readFileHead(const std::filesystem::path& path, std::span<std::uint8_t> out);

// Overwrites the first data.size() bytes of an existing file, keeping any
// longer tail. Returns 0, or the errno of the failure; a missing file is
// ENOENT and stays missing.
int overwriteFileHead(const std::filesystem::path& path, std::span<const std::uint8_t> data);

}  // namespace vxr::platform
