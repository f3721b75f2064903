#include "platform/file/FileErrorText.h"

#include "platform/failure/Exception.h"
#include "platform/failure/LastError.h"
#include "platform/failure/SystemErrors.h"

namespace platform::file {

const char* const NO_DETAIL = "None.";

namespace {

std::string workingDirectoryText(CurrentDirectory& currentDirectory) {
    try {
        return currentDirectory.getCurrentDirectory();
    } catch (const exceptions::Exception& e) {
        return "Couldn't get the current directory. Exception: " + e.getMessage();
    }
}

}  // namespace

std::string fileErrorText(const std::string& message, const std::string& fileName,
                          CurrentDirectory& currentDirectory, const std::string& detail) {
    const int error = platform::getLastError();
    const std::string directory = workingDirectoryText(currentDirectory);
    return message + "\nFilename: '" + fileName + "'" + "\nCurrent Working Directory: " + directory + "\n" +
           SystemErrors::map(error) + "\nC++ exception: " + detail;
}

std::string streamErrorText(const std::string& message, const std::string& fileName,
                            CurrentDirectory& currentDirectory, const std::string& detail) {
    const int error = platform::getLastError();
    const std::string directory = workingDirectoryText(currentDirectory);
    return message + "\nFilename: '" + fileName + "'.\nCurrent working directory: '" + directory + "'.\n" +
           SystemErrors::map(error) + "\nC++ exception: '" + detail + "'.";
}

}  // namespace platform::file
