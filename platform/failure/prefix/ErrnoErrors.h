#pragma once
// Linux only: the bridge from POSIX errno values to the Windows codes the layers report.

namespace platform {

// The Windows code closest to a POSIX errno value.
int windowsErrorOfErrno(int errnoValue);

}  // namespace platform
