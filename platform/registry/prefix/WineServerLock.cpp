// Linux only: finds the lock of a Wine server and asks the kernel whether it is held.
#include "platform/registry/prefix/WineServerLock.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file/prefix/PosixHandles.h"

namespace windows::registry::prefix {

namespace {

// The folder name the prefix's "wineserver" file gives, empty when there is none.
std::string namedServerFolder(const std::filesystem::path& prefix) {
    std::ifstream in(prefix / "wineserver", std::ios::binary);
    std::string name;
    std::getline(in, name);
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos) return "";
    return name;
}

bool lockHeld(const std::filesystem::path& lockFile) {
    platform::prefix::UniqueFd file(::open(lockFile.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.valid()) return false;
    struct flock request {};
    request.l_type = F_WRLCK;
    request.l_whence = SEEK_SET;
    request.l_start = 0;
    request.l_len = 1;
    if (::fcntl(file.get(), F_GETLK, &request) != 0) return false;
    return request.l_type != F_UNLCK;
}

}  // namespace

WineServerLock::WineServerLock() : _userFolder("/tmp/.wine-" + std::to_string(::getuid())) {
    const char* temp = std::getenv("TMPDIR");
    if (temp && *temp) _tempFolders.emplace_back(temp);
    _tempFolders.emplace_back("/tmp");
}

WineServerLock::WineServerLock(std::filesystem::path userFolder, std::vector<std::filesystem::path> tempFolders)
    : _userFolder(std::move(userFolder)), _tempFolders(std::move(tempFolders)) {}

std::vector<std::filesystem::path> WineServerLock::lockFiles(const std::filesystem::path& prefix) const {
    struct stat folder {};
    if (::stat(prefix.c_str(), &folder) != 0) return {};
    char serverName[64];
    std::snprintf(serverName, sizeof serverName, "server-%llx-%llx", static_cast<unsigned long long>(folder.st_dev),
                  static_cast<unsigned long long>(folder.st_ino));
    std::vector<std::filesystem::path> files{_userFolder / serverName / "lock"};
    const std::string named = namedServerFolder(prefix);
    if (!named.empty())
        for (const auto& temp : _tempFolders) files.push_back(temp / named / serverName / "lock");
    return files;
}

bool WineServerLock::isHeld(const std::filesystem::path& prefix) const {
    for (const auto& file : lockFiles(prefix))
        if (lockHeld(file)) return true;
    return false;
}

}  // namespace windows::registry::prefix
