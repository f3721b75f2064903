// Linux only: mapping Windows paths onto the prefix's file system.
#include "platform/file/prefix/PathResolver.h"

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>

#include "platform/failure/LastError.h"
#include "platform/failure/prefix/ErrnoErrors.h"

namespace platform::prefix {

namespace {

using platform::winerror::FILE_NOT_FOUND;
using platform::winerror::INVALID_NAME;
using platform::winerror::PATH_NOT_FOUND;

// The Windows code of a failed stat on the way to a name.
int errorOnTheWay(int errnoValue) {
    if (errnoValue == ENOENT || errnoValue == ENOTDIR) return PATH_NOT_FOUND;
    return platform::windowsErrorOfErrno(errnoValue);
}

PathResolver::Resolved failed(int error) {
    platform::setLastError(error);
    return {};
}

}  // namespace

PathResolver::PathResolver(const WinePrefix& prefix) : _drives(prefix) {}

std::string PathResolver::_root(const AbsolutePath& path) const {
    return path.drive ? _drives.presentEntry(path.drive) : std::string("/");
}

bool PathResolver::currentDirectory(AbsolutePath& path) const {
    char* working = ::getcwd(nullptr, 0);
    if (!working) {
        platform::setLastError(platform::windowsErrorOfErrno(errno));
        return false;
    }
    const std::string native(working);
    std::free(working);
    std::lock_guard<std::mutex> hold(_currentLock);
    if (native != _currentNative) {
        _current = _drives.windowsPathOf(native);
        _currentNative = native;
    }
    path = _current;
    path.trailingSeparator = false;
    return true;
}

bool PathResolver::absolute(const std::string& windowsPath, AbsolutePath& path) const {
    AbsolutePath current;
    if (!currentDirectory(current)) return false;
    int error = 0;
    if (!absolutePath(windowsPath, current, path, error)) {
        platform::setLastError(error);
        return false;
    }
    return true;
}

PathResolver::Resolved PathResolver::resolve(const std::string& windowsPath) const {
    AbsolutePath path;
    if (!absolute(windowsPath, path)) return {};
    return resolve(path);
}

PathResolver::Resolved PathResolver::resolve(const AbsolutePath& path) const {
    Resolved result;
    if (!_fastPath(path, result)) result = _walk(path);
    if (result.outcome == Outcome::FOUND && path.trailingSeparator && !S_ISDIR(result.info.st_mode))
        return failed(INVALID_NAME);
    return result;
}

// Most names are asked for as they are written: one stat answers them.
bool PathResolver::_fastPath(const AbsolutePath& path, Resolved& result) const {
    std::string native = path.drive ? _drives.entryPath(path.drive) : std::string(path.names.empty() ? "/" : "");
    for (const auto& name : path.names) native.append("/").append(name);
    if (::stat(native.c_str(), &result.info) != 0) return false;
    result.outcome = Outcome::FOUND;
    result.native = native;
    result.windows = path;
    return true;
}

PathResolver::Resolved PathResolver::_walk(const AbsolutePath& path) const {
    Resolved result;
    std::string directory = _root(path);
    struct stat info;
    if (directory.empty() || ::stat(directory.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return failed(PATH_NOT_FOUND);
    result.windows.drive = path.drive;
    result.windows.trailingSeparator = path.trailingSeparator;

    for (std::size_t i = 0; i < path.names.size(); ++i) {
        const bool last = i + 1 == path.names.size();
        std::string name = path.names[i];
        std::string candidate = directory + "/" + name;
        struct stat found;
        bool present = ::stat(candidate.c_str(), &found) == 0;
        if (!present && errno != ENOENT) return failed(errorOnTheWay(errno));
        if (!present && ::lstat(candidate.c_str(), &found) == 0) {
            // A link whose target is missing: it is there as the last name, a
            // missing folder on the way.
            if (!last) return failed(PATH_NOT_FOUND);
            present = true;
        }
        if (!present) {
            std::optional<std::string> match;
            if (!_listings.find(directory, info, name, match)) return failed(platform::windowsErrorOfErrno(errno));
            if (match) {
                name = *match;
                candidate = directory + "/" + name;
                present = ::stat(candidate.c_str(), &found) == 0 || (last && ::lstat(candidate.c_str(), &found) == 0);
            }
        }
        if (!present) {
            if (!last) return failed(PATH_NOT_FOUND);
            result.outcome = Outcome::LAST_MISSING;
            result.native = candidate;
            result.windows.names.push_back(name);
            platform::setLastError(FILE_NOT_FOUND);
            return result;
        }
        if (!last && !S_ISDIR(found.st_mode)) return failed(PATH_NOT_FOUND);
        directory = candidate;
        info = found;
        result.windows.names.push_back(name);
    }
    result.outcome = Outcome::FOUND;
    result.native = directory;
    result.info = info;
    return result;
}

}  // namespace platform::prefix
