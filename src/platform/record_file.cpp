#include "platform/record_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/shared_files.h"

namespace vxr::platform {

namespace {

class FileDescriptor {
public:
    FileDescriptor() = default;
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    void reset(int fd) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }
    // Closes now and reports the close error: a write may only fail here.
    int close() {
        int result = ::close(fd_) == 0 ? 0 : errno;
        fd_ = -1;
        return result;
    }

private:
    int fd_ = -1;
};

// Two running copies share the data file: a reader takes the lock shared and
// a writer exclusive, so a record is never read while it is half written.
int lockWhole(int fd, int mode) {
    while (::flock(fd, mode) != 0) {
        if (errno != EINTR) return errno;
    }
    return 0;
}

// Opens without blocking (a FIFO would wait for a writer) and accepts only
// a regular file; the descriptor then blocks again as usual. Returns 0 or
// the failure.
int openRegular(const std::filesystem::path& path, int flags, FileDescriptor& file) {
    file.reset(::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0) return errno;
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) return errno;
    if (S_ISDIR(info.st_mode)) return EISDIR;
    if (!S_ISREG(info.st_mode)) return kNotRegularFile;
    if (::fcntl(file.get(), F_SETFL, flags) != 0) return errno;
    return 0;
}

constexpr int kOpenAttempts = 100;

int retryOnInterrupt(const std::function<int()>& call) {
    int result = 0;
    while ((result = call()) != 0 && errno == EINTR) {}
    return result == 0 ? 0 : errno;
}

// Writes all of `data` at `offset`; a write that makes no progress is a
// failure, never a silently short file.
int writeAll(int fd, std::span<const std::uint8_t> data, off_t offset) {
    std::size_t done = 0;
    while (done < data.size()) {
        errno = 0;
        const ssize_t put =
            fileCalls().write(fd, data.data() + done, data.size() - done, offset + static_cast<off_t>(done));
        if (put < 0 && errno == EINTR) continue;
        if (put < 0) return errno;
        if (put == 0) return ENOSPC;
        done += static_cast<std::size_t>(put);
    }
    return 0;
}

int syncFile(int fd) {
    return retryOnInterrupt([fd] { return fileCalls().sync(fd); });
}

// Everything of the file from `offset` to its end.
int readFrom(int fd, off_t offset, std::vector<std::uint8_t>& out) {
    std::uint8_t buffer[4096];
    for (;;) {
        const ssize_t got = ::pread(fd, buffer, sizeof buffer, offset);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return errno;
        if (got == 0) return 0;
        out.insert(out.end(), buffer, buffer + got);
        offset += got;
    }
}

bool sameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// Opens and locks the file that is at `path` now. A writer that renamed a
// new file over it while we waited for the lock left us holding the old
// one, so look again until the locked file is the named one.
int openLockedCurrent(const std::filesystem::path& path, FileDescriptor& file, struct stat& info) {
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        if (const int error = openRegular(path, O_RDWR, file); error != 0) return error;
        if (const int locked = lockWhole(file.get(), LOCK_EX); locked != 0) return locked;
        struct stat named {};
        if (::fstat(file.get(), &info) != 0) return errno;
        if (::stat(path.c_str(), &named) == 0 && sameFile(info, named)) return 0;
    }
    return EAGAIN;
}

int headDiffers(int fd, std::span<const std::uint8_t> expected, bool& differs) {
    std::vector<std::uint8_t> current;
    if (const int error = readFrom(fd, 0, current); error != 0) return error;
    differs = current.size() < expected.size() || !std::equal(expected.begin(), expected.end(), current.begin());
    return 0;
}

int syncFolder(const std::filesystem::path& folder) {
    FileDescriptor dir;
    dir.reset(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() < 0) return errno;
    const int error = syncFile(dir.get());
    return error == EINVAL ? 0 : error;  // some file systems cannot sync a folder
}

mode_t creationMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// What the replacement file must look like besides its bytes.
struct Replacing {
    std::filesystem::path target;
    bool exists = false;
    struct stat info {};
};

// Writes `bytes` to a new file beside the target and renames it over the
// target. `madeTemp` tells whether a temporary file could be made at all.
int replaceByRename(const Replacing& file, std::span<const std::uint8_t> bytes, bool& madeTemp) {
    const std::filesystem::path folder = file.target.parent_path().empty() ? "." : file.target.parent_path();
    std::string temp = (folder / ("." + file.target.filename().string() + ".XXXXXX")).string();
    FileDescriptor out;
    out.reset(fileCalls().makeTemp(temp.data()));
    madeTemp = out.get() >= 0;
    if (!madeTemp) return errno;
    int error = ::fchmod(out.get(), file.exists ? file.info.st_mode & 07777 : creationMode()) == 0 ? 0 : errno;
    // Keep the owner where we may; a file we cannot give away stays ours.
    if (file.exists && (file.info.st_uid != ::geteuid() || file.info.st_gid != ::getegid())) {
        (void)::fchown(out.get(), file.info.st_uid, file.info.st_gid);
    }
    if (error == 0) error = writeAll(out.get(), bytes, 0);
    if (error == 0) error = syncFile(out.get());
    if (error == 0) error = out.close();
    if (error == 0) error = retryOnInterrupt([&] { return fileCalls().rename(temp.c_str(), file.target.c_str()); });
    if (error != 0) {
        ::unlink(temp.c_str());
        return error;
    }
    return syncFolder(folder);
}

int replaceInPlace(int fd, std::span<const std::uint8_t> bytes, bool truncate) {
    if (const int error = writeAll(fd, bytes, 0); error != 0) return error;
    if (truncate && ::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) return errno;
    return syncFile(fd);
}

// A symbolic link stays a link: the file it points to is replaced.
std::filesystem::path resolvedTarget(const std::filesystem::path& path) {
    std::error_code ec;
    const std::filesystem::path real = std::filesystem::canonical(path, ec);
    return ec ? path : real;
}

}  // namespace

FileCalls& fileCalls() {
    static FileCalls calls{
        [](char* pattern) { return ::mkostemp(pattern, O_CLOEXEC); },
        [](int fd, const void* data, std::size_t size, off_t offset) { return ::pwrite(fd, data, size, offset); },
        [](int fd) { return ::fsync(fd); },
        [](const char* from, const char* to) { return ::rename(from, to); },
    };
    return calls;
}

std::string describeFileError(int error) {
    if (error == kNotRegularFile) return "not a regular file";
    if (error == kFileChanged) return "changed by another copy since this one read it";
    if (error == EIO) return "too short for a record";
    return std::strerror(error);
}

int readFileHead(const std::filesystem::path& path, std::span<std::uint8_t> out) {
    takeSharedVersion(path);
    FileDescriptor file;
    if (const int error = openRegular(path, O_RDONLY, file); error != 0) return error;
    if (const int locked = lockWhole(file.get(), LOCK_SH); locked != 0) return locked;
    size_t done = 0;
    while (done < out.size()) {
        ssize_t got = ::pread(file.get(), out.data() + done, out.size() - done, static_cast<off_t>(done));
        if (got < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (got == 0) return EIO;  // shorter than one record
        done += static_cast<size_t>(got);
    }
    return 0;
}

namespace {

int replaceHead(const std::filesystem::path& path, std::span<const std::uint8_t> head, const ReplaceOptions& options) {
    Replacing file{resolvedTarget(path)};
    FileDescriptor locked;  // the old file, held locked until it is replaced
    int error = openLockedCurrent(file.target, locked, file.info);
    file.exists = error == 0;
    if (error == ENOENT && options.mayCreate && options.expectedHead.empty()) {
        bool madeTemp = false;
        return replaceByRename(file, head, madeTemp);
    }
    if (error != 0) return error;

    if (!options.expectedHead.empty()) {
        bool differs = false;
        if ((error = headDiffers(locked.get(), options.expectedHead, differs)) != 0) return error;
        if (differs) return kFileChanged;
    }
    std::vector<std::uint8_t> bytes(head.begin(), head.end());
    if (options.keepTail && (error = readFrom(locked.get(), static_cast<off_t>(head.size()), bytes)) != 0) return error;

    // A second name of the file would keep the old content after a rename.
    bool madeTemp = false;
    if (file.info.st_nlink <= 1) {
        error = replaceByRename(file, bytes, madeTemp);
        if (madeTemp) return error;
    }
    return replaceInPlace(locked.get(), head, !options.keepTail);
}

}  // namespace

int replaceFileHead(const std::filesystem::path& path, std::span<const std::uint8_t> head,
                    const ReplaceOptions& options) {
    takeSharedVersion(path);
    const int error = replaceHead(path, head, options);
    if (error == 0) offerSharedVersion(path);
    return error;
}

}  // namespace vxr::platform
