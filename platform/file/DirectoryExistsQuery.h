#pragma once

#include <string>

namespace platform::file {

// Is there a directory at the path. Failures other than absence throw
// io::filesystem::ExistsDirException.
class DirectoryExistsQuery {
public:
    virtual ~DirectoryExistsQuery() = default;
    virtual bool directoryExists(const std::string& path) = 0;
};

}  // namespace platform::file
