#pragma once
// The platform's folder calls (working directory, system folders, shell
// folders); see FileCalls.h. Each answers false on failure, last error set.

#include <cstdint>
#include <string>

namespace platform::file {

// GetVersionEx's answer: which family of Windows the folders are laid out for.
constexpr std::uint32_t VER_PLATFORM_WIN32_WINDOWS = 1;  // Windows 95, 98 and Me
constexpr std::uint32_t VER_PLATFORM_WIN32_NT = 2;
struct SystemVersion {
    std::uint32_t platformId = VER_PLATFORM_WIN32_NT;
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
};

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
    // GetVersionEx: the platform id and the major and minor version.
    virtual bool getVersion(SystemVersion& version) = 0;
    // SHGetFolderPath of the folder (without the create flag); create makes a
    // missing folder. No final backslash.
    virtual bool getFolderPath(int folder, bool create, std::string& path) = 0;
};

}  // namespace platform::file
