#pragma once

#include <string>

namespace platform::file {

// Is there a file (not a directory) at the path. An entry whose attributes
// cannot be read for any reason but its absence counts as existing.
class FileExistsQuery {
public:
    virtual ~FileExistsQuery() = default;
    virtual bool fileExists(const std::string& path) = 0;
};

}  // namespace platform::file
