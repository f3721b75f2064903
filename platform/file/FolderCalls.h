#pragma once
// The platform's folder calls (working directory, system folders, shell
// folders); see FileCalls.h. Each answers false on failure, last error set.

#include <string>

namespace platform::file {

// Shell folder ids, with the platform's values.
constexpr int CSIDL_PERSONAL = 0x0005;
constexpr int CSIDL_FLAG_CREATE = 0x8000;

class FolderCalls {
public:
    virtual ~FolderCalls() = default;
    // GetCurrentDirectory: no final backslash unless it is a root ("C:\").
    virtual bool getCurrentDirectory(std::string& path) = 0;
    virtual bool setCurrentDirectory(const std::string& path) = 0;
    // GetSystemDirectory and GetWindowsDirectory: no final backslash.
    virtual bool getSystemDirectory(std::string& path) = 0;
    virtual bool getWindowsDirectory(std::string& path) = 0;
    // SHGetFolderPath of the folder (without the create flag); create makes a
    // missing folder. No final backslash.
    virtual bool getFolderPath(int folder, bool create, std::string& path) = 0;
};

}  // namespace platform::file
