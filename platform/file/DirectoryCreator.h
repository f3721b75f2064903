#pragma once

#include <string>

namespace platform::file {

// Creates directories; an existing one is no failure. Failures throw
// windows::file::CouldNotCreateDirectoryException.
class DirectoryCreator {
public:
    virtual ~DirectoryCreator() = default;
    // Creates every missing directory of the path, from its first piece on.
    virtual void createDirectoryPath(const std::string& path) = 0;
    virtual void createDirectory(const std::string& path) = 0;
};

}  // namespace platform::file
