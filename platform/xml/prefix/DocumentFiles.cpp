#include "platform/xml/prefix/DocumentFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/failure/LastError.h"
#include "platform/failure/prefix/ErrnoErrors.h"
#include "platform/file/prefix/PosixHandles.h"

namespace windows::com::xml {

namespace {

int failed(int windowsError) {
    platform::setLastError(windowsError);
    return windowsError;
}
int failedWithErrno() { return failed(platform::windowsErrorOfErrno(errno)); }

}  // namespace

int readDocumentFile(const std::string& path, std::string& bytes) {
    // Non-blocking open, so that a pipe without writer cannot hang the load.
    platform::prefix::UniqueFd file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!file.valid()) return failedWithErrno();
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

}  // namespace windows::com::xml
