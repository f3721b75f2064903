#pragma once
// Linux only: Windows paths on a prefix. A path is made absolute against the
// working directory (see currentDirectory), its drive is looked up in
// dosdevices, and each name is matched as Windows does: the exact name first,
// otherwise a name of the directory that equals it when case is ignored as
// Windows ignores it (util/CaseFolding.h).
//
// Failures give the Windows codes: 2 when the folder exists but the last name
// does not, 3 when a folder on the way is missing or is a file (or the drive is
// not there), 123 for invalid names, 5 for refused access, others from errno.
// Safe to use from several threads.

#include <sys/stat.h>

#include <mutex>
#include <string>

#include "platform/file/prefix/DriveMap.h"
#include "platform/file/prefix/ListingCache.h"
#include "platform/file/prefix/WindowsPath.h"
#include "platform/file/prefix/WinePrefix.h"

namespace platform::prefix {

class PathResolver {
public:
    enum class Outcome {
        FOUND,         // native is the entry; info is its stat (lstat's for a dangling link)
        LAST_MISSING,  // the folder exists, the last name does not; native is where it would be
        FAILED,
    };
    struct Resolved {
        Outcome outcome = Outcome::FAILED;
        std::string native;
        AbsolutePath windows;  // with the names as they are on disk, as far as they exist
        struct stat info {};
    };

    explicit PathResolver(const WinePrefix& prefix);

    // Sets the last error for every outcome but FOUND (2 for LAST_MISSING).
    Resolved resolve(const std::string& windowsPath) const;
    Resolved resolve(const AbsolutePath& path) const;
    // The absolute form of a text; false with the last error set.
    bool absolute(const std::string& windowsPath, AbsolutePath& path) const;

    // The working directory as Windows sees it: the process's working directory
    // mapped back through dosdevices to the drive whose target is the longest
    // leading part of it (/work/x is Z:\work\x when z: is /), or, where no drive
    // maps it, Wine's form for unmapped folders, \\?\unix\work\x. False with the
    // last error set.
    bool currentDirectory(AbsolutePath& path) const;

    const DriveMap& drives() const { return _drives; }

private:
    bool _fastPath(const AbsolutePath& path, Resolved& result) const;
    Resolved _walk(const AbsolutePath& path) const;
    std::string _root(const AbsolutePath& path) const;

    DriveMap _drives;
    mutable ListingCache _listings;
    mutable std::mutex _currentLock;
    mutable std::string _currentNative;
    mutable AbsolutePath _current;
};

}  // namespace platform::prefix
