// Linux only: reading the dosdevices folder of a prefix.
#include "platform/file/prefix/DriveMap.h"

#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "platform/failure/LastError.h"
#include "platform/failure/prefix/ErrnoErrors.h"
#include "platform/file/prefix/PosixHandles.h"

namespace platform::prefix {

namespace {

bool exists(const std::string& path) {
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0;
}

// The names of path below root, or false when root is not a leading part of it.
bool namesBelow(const std::string& root, const std::string& path, std::vector<std::string>& names) {
    const std::string base = root == "/" ? "" : root;
    if (path != base && path.compare(0, base.size() + 1, base + "/") != 0) return false;
    names.clear();
    std::size_t position = base.size();
    while (position < path.size()) {
        const std::size_t start = position + 1;
        std::size_t end = path.find('/', start);
        if (end == std::string::npos) end = path.size();
        if (end > start) names.push_back(path.substr(start, end - start));
        position = end;
    }
    return true;
}

}  // namespace

DriveMap::DriveMap(const WinePrefix& prefix) : _dosdevices(prefix.dosdevices().string()) {}

std::string DriveMap::entryPath(char letter) const { return _dosdevices + "/" + std::string(1, letter) + ":"; }

std::string DriveMap::presentEntry(char letter) const {
    const char lower = (letter >= 'A' && letter <= 'Z') ? char(letter - 'A' + 'a') : letter;
    const char upper = char(lower - 'a' + 'A');
    if (exists(entryPath(lower))) return entryPath(lower);
    if (exists(entryPath(upper))) return entryPath(upper);
    return "";
}

bool DriveMap::presentDrives(std::uint32_t& drives) const {
    UniqueDir listing(::opendir(_dosdevices.c_str()));
    if (!listing.get()) {
        platform::setLastError(platform::windowsErrorOfErrno(errno));
        return false;
    }
    drives = 0;
    while (const dirent* entry = ::readdir(listing.get())) {
        const std::string name = entry->d_name;
        if (name.size() != 2 || name[1] != ':') continue;
        char letter = name[0];
        if (letter >= 'A' && letter <= 'Z') letter = char(letter - 'A' + 'a');
        if (letter >= 'a' && letter <= 'z') drives |= std::uint32_t(1) << (letter - 'a');
    }
    return true;
}

AbsolutePath DriveMap::windowsPathOf(const std::string& realPath) const {
    AbsolutePath best;
    std::size_t bestLength = 0;
    bool found = false;
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        const std::string entry = presentEntry(letter);
        if (entry.empty()) continue;
        const std::string target = realPathOf(entry);
        std::vector<std::string> names;
        if (target.empty() || !namesBelow(target, realPath, names)) continue;
        if (found && target.size() <= bestLength) continue;
        best.drive = letter;
        best.names = names;
        bestLength = target.size();
        found = true;
    }
    if (!found) namesBelow("/", realPath, best.names);
    return best;
}

std::string realPathOf(const std::string& path) {
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (!resolved) return "";
    std::string result(resolved);
    std::free(resolved);
    return result;
}

}  // namespace platform::prefix
