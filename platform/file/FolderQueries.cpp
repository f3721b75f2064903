#include "platform/file/FolderQueries.h"

#include "platform/failure/LastError.h"
#include "platform/failure/SystemErrors.h"
#include "platform/file/FileExceptions.h"

namespace platform::file {

std::string getFolderPath(FolderCalls& folders, int folderId) {
    std::string path;
    if (!folders.getFolderPath(folderId & ~CSIDL_FLAG_CREATE, (folderId & CSIDL_FLAG_CREATE) != 0, path))
        throw windows::info::GetFolderPathException("Error when getting a folder path.\nFolder path id: " +
                                                    std::to_string(folderId) + "\n" +
                                                    SystemErrors::map(platform::getLastError()));
    if (!path.empty() && path.back() == '\\') path.pop_back();
    return path;
}

std::string getSystemDirectory(FolderCalls& folders) {
    std::string path;
    if (!folders.getSystemDirectory(path))
        throw windows::file::CouldNotGetSystemDirectoryException("Couldn't get the windows system directory. " +
                                                                 SystemErrors::map(platform::getLastError()));
    return path + "\\";
}

std::string getWindowsDirectory(FolderCalls& folders) {
    std::string path;
    if (!folders.getWindowsDirectory(path))
        throw windows::file::CouldNotGetWindowsDirectoryException("Couldn't get the windows directory. " +
                                                                  SystemErrors::map(platform::getLastError()));
    return path + "\\";
}

}  // namespace platform::file
