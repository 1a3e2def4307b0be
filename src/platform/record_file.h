#pragma once
// Fixed-size record access to a file: read the head of a file, and replace
// it whole. Reads and writes hold a whole-file lock (shared, exclusive), so
// a reader in another process never sees a write half done.
//
// A replacement writes a temporary file beside the target, syncs it,
// renames it over the target and syncs the folder, so a crash, a kill or a
// full disk leaves either the old file or the new one, never a mixture.
// Only where no temporary file can be made (a read-only folder holding a
// writable file) or the file has further hard links is it overwritten in
// place, then synced and checked for its full length.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>

#include <sys/types.h>

namespace vxr::platform {

// The failure of a file that exists but is no regular file (a FIFO, a
// device, a socket): such a file is refused before anything waits on it.
inline constexpr int kNotRegularFile = -1;
// A replacement that found the file's head no longer what the caller last
// read or wrote: another writer came in between, and the file is left alone.
inline constexpr int kFileChanged = -2;

// Why a record file could not be used: strerror's text, or a sentence for
// kNotRegularFile, kFileChanged and EIO (a file too short for a record).
std::string describeFileError(int error);

// Reads exactly out.size() bytes from the start of the file. Returns 0, or
// the errno of the failure (ENOENT for a missing file, EIO for a short one,
// kNotRegularFile, EISDIR for a directory).
int readFileHead(const std::filesystem::path& path, std::span<std::uint8_t> out);

struct ReplaceOptions {
    // Make the file when it is missing; otherwise a missing file is ENOENT
    // and stays missing.
    bool mayCreate = false;
    // Keep the bytes of a longer file after the new head.
    bool keepTail = true;
    // When not empty: the head the file must still have, else kFileChanged.
    std::span<const std::uint8_t> expectedHead;
};

// Replaces the first head.size() bytes of the file as described above.
// Returns 0, or the errno of the failure; a file that is no regular file is
// refused (kNotRegularFile) untouched. On any failure the file keeps its old
// content and no temporary file is left behind.
int replaceFileHead(const std::filesystem::path& path, std::span<const std::uint8_t> head,
                    const ReplaceOptions& options = {});

// The system calls a replacement writes through. Tests swap them to make
// any step fail (no temporary file, a short write, a failing sync or
// rename) without a real faulty disk; ScopedFileCalls puts them back.
struct FileCalls {
    std::function<int(char* pattern)> makeTemp;  // mkostemp-like: a descriptor or -1 with errno
    std::function<ssize_t(int fd, const void* data, std::size_t size, off_t offset)> write;
    std::function<int(int fd)> sync;
    std::function<int(const char* from, const char* to)> rename;
};
FileCalls& fileCalls();

class ScopedFileCalls {
public:
    ScopedFileCalls() : saved_(fileCalls()) {}
    ~ScopedFileCalls() { fileCalls() = saved_; }
    ScopedFileCalls(const ScopedFileCalls&) = delete;
    ScopedFileCalls& operator=(const ScopedFileCalls&) = delete;

private:
    FileCalls saved_;
};

}  // namespace vxr::platform
