#include "platform/file/DriveServicesImpl.h"

#include "platform/failure/LastError.h"
#include "platform/failure/SystemErrors.h"
#include "platform/file/FileExceptions.h"

namespace platform::file {

std::vector<std::string> DriveEnumeratorImpl::enumerateDrives(int driveType) {
    const std::uint32_t drives = _calls.getLogicalDrives();
    if (drives == 0)
        throw windows::file::DriveEnumeratorException(
            "Error when enumerating logical drives with 'GetLogicalDrives'. \n\n" +
            SystemErrors::map(platform::getLastError()));
    std::vector<std::string> names;
    for (int letter = 0; letter < 26; ++letter) {
        if ((drives & (std::uint32_t(1) << letter)) == 0) continue;
        const std::string name = std::string(1, char('a' + letter)) + ":";
        if (_calls.getDriveType(name) == driveType) names.push_back(name);
    }
    return names;
}

}  // namespace platform::file
