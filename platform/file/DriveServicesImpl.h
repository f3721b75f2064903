#pragma once
// The drive services over the platform's drive calls.

#include "platform/file/DriveCalls.h"
#include "platform/file/DriveEnumerator.h"
#include "platform/file/DriveTypeQuery.h"

namespace platform::file {

class DriveTypeQueryImpl : public DriveTypeQuery {
public:
    explicit DriveTypeQueryImpl(DriveCalls& calls) : _calls(calls) {}
    int getDriveType(const std::string& rootPath) override { return _calls.getDriveType(rootPath); }

private:
    DriveCalls& _calls;
};

class DriveEnumeratorImpl : public DriveEnumerator {
public:
    explicit DriveEnumeratorImpl(DriveCalls& calls) : _calls(calls) {}
    std::vector<std::string> enumerateDrives(int driveType) override;

private:
    DriveCalls& _calls;
};

}  // namespace platform::file
