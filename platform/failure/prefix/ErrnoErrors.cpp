#include "platform/failure/prefix/ErrnoErrors.h"

#include <cerrno>

#include "platform/failure/LastError.h"

namespace platform {

int windowsErrorOfErrno(int errnoValue) {
    switch (errnoValue) {
    case 0: return winerror::SUCCESS;
    case ENOENT: return winerror::FILE_NOT_FOUND;
    case ENOTDIR: return winerror::PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS: return winerror::ACCESS_DENIED;
    case EEXIST: return winerror::ALREADY_EXISTS;
    case ENOTEMPTY: return winerror::DIR_NOT_EMPTY;
    case ENAMETOOLONG: return winerror::FILENAME_EXCED_RANGE;
    case ENOSPC: return winerror::DISK_FULL;
    case ENOMEM: return winerror::NOT_ENOUGH_MEMORY;
    case EMFILE:
    case ENFILE: return winerror::TOO_MANY_OPEN_FILES;
    case EBUSY: return winerror::BUSY;
    case EINVAL: return winerror::INVALID_PARAMETER;
    case EXDEV: return winerror::NOT_SAME_DEVICE;
    case ELOOP: return winerror::CANT_RESOLVE_FILENAME;
    case EIO: return winerror::WRITE_FAULT;
    default: return winerror::INTERNAL_ERROR;
    }
}

}  // namespace platform
