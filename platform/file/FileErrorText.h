#pragma once
// The texts of the file services' exceptions: a message, the file name, the
// working directory, the system error text of the last error and a detail (the
// stream library's failure text, or NO_DETAIL when the layer itself refused).
// The last error is read first, before anything else is done.

#include <string>

#include "platform/file/CurrentDirectory.h"

namespace platform::file {

extern const char* const NO_DETAIL;

// The form of the file reader and writer.
std::string fileErrorText(const std::string& message, const std::string& fileName,
                          CurrentDirectory& currentDirectory, const std::string& detail);

// The form of the input stream.
std::string streamErrorText(const std::string& message, const std::string& fileName,
                            CurrentDirectory& currentDirectory, const std::string& detail);

}  // namespace platform::file
