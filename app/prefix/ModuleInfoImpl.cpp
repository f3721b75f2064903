// Linux only: the program file's path through /proc.
#include "app/prefix/ModuleInfoImpl.h"

#include <cerrno>
#include <cstdlib>

#include "engine/failure/Exceptions.h"
#include "engine/failure/LastError.h"
#include "engine/failure/SystemErrors.h"

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
