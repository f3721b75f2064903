#pragma once
// Linux only: the find handle of the prefix. A listing holds the names of one
// directory that match the pattern, in Windows order: "." and ".." first (as
// Windows lists them in every folder that is not a drive root), then the names
// sorted with case ignored (util/CaseFolding.h), by code point. Names that no Windows path can hold (with
// \ : * ? " < > | or control characters) are left out. Each entry is looked at
// when it is delivered; a pseudo file system lists as an empty folder.

#include <memory>
#include <string>
#include <vector>

#include "platform/file/FileCalls.h"
#include "platform/file/prefix/PosixHandles.h"

namespace platform::prefix {

class DirectoryListing : public platform::file::FindHandle {
public:
    // Lists the directory and delivers its first entry; nullptr with the last
    // error set when it cannot be listed (5, ...) or no name matches (2).
    static std::unique_ptr<DirectoryListing> open(const std::string& directory, const std::string& pattern,
                                                  bool withDots, platform::file::FindRecord& first);

    bool findNext(platform::file::FindRecord& entry) override;
    std::optional<platform::file::DirectoryIdentity> directory() const override { return _identity; }

private:
    DirectoryListing(UniqueFd directory, platform::file::DirectoryIdentity identity);

    bool _readNames(const std::string& pattern, bool withDots);

    UniqueFd _directory;
    platform::file::DirectoryIdentity _identity;
    std::vector<std::string> _names;
    std::size_t _next = 0;
};

}  // namespace platform::prefix
