// Linux only: replacing a file's content through a temporary file and rename.
#include "platform/file/prefix/PrefixFileReplacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>
#include <vector>

#include "platform/failure/LastError.h"
#include "platform/failure/prefix/ErrnoErrors.h"
#include "platform/file/prefix/StreamFailure.h"

namespace platform::prefix {

namespace {

constexpr int MAX_LINKS_FOLLOWED = 40;

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The Windows code of a failed write: a file that grows past what the process
// may write has run out of room just as a full disk has.
int writeError(int errnoValue) {
    return errnoValue == EFBIG ? platform::winerror::DISK_FULL : platform::windowsErrorOfErrno(errnoValue);
}

// Follows links from path to the entry they end at; exists tells whether that
// entry is there (info is its lstat). False with errno set.
bool followLinks(std::string path, std::string& target, bool& exists, struct stat& info) {
    for (int followed = 0; followed <= MAX_LINKS_FOLLOWED; ++followed) {
        if (::lstat(path.c_str(), &info) != 0) {
            if (errno != ENOENT) return false;
            exists = false;
            target = path;
            return true;
        }
        if (!S_ISLNK(info.st_mode)) {
            exists = true;
            target = path;
            return true;
        }
        std::vector<char> link(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 255) + 1);
        const ssize_t length = ::readlink(path.c_str(), link.data(), link.size());
        if (length < 0) return false;
        if (static_cast<std::size_t>(length) >= link.size()) {  // grew meanwhile: read it again
            --followed;
            continue;
        }
        const std::string next(link.data(), static_cast<std::size_t>(length));
        path = !next.empty() && next[0] == '/' ? next : folderOf(path) + "/" + next;
    }
    errno = ELOOP;
    return false;
}

UniqueFd createTemporary(const std::string& target, std::string& temporary) {
    std::random_device random;
    for (int attempt = 0; attempt < 16; ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "%08x", static_cast<unsigned>(random()));
        temporary = folderOf(target) + "/." + nameOf(target) + "." + suffix + ".tmp";
        UniqueFd fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (fd.valid() || errno != EEXIST) return fd;
    }
    return UniqueFd();
}

void syncFolder(const std::string& folder) {
    UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid()) ::fsync(fd.get());  // the rename is durable once the folder is
}

}  // namespace

PrefixFileReplacement::PrefixFileReplacement(std::string target, std::string temporary, UniqueFd fd)
    : _target(std::move(target)), _temporary(std::move(temporary)), _fd(std::move(fd)), _buffer(_fd.get()),
      _stream(&_buffer) {
    _stream.exceptions(std::ios::badbit | std::ios::failbit);
}

std::unique_ptr<PrefixFileReplacement> PrefixFileReplacement::begin(const std::string& nativePath,
                                                                    std::ios::openmode mode) {
    std::string target;
    bool exists = false;
    struct stat old;
    if (!followLinks(nativePath, target, exists, old)) failStream(platform::windowsErrorOfErrno(errno));
    if (exists && !S_ISREG(old.st_mode)) failStream(platform::winerror::ACCESS_DENIED);
    // The rename would replace a file that may not be written to: refuse it as
    // opening it for writing would.
    if (exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) failStream(platform::windowsErrorOfErrno(errno));

    std::string temporary;
    UniqueFd fd = createTemporary(target, temporary);
    if (!fd.valid())
        failStream(errno == ENOENT ? platform::winerror::PATH_NOT_FOUND : platform::windowsErrorOfErrno(errno));
    if (exists) {
        ::fchmod(fd.get(), old.st_mode & 07777);
        if (::fchown(fd.get(), old.st_uid, old.st_gid) != 0) {
            // Only the owner's own files can be given away; the mode is kept.
        }
    }
    std::unique_ptr<PrefixFileReplacement> replacement(
        new PrefixFileReplacement(target, std::move(temporary), std::move(fd)));
    if (exists && (mode & std::ios::app)) replacement->_copyFrom(target);
    return replacement;
}

PrefixFileReplacement::~PrefixFileReplacement() {
    if (_committed) return;
    _fd.reset();
    ::unlink(_temporary.c_str());
}

void PrefixFileReplacement::_copyFrom(const std::string& oldFile) {
    UniqueFd in(::open(oldFile.c_str(), O_RDONLY | O_CLOEXEC));
    if (!in.valid()) failStep("The content of the file could not be read", errno);
    std::vector<char> block(1 << 16);
    for (;;) {
        const ssize_t count = ::read(in.get(), block.data(), block.size());
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) failStep("The content of the file could not be read", errno);
        if (count == 0) return;
        write(block.data(), static_cast<std::size_t>(count));
    }
}

void PrefixFileReplacement::write(const char* data, std::size_t size) {
    try {
        _stream.write(data, static_cast<std::streamsize>(size));
    } catch (const std::ios_base::failure&) {
        platform::setLastError(writeError(_buffer.error() ? _buffer.error() : EIO));
        throw;
    }
}

void PrefixFileReplacement::commit() {
    if (::fsync(_fd.get()) != 0) failStep("The new content could not be saved on the disk", errno);
    if (!_fd.close()) failStep("The new content could not be saved on the disk", errno);
    if (::rename(_temporary.c_str(), _target.c_str()) != 0)
        failStep("The new content could not take the place of the file", errno);
    _committed = true;
    syncFolder(folderOf(_target));
}

}  // namespace platform::prefix
