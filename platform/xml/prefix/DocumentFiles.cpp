#include "platform/xml/prefix/DocumentFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>

#include "platform/failure/LastError.h"
#include "platform/failure/prefix/ErrnoErrors.h"

namespace windows::com::xml {

namespace {

int failed(int windowsError) {
    platform::setLastError(windowsError);
    return windowsError;
}
int failedWithErrno() { return failed(platform::windowsErrorOfErrno(errno)); }

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : _fd(fd) {}
    ~FileDescriptor() { release(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return _fd; }
    // Closes now; false (errno set) when the close fails.
    bool release() {
        if (_fd < 0) return true;
        const int result = ::close(_fd);
        _fd = -1;
        return result == 0;
    }

private:
    int _fd;
};

bool writeAll(int fd, const std::string& bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t result = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (result < 0 && errno == EINTR) continue;
        if (result <= 0) return false;
        written += static_cast<std::size_t>(result);
    }
    return true;
}

// A new, empty file next to path that no one else uses; -1 with errno set on failure.
int createTemporaryBeside(const std::string& path, std::string& temporary) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = path + "." + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

}  // namespace

int readDocumentFile(const std::string& path, std::string& bytes) {
    // Non-blocking open, so that a pipe without writer cannot hang the load.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0) return failedWithErrno();
    struct stat status {};
    if (::fstat(file.get(), &status) != 0) return failedWithErrno();
    if (!S_ISREG(status.st_mode)) return failed(platform::winerror::ACCESS_DENIED);
    bytes.clear();
    char buffer[65536];
    for (;;) {
        const ssize_t count = ::read(file.get(), buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) return failedWithErrno();
        if (count == 0) return platform::winerror::SUCCESS;
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
}

int writeDocumentFile(const std::string& path, const std::string& bytes) {
    std::string temporary;
    FileDescriptor file(createTemporaryBeside(path, temporary));
    if (file.get() < 0) return failedWithErrno();
    const bool written = writeAll(file.get(), bytes) && ::fsync(file.get()) == 0;
    const int writeErrno = errno;
    if (!written || !file.release() || ::rename(temporary.c_str(), path.c_str()) != 0) {
        const int cause = written ? errno : writeErrno;
        ::unlink(temporary.c_str());
        return failed(platform::windowsErrorOfErrno(cause));
    }
    return platform::winerror::SUCCESS;
}

}  // namespace windows::com::xml
