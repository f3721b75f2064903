#pragma once

#include <string>

#include "platform/file/FindRecord.h"

namespace platform::file {

// Told of every entry a walk lists. afterFirst is false for the first step of a
// directory's listing; failed says that the step delivered no entry (entry then
// holds nothing valid); directory is the directory being listed. The answer
// steers the walk: STOP_LISTING ends this directory's listing, FAIL turns a
// failed step into a windows::file::FileFinderException, anything else (callers
// use GO_ON) goes on and ignores a failure.
class FileFinderVisitor {
public:
    static constexpr int FAIL = 0;
    static constexpr int STOP_LISTING = 1;
    static constexpr int GO_ON = 2;

    virtual ~FileFinderVisitor() = default;
    virtual int visit(const FindRecord& entry, bool afterFirst, bool failed, const std::string& directory) = 0;
};

// Walks a directory depth-first: a subdirectory is walked completely as soon as
// its entry has been visited. Names are joined with one backslash.
class FileFinder {
public:
    virtual ~FileFinder() = default;
    virtual void find(const std::string& startDirectory, bool recursive, FileFinderVisitor& visitor) = 0;
};

}  // namespace platform::file
