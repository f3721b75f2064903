#pragma once
// The registry scanner's decision: does a text (a value's name or its string
// data) name a file on a local fixed disk that does not exist?
//
// The text is lower-cased and stripped of double quotes; it must hold exactly one
// drive path ("x:\") on a fixed drive. Semicolons go, the text is cut at the
// first of * ? " < > |, and an existing directory is no missing file. Then every
// prefix of the rest is tried as a file, from the longest to the shortest; the
// whole text and each prefix that ends right before a space are also tried with
// ".bat", ".com", ".dll" and ".exe". Any hit means the file exists. A prefix whose
// last part is a reserved device name (con, aux, prn, nul, com1 to com4, lpt1 to
// lpt3) is never tried. Prefixes found missing are remembered until clearCache,
// and only boundary prefixes (the whole text, or those before a space) are tried
// again. A missing path that matches a pattern of the path whitelist is no finding.
//
// Doubtful answers of the file system count as "exists": a directory test that
// fails, and whatever the file-exists query makes of other failures.

#include <cstdint>
#include <string>
#include <unordered_set>

#include "engine/plugins/PathWhitelist.h"

namespace platform::file {
class FileExistsQuery;
class DirectoryExistsQuery;
class DriveTypeQuery;
}  // namespace platform::file

namespace com::quorvex::products::tamblix {

class MissingFileCheck {
public:
    // How often the file system was asked, for measurements.
    struct Counts {
        std::uint64_t fileTests = 0;
        std::uint64_t directoryTests = 0;
        std::uint64_t driveTests = 0;
        std::uint64_t cacheHits = 0;
    };

    MissingFileCheck(platform::file::FileExistsQuery& fileExists, platform::file::DirectoryExistsQuery& dirExists,
                     platform::file::DriveTypeQuery& driveType);

    // An invalid pattern in pathWhitelist makes the answer false (see PathWhitelist.h).
    bool isMissingFileReference(const std::string& text, const PathWhitelist& pathWhitelist);
    void clearCache() { _checkedPaths.clear(); }
    const Counts& counts() const { return _counts; }

private:
    // False as soon as some prefix of path exists as a file.
    bool _noPrefixExists(const std::string& path);
    bool _fileExists(const std::string& path);

    platform::file::FileExistsQuery& _files;
    platform::file::DirectoryExistsQuery& _directories;
    platform::file::DriveTypeQuery& _drives;
    // Prefixes found missing (with the extensions too, where they were tried).
    std::unordered_set<std::string> _checkedPaths;
    Counts _counts;
};

// True when the part after the last backslash (or slash) of path is a reserved
// device name; a path without one is not reserved.
bool isReservedDeviceName(const std::string& path);

}  // namespace com::quorvex::products::tamblix
