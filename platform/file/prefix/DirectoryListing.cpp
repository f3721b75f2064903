// Linux only: listing a directory for the find calls.
#include "platform/file/prefix/DirectoryListing.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>

#include "platform/failure/LastError.h"
#include "platform/failure/prefix/ErrnoErrors.h"
#include "platform/file/prefix/FileAttributes.h"
#include "platform/file/prefix/PseudoFileSystems.h"
#include "platform/file/prefix/WindowsPath.h"
#include "platform/util/CaseFolding.h"

namespace platform::prefix {

using platform::file::FindRecord;

namespace {

struct ListedName {
    std::string folded;
    std::string name;

    bool operator<(const ListedName& other) const {
        return folded != other.folded ? folded < other.folded : name < other.name;
    }
};

}  // namespace

DirectoryListing::DirectoryListing(UniqueFd directory, platform::file::DirectoryIdentity identity)
    : _directory(std::move(directory)), _identity(identity) {}

std::unique_ptr<DirectoryListing> DirectoryListing::open(const std::string& directory, const std::string& pattern,
                                                         bool withDots, FindRecord& first) {
    UniqueFd fd(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    struct stat info;
    if (!fd.valid() || ::fstat(fd.get(), &info) != 0) {
        platform::setLastError(errno == ENOTDIR ? platform::winerror::PATH_NOT_FOUND
                                                : platform::windowsErrorOfErrno(errno));
        return nullptr;
    }
    const platform::file::DirectoryIdentity identity{static_cast<std::uint64_t>(info.st_dev),
                                                     static_cast<std::uint64_t>(info.st_ino)};
    std::unique_ptr<DirectoryListing> listing(new DirectoryListing(std::move(fd), identity));
    if (!listing->_readNames(pattern, withDots)) {
        platform::setLastError(platform::windowsErrorOfErrno(errno));
        return nullptr;
    }
    if (!listing->findNext(first)) {
        platform::setLastError(platform::winerror::FILE_NOT_FOUND);
        return nullptr;
    }
    return listing;
}

bool DirectoryListing::_readNames(const std::string& pattern, bool withDots) {
    if (withDots) {
        for (const char* dot : {".", ".."})
            if (matchesPattern(dot, pattern)) _names.push_back(dot);
    }
    if (onPseudoFileSystem(_directory.get())) return true;

    const int copy = ::dup(_directory.get());
    if (copy < 0) return false;
    UniqueDir stream(::fdopendir(copy));
    if (!stream.get()) {
        ::close(copy);
        return false;
    }
    std::vector<ListedName> names;
    errno = 0;
    while (const dirent* entry = ::readdir(stream.get())) {
        std::string name = entry->d_name;
        if (name == "." || name == ".." || !isValidName(name) || !matchesPattern(name, pattern)) continue;
        names.push_back({util::foldCase(name), std::move(name)});
    }
    if (errno != 0) return false;
    std::sort(names.begin(), names.end());
    for (auto& listed : names) _names.push_back(std::move(listed.name));
    return true;
}

bool DirectoryListing::findNext(FindRecord& entry) {
    while (_next < _names.size()) {
        const std::string& name = _names[_next++];
        struct stat info;
        if (::fstatat(_directory.get(), name.c_str(), &info, 0) == 0 ||
            ::fstatat(_directory.get(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0) {
            entry = findRecordOf(name, info);
            return true;
        }
        // Gone since the listing was read: it is no longer there to deliver.
    }
    platform::setLastError(platform::winerror::NO_MORE_FILES);
    return false;
}

}  // namespace platform::prefix
