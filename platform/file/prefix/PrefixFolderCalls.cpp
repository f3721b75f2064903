// Linux only: working directory and special folders of a prefix.
#include "platform/file/prefix/PrefixFolderCalls.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "platform/failure/LastError.h"
#include "platform/failure/prefix/ErrnoErrors.h"
#include "platform/file/prefix/DriveMap.h"
#include "platform/file/prefix/PosixHandles.h"

namespace platform::prefix {

using namespace platform::file;
using Outcome = PathResolver::Outcome;

namespace {

AbsolutePath below(AbsolutePath path, const std::string& name) {
    path.names.push_back(name);
    path.trailingSeparator = false;
    return path;
}

// The folders of a directory but "Public", up to two of them.
std::vector<std::string> profileFolders(const std::string& native) {
    std::vector<std::string> names;
    UniqueDir listing(::opendir(native.c_str()));
    if (!listing.get()) return names;
    while (const dirent* entry = ::readdir(listing.get())) {
        const std::string name = entry->d_name;
        if (name == "." || name == ".." || sameNameIgnoringCase(name, "Public")) continue;
        struct stat info;
        if (::stat((native + "/" + name).c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) continue;
        names.push_back(name);
        if (names.size() > 1) break;
    }
    return names;
}

}  // namespace

PrefixFolderCalls::PrefixFolderCalls(const WinePrefix& prefix, const PathResolver& resolver,
                                     const RegistryAnswers* registry)
    : _driveC((prefix.root() / "drive_c").string()), _resolver(resolver), _registry(registry) {}

bool PrefixFolderCalls::getCurrentDirectory(std::string& path) {
    AbsolutePath current;
    if (!_resolver.currentDirectory(current)) return false;
    path = windowsText(current);
    return true;
}

bool PrefixFolderCalls::setCurrentDirectory(const std::string& path) {
    const auto resolved = _resolver.resolve(path);
    if (resolved.outcome != Outcome::FOUND) return false;
    if (!S_ISDIR(resolved.info.st_mode)) {
        platform::setLastError(winerror::DIRECTORY);
        return false;
    }
    if (::chdir(resolved.native.c_str()) != 0) {
        platform::setLastError(platform::windowsErrorOfErrno(errno));
        return false;
    }
    return true;
}

bool PrefixFolderCalls::getSystemDirectory(std::string& path) {
    path = "C:\\windows\\system32";
    return true;
}

bool PrefixFolderCalls::getWindowsDirectory(std::string& path) {
    path = "C:\\windows";
    return true;
}

bool PrefixFolderCalls::getVersion(platform::file::SystemVersion& version) {
    version = {platform::file::VER_PLATFORM_WIN32_NT, 10, 0};
    return true;
}

bool PrefixFolderCalls::_userFolder(AbsolutePath& path) const {
    const std::string driveC = realPathOf(_driveC);
    if (driveC.empty()) {
        platform::setLastError(winerror::PATH_NOT_FOUND);
        return false;
    }
    const AbsolutePath users = below(_resolver.drives().windowsPathOf(driveC), "users");
    const char* variable = std::getenv("USER");
    const std::string user = variable ? variable : "";
    if (!user.empty() && isValidName(user)) {
        const auto named = _resolver.resolve(below(users, user));
        if (named.outcome == Outcome::FOUND && S_ISDIR(named.info.st_mode)) {
            path = named.windows;
            return true;
        }
    }
    const auto folder = _resolver.resolve(users);
    if (folder.outcome == Outcome::FOUND) {
        const auto profiles = profileFolders(folder.native);
        if (profiles.size() == 1) {
            path = below(folder.windows, profiles.front());
            return true;
        }
    }
    if (user.empty() || !isValidName(user)) {
        platform::setLastError(winerror::PATH_NOT_FOUND);
        return false;
    }
    path = below(users, user);
    return true;
}

bool PrefixFolderCalls::_documents(AbsolutePath& path) const {
    if (_registry) {
        if (const auto named = _registry->documentsFolder()) return _resolver.absolute(*named, path);
    }
    if (!_userFolder(path)) return false;
    path = below(path, "Documents");
    return true;
}

bool PrefixFolderCalls::_createPath(const AbsolutePath& path) const {
    AbsolutePath built = path;
    built.names.clear();
    for (const auto& name : path.names) {
        built = below(built, name);
        const auto resolved = _resolver.resolve(built);
        if (resolved.outcome == Outcome::FAILED) return false;
        if (resolved.outcome == Outcome::FOUND) {
            if (S_ISDIR(resolved.info.st_mode)) continue;
            platform::setLastError(winerror::DIRECTORY);
            return false;
        }
        if (::mkdir(resolved.native.c_str(), 0777) != 0 && errno != EEXIST) {
            platform::setLastError(platform::windowsErrorOfErrno(errno));
            return false;
        }
    }
    return true;
}

bool PrefixFolderCalls::getFolderPath(int folder, bool create, std::string& path) {
    if (folder != CSIDL_PERSONAL) {
        platform::setLastError(winerror::INVALID_PARAMETER);
        return false;
    }
    AbsolutePath documents;
    if (!_documents(documents)) return false;
    auto resolved = _resolver.resolve(documents);
    if (resolved.outcome != Outcome::FOUND && create) {
        if (!_createPath(documents)) return false;
        resolved = _resolver.resolve(documents);
    }
    switch (resolved.outcome) {
    case Outcome::FOUND:
        if (!S_ISDIR(resolved.info.st_mode)) {
            platform::setLastError(winerror::DIRECTORY);
            return false;
        }
        path = windowsText(resolved.windows);
        return true;
    case Outcome::LAST_MISSING: path = windowsText(resolved.windows); return true;
    case Outcome::FAILED:
        if (platform::getLastError() != winerror::PATH_NOT_FOUND) return false;
        path = windowsText(documents);
        return true;
    }
    return false;
}

}  // namespace platform::prefix
