#include "platform/file/FileQueriesImpl.h"

#include "platform/failure/LastError.h"
#include "platform/failure/SystemErrors.h"
#include "platform/file/FileExceptions.h"

namespace platform::file {

bool FileExistsQueryImpl::fileExists(const std::string& path) {
    const auto attributes = _calls.getFileAttributes(path);
    if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    switch (platform::getLastError()) {
    case winerror::FILE_NOT_FOUND:
    case winerror::PATH_NOT_FOUND:
    case winerror::INVALID_NAME:
    case winerror::BAD_PATHNAME: return false;
    default: return true;  // there, but its attributes are refused
    }
}

bool DirectoryExistsQueryImpl::directoryExists(const std::string& path) {
    const auto attributes = _calls.getFileAttributes(path);
    if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const int error = platform::getLastError();
    switch (error) {
    case winerror::FILE_NOT_FOUND:
    case winerror::PATH_NOT_FOUND:
    case winerror::INVALID_NAME: return false;
    default:
        throw io::filesystem::ExistsDirException("An error occured when checking if the directory \" " + path +
                                                 "\" exists. " + SystemErrors::map(error));
    }
}

void FileRemoverImpl::removeFile(const std::string& path) {
    if (_calls.deleteFile(path)) return;
    const int error = platform::getLastError();
    if (error == winerror::FILE_NOT_FOUND) return;
    throw io::filesystem::RemoveFileException("Couldn't delete the file '" + path +
                                              "' file using the 'DeleteFile' system call.\n" + SystemErrors::map(error));
}

}  // namespace platform::file
