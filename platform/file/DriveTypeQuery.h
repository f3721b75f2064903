#pragma once

#include <string>

namespace platform::file {

// The platform's drive type of a root path such as "c:\" (the DRIVE_ values of
// DriveCalls.h).
class DriveTypeQuery {
public:
    virtual ~DriveTypeQuery() = default;
    virtual int getDriveType(const std::string& rootPath) = 0;
};

}  // namespace platform::file
