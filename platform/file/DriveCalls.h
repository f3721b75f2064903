#pragma once
// The platform's drive calls (GetLogicalDrives, GetDriveType); see FileCalls.h.

#include <cstdint>
#include <string>

namespace platform::file {

// Drive types, with the platform's values.
constexpr int DRIVE_UNKNOWN = 0;
constexpr int DRIVE_NO_ROOT_DIR = 1;
constexpr int DRIVE_REMOVABLE = 2;
constexpr int DRIVE_FIXED = 3;
constexpr int DRIVE_REMOTE = 4;
constexpr int DRIVE_CDROM = 5;
constexpr int DRIVE_RAMDISK = 6;

class DriveCalls {
public:
    virtual ~DriveCalls() = default;
    // Bit 0 is drive a; 0 on failure, with the last error set.
    virtual std::uint32_t getLogicalDrives() = 0;
    // The type of a root path such as "c:\"; never fails.
    virtual int getDriveType(const std::string& rootPath) = 0;
};

}  // namespace platform::file
