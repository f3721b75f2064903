// The texts of the Windows error codes that the prefix layers report.
#include "platform/failure/SystemErrors.h"

#include <map>

namespace {

const std::map<int, const char*>& errorTexts() {
    static const std::map<int, const char*> texts = {
        {0, "The operation completed successfully."},
        {1, "The function is not supported here."},
        {2, "The file could not be found."},
        {3, "The path could not be found."},
        {4, "Too many files are open."},
        {5, "Access is denied."},
        {6, "The handle is not valid."},
        {8, "There is not enough memory to complete the operation."},
        {15, "The drive could not be found."},
        {16, "The current directory cannot be removed."},
        {17, "The file cannot be moved to another disk drive."},
        {18, "There are no more files."},
        {19, "The medium is write protected."},
        {21, "The device is not ready."},
        {29, "The device could not be written to."},
        {30, "The device could not be read from."},
        {32, "The file is being used by another process."},
        {33, "Another process has locked a part of the file."},
        {38, "The end of the file has been reached."},
        {50, "The request is not supported."},
        {80, "The file exists."},
        {87, "A parameter is not valid."},
        {112, "There is not enough space on the disk."},
        {122, "The data area passed to the call is too small."},
        {123, "The file name, directory name or volume label syntax is not valid."},
        {145, "The directory is not empty."},
        {161, "The path name is not valid."},
        {170, "The resource is in use."},
        {183, "A file cannot be created when it already exists."},
        {206, "The file name or extension is too long."},
        {234, "More data is available."},
        {259, "No more data is available."},
        {267, "The directory name is not valid."},
        {1009, "The registry database is corrupt."},
        {1010, "The registry key is not valid."},
        {1011, "The registry key could not be opened."},
        {1012, "The registry key could not be read."},
        {1013, "The registry key could not be written."},
        {1018, "The registry key has been marked for deletion."},
        {1359, "An internal error occurred."},
        {1921, "The name of the file cannot be resolved by the system."},
        {53, "The network path was not found."},
        {static_cast<int>(0x80090003u), "The key is not valid."},
        {static_cast<int>(0x80090004u), "The length is not valid."},
        {static_cast<int>(0x80090005u), "The data is not valid."},
        {static_cast<int>(0x80090006u), "The signature is not valid."},
        {static_cast<int>(0x80090007u), "The version is not valid."},
        {static_cast<int>(0x80090008u), "The algorithm is not valid."},
        {static_cast<int>(0x8009000Au), "The type is not valid."},
        {static_cast<int>(0x8009000Eu), "There is not enough memory for the cryptographic operation."},
        {static_cast<int>(0x80090020u), "An internal error occurred in the cryptographic provider."},
        {13, "The data is invalid."},
        {1168, "Element not found."},
    };
    return texts;
}

}  // namespace

bool platformErrorText(int errorCode, std::string& text) {
    const auto found = errorTexts().find(errorCode);
    if (found == errorTexts().end()) return false;
    text = std::string(found->second) + "\r\n";
    return true;
}
