#pragma once
// Fixed-size record access to an existing file: read the head of a file and
// overwrite it in place. A file is never created here. Reads and writes hold
// a whole-file lock (shared, exclusive), so a reader in another process never
// sees a write half done.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace vxr::platform {

// The failure of a file that exists but is no regular file (a FIFO, a
// device, a socket): such a file is refused before anything waits on it.
inline constexpr int kNotRegularFile = -1;

// Why a record file could not be used: strerror's text, or "not a regular
// file" for kNotRegularFile, or "too short" for EIO.
std::string describeFileError(int error);

// Reads exactly out.size() bytes from the start of the file. Returns 0, or
// the errno of the failure (ENOENT for a missing file, EIO for a short one,
// kNotRegularFile, EISDIR for a directory).
int readFileHead(const std::filesystem::path& path, std::span<std::uint8_t> out);

// Overwrites the first data.size() bytes of an existing file, keeping any
// longer tail. Returns 0, or the errno of the failure; a missing file is
// ENOENT and stays missing, and a file that is no regular file is refused
// (kNotRegularFile) untouched.
int overwriteFileHead(const std::filesystem::path& path, std::span<const std::uint8_t> data);

}  // namespace vxr::platform
