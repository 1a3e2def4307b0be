#include "platform/record_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

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

}  // namespace

std::string describeFileError(int error) {
    if (error == kNotRegularFile) return "not a regular file";
    if (error == EIO) return "too short for a record";
    return std::strerror(error);
}

int readFileHead(const std::filesystem::path& path, std::span<std::uint8_t> out) {
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

int overwriteFileHead(const std::filesystem::path& path, std::span<const std::uint8_t> data) {
    FileDescriptor file;
    if (const int error = openRegular(path, O_RDWR, file); error != 0) return error;
    if (const int locked = lockWhole(file.get(), LOCK_EX); locked != 0) return locked;
    size_t done = 0;
    while (done < data.size()) {
        ssize_t put = ::pwrite(file.get(), data.data() + done, data.size() - done, static_cast<off_t>(done));
        if (put < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        done += static_cast<size_t>(put);
    }
    return file.close();
}

}  // namespace vxr::platform
