#pragma once

#include <vector>
#include <string>

namespace platform::file {

// The names ("c:") of the logical drives of one type, in letter order.
// Failures throw windows::file::DriveEnumeratorException.
class DriveEnumerator {
public:
    virtual ~DriveEnumerator() = default;
    virtual std::vector<std::string> enumerateDrives(int driveType) = 0;
};

}  // namespace platform::file
