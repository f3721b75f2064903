// Linux only: drives and drive types of a prefix.
#include "platform/file/prefix/PrefixDriveCalls.h"

#include <sys/stat.h>

#include "platform/failure/LastError.h"
#include "platform/file/prefix/PseudoFileSystems.h"

namespace platform::prefix {

using namespace platform::file;

std::uint32_t PrefixDriveCalls::getLogicalDrives() {
    std::uint32_t drives = 0;
    if (!_drives.presentDrives(drives)) return 0;
    if (drives == 0) platform::setLastError(winerror::INVALID_DRIVE);
    return drives;
}

int PrefixDriveCalls::getDriveType(const std::string& rootPath) {
    const bool rootForm = (rootPath.size() == 2 || (rootPath.size() == 3 && (rootPath[2] == '\\' || rootPath[2] == '/'))) &&
                          rootPath[1] == ':';
    if (!rootForm) return DRIVE_NO_ROOT_DIR;
    char letter = rootPath[0];
    if (letter >= 'A' && letter <= 'Z') letter = char(letter - 'A' + 'a');
    if (letter < 'a' || letter > 'z') return DRIVE_NO_ROOT_DIR;

    const std::string entry = _drives.presentEntry(letter);
    if (entry.empty()) return DRIVE_NO_ROOT_DIR;
    if (_registry) {
        if (const auto type = _registry->driveType(letter)) return *type;
    }
    struct stat target;
    if (::stat(entry.c_str(), &target) != 0 || !S_ISDIR(target.st_mode)) return DRIVE_NO_ROOT_DIR;
    return onPseudoFileSystem(entry.c_str()) ? DRIVE_UNKNOWN : DRIVE_FIXED;
}

}  // namespace platform::prefix
