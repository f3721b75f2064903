// Linux only: replacing a file's content through a temporary file and a rename,
// or in place for a file with further names.
#include "platform/file/prefix/PrefixFileReplacement.h"

#include <fcntl.h>
#include <sys/sendfile.h>
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

using platform::file::NewPermissions;

namespace {

constexpr int MAX_LINKS_FOLLOWED = 40;
constexpr mode_t OWNER_ONLY = 0600;
const char* const SAVE_FAILED = "The new content could not be saved on the disk";
const char* const PLACE_FAILED = "The new content could not take the place of the file";

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

// Where new content for a path goes: the entry its links end at.
struct Target {
    std::string path;
    bool exists = false;
    struct stat old {};
};

// Asked with the effective identity, as opening for writing would be; errno set when not.
bool mayWrite(const std::string& path) { return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0; }

// 0, or the errno with which opening the file for writing would refuse it: only
// a regular file that may be written to is replaced.
int findTarget(const std::string& nativePath, Target& target) {
    if (!followLinks(nativePath, target.path, target.exists, target.old)) return errno;
    if (!target.exists) return 0;
    if (!S_ISREG(target.old.st_mode)) return S_ISDIR(target.old.st_mode) ? EISDIR : EACCES;
    return mayWrite(target.path) ? 0 : errno;
}

bool writtenInPlace(const Target& target) { return target.exists && target.old.st_nlink > 1; }

UniqueFd createTemporary(const std::string& target, NewPermissions permissions, std::string& temporary) {
    std::random_device random;
    const mode_t mode = permissions == NewPermissions::OWNER_ONLY ? OWNER_ONLY : 0666;
    for (int attempt = 0; attempt < 16; ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "%08x", static_cast<unsigned>(random()));
        temporary = folderOf(target) + "/." + nameOf(target) + "." + suffix + ".tmp";
        UniqueFd fd(::open(temporary.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode));
        if (fd.valid() || errno != EEXIST) return fd;
    }
    return UniqueFd();
}

// The new file takes the old one's owner and permissions. Only a privileged
// process gives a file away, and a file system without Unix permissions keeps
// none: either way the content still goes in.
void takeOver(int fd, const Target& target, NewPermissions permissions) {
    if (!target.exists) return;
    if (::fchown(fd, target.old.st_uid, target.old.st_gid) != 0) {
    }
    if (::fchmod(fd, permissions == NewPermissions::OWNER_ONLY ? OWNER_ONLY : target.old.st_mode & 07777) != 0) {
    }
}

// Writes the content and permissions of the file from into target itself. Its
// room is reserved first, so that a full disk fails before any byte has changed.
int writeInPlace(int from, const std::string& target) {
    struct stat content {}, old {};
    UniqueFd to(::open(target.c_str(), O_WRONLY | O_CLOEXEC));
    if (!to.valid() || ::fstat(from, &content) != 0 || ::fstat(to.get(), &old) != 0) return errno;
    if (const int failure = content.st_size > 0 ? ::posix_fallocate(to.get(), 0, content.st_size) : 0) {
        if (::ftruncate(to.get(), old.st_size) != 0) {  // drops what the reservation may have added
        }
        return failure;
    }
    if (::fchmod(to.get(), content.st_mode & 07777) != 0) {  // as takeOver
    }
    for (off_t offset = 0; offset < content.st_size;) {
        const ssize_t count = ::sendfile(to.get(), from, &offset, static_cast<std::size_t>(content.st_size - offset));
        if (count < 0 && errno != EINTR) return errno;
        if (count == 0) return EIO;
    }
    if (::ftruncate(to.get(), content.st_size) != 0 || ::fsync(to.get()) != 0) return errno;
    return to.close() ? 0 : errno;
}

void syncFolder(const std::string& folder) {
    UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid()) ::fsync(fd.get());  // the rename is durable once the folder is
}

}  // namespace

PrefixFileReplacement::PrefixFileReplacement(std::string target, bool inPlace, std::string temporary, UniqueFd fd)
    : _target(std::move(target)), _inPlace(inPlace), _temporary(std::move(temporary)), _fd(std::move(fd)),
      _buffer(_fd.get()), _stream(&_buffer) {
    _stream.exceptions(std::ios::badbit | std::ios::failbit);
}

int PrefixFileReplacement::_start(const std::string& nativePath, NewPermissions permissions,
                                  std::unique_ptr<PrefixFileReplacement>& replacement) {
    Target target;
    if (const int refused = findTarget(nativePath, target)) return refused;
    std::string temporary;
    UniqueFd fd = createTemporary(target.path, permissions, temporary);
    if (!fd.valid()) return errno;
    takeOver(fd.get(), target, permissions);
    replacement.reset(new PrefixFileReplacement(target.path, writtenInPlace(target), std::move(temporary), std::move(fd)));
    return 0;
}

std::unique_ptr<PrefixFileReplacement> PrefixFileReplacement::begin(const std::string& nativePath,
                                                                    std::ios::openmode mode) {
    std::unique_ptr<PrefixFileReplacement> replacement;
    if (const int refused = _start(nativePath, NewPermissions::KEEP, replacement))
        failStream(refused == ENOENT ? platform::winerror::PATH_NOT_FOUND : platform::windowsErrorOfErrno(refused));
    if (mode & std::ios::app) replacement->_copyFrom(replacement->_target);
    return replacement;
}

PrefixFileReplacement::~PrefixFileReplacement() {
    if (_committed) return;
    _fd.reset();
    ::unlink(_temporary.c_str());
}

void PrefixFileReplacement::_copyFrom(const std::string& oldFile) {
    UniqueFd in(::open(oldFile.c_str(), O_RDONLY | O_CLOEXEC));
    if (!in.valid() && errno == ENOENT) return;  // nothing to keep
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

int PrefixFileReplacement::_put(const char* data, std::size_t size) {
    const auto count = static_cast<std::streamsize>(size);
    if (_buffer.sputn(data, count) == count) return 0;
    return _buffer.error() ? _buffer.error() : EIO;
}

void PrefixFileReplacement::write(const char* data, std::size_t size) {
    try {
        _stream.write(data, static_cast<std::streamsize>(size));
    } catch (const std::ios_base::failure&) {
        platform::setLastError(writeError(_buffer.error() ? _buffer.error() : EIO));
        throw;
    }
}

int PrefixFileReplacement::_finish(const char*& step) {
    if (_inPlace) {
        step = PLACE_FAILED;
        if (const int failure = writeInPlace(_fd.get(), _target)) return failure;
        _fd.reset();
        ::unlink(_temporary.c_str());
    } else {
        step = SAVE_FAILED;
        if (::fsync(_fd.get()) != 0 || !_fd.close()) return errno;
        step = PLACE_FAILED;
        if (::rename(_temporary.c_str(), _target.c_str()) != 0) return errno;
        syncFolder(folderOf(_target));
    }
    _committed = true;
    return 0;
}

void PrefixFileReplacement::commit() {
    const char* step = SAVE_FAILED;
    if (const int failure = _finish(step)) failStep(step, failure);
}

}  // namespace platform::prefix

namespace platform::file {

std::error_code replaceFile(const std::string& nativePath, std::string_view content, NewPermissions permissions) {
    using platform::prefix::PrefixFileReplacement;
    std::unique_ptr<PrefixFileReplacement> replacement;
    const char* step = nullptr;
    int failure = PrefixFileReplacement::_start(nativePath, permissions, replacement);
    if (!failure) failure = replacement->_put(content.data(), content.size());
    if (!failure) failure = replacement->_finish(step);
    return {failure, std::generic_category()};
}

std::error_code checkReplaceable(const std::string& nativePath) {
    platform::prefix::Target target;
    int refused = platform::prefix::findTarget(nativePath, target);
    // A rename needs the folder to take the new file; a write in place does not.
    if (!refused && !platform::prefix::writtenInPlace(target) &&
        !platform::prefix::mayWrite(platform::prefix::folderOf(target.path)))
        refused = errno;
    return {refused, std::generic_category()};
}

}  // namespace platform::file
