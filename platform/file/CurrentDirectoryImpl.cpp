#include "platform/file/CurrentDirectoryImpl.h"

#include "platform/failure/LastError.h"
#include "platform/failure/SystemErrors.h"
#include "platform/file/FileExceptions.h"

namespace platform::file {

void CurrentDirectoryImpl::setCurrentDirectory(const std::string& path) {
    if (_calls.setCurrentDirectory(path)) return;
    throw windows::file::SetCurrentDirectoryException("Could not set the directory, " + path +
                                                      ", to the current directory.\n\n" +
                                                      SystemErrors::map(platform::getLastError()));
}

std::string CurrentDirectoryImpl::getCurrentDirectory() {
    std::string directory;
    if (!_calls.getCurrentDirectory(directory))
        throw windows::file::GetCurrentDirectoryException("Couldn't get the current directory.\n\n " +
                                                          SystemErrors::map(platform::getLastError()));
    if (directory.empty() || directory.back() != '\\') directory += '\\';
    return directory;
}

}  // namespace platform::file
