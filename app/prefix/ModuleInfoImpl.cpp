// Linux only: the program file's path through /proc.
#include "app/prefix/ModuleInfoImpl.h"

#include <cerrno>
#include <cstdlib>

#include "platform/failure/LastError.h"
#include "platform/failure/SystemErrors.h"
#include "platform/failure/prefix/ErrnoErrors.h"
#include "platform/file/FileExceptions.h"

namespace com::quorvex::products::tamblix {

std::string ModuleInfoImpl::getModuleFileName() {
    char* resolved = ::realpath("/proc/self/exe", nullptr);
    if (!resolved) {
        platform::setLastError(platform::windowsErrorOfErrno(errno));
        throw windows::file::ModuleException("Could not get the module filename: " +
                                             SystemErrors::map(platform::getLastError()));
    }
    const std::string path(resolved);
    std::free(resolved);
    return platform::prefix::windowsText(_drives.windowsPathOf(path));
}

}  // namespace com::quorvex::products::tamblix
