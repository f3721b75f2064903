#pragma once

#include <string>

namespace platform::file {

// The process's working directory. The working directory is process-wide:
// only start-up changes it, before any worker thread exists.
class CurrentDirectory {
public:
    virtual ~CurrentDirectory() = default;
    // Throws windows::file::SetCurrentDirectoryException.
    virtual void setCurrentDirectory(const std::string& path) = 0;
    // The directory with a final backslash; throws
    // windows::file::GetCurrentDirectoryException.
    virtual std::string getCurrentDirectory() = 0;
};

}  // namespace platform::file
