#pragma once

#include <string>

namespace platform::file {

// Deletes a file; a file that is not there is no failure. Other failures throw
// io::filesystem::RemoveFileException.
class FileRemover {
public:
    virtual ~FileRemover() = default;
    virtual void removeFile(const std::string& path) = 0;
};

}  // namespace platform::file
