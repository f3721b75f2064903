#pragma once
// Linux only: the drive calls of a prefix. The drives are the entries a: to z:
// of dosdevices. A drive's type is what the prefix's registry gives it
// (HKLM\Software\Wine\Drives, through RegistryAnswers) when its entry is there;
// else an entry that leads to a folder is a fixed disk, unless the folder is a
// pseudo file system (unknown type), and a missing or dangling entry has no root
// directory.

#include "platform/file/DriveCalls.h"
#include "platform/file/prefix/DriveMap.h"
#include "platform/file/prefix/RegistryAnswers.h"
#include "platform/file/prefix/WinePrefix.h"

namespace platform::prefix {

class PrefixDriveCalls : public platform::file::DriveCalls {
public:
    explicit PrefixDriveCalls(const WinePrefix& prefix, const RegistryAnswers* registry = nullptr)
        : _drives(prefix), _registry(registry) {}

    // 0 with last error 15 (no drive) when dosdevices holds no drive.
    std::uint32_t getLogicalDrives() override;
    // Takes "c:", "c:\" and "c:/"; any other text has no root directory.
    int getDriveType(const std::string& rootPath) override;

private:
    DriveMap _drives;
    const RegistryAnswers* _registry;
};

}  // namespace platform::prefix
