#pragma once

#include <set>

#include "platform/file/FileCalls.h"
#include "platform/file/FileFinder.h"

namespace platform::file {

// The walk of the platform's find calls. A directory that the walk reaches a
// second time (through a link) is not walked again, so every walk ends.
class FileFinderImpl : public FileFinder {
public:
    explicit FileFinderImpl(FileCalls& calls) : _calls(calls) {}

    void find(const std::string& startDirectory, bool recursive, FileFinderVisitor& visitor) override;

    // Failed next steps in a row after which a listing that the visitor keeps
    // going on with ends (a platform whose next step keeps failing).
    static constexpr int MAX_FAILED_STEPS = 100;

private:
    using Walked = std::set<DirectoryIdentity>;

    void _walk(const std::string& startdir, bool recursive, FileFinderVisitor& visitor, Walked& walked);
    void _enter(const std::string& startdir, const FindRecord& entry, bool recursive, FileFinderVisitor& visitor,
                Walked& walked);

    FileCalls& _calls;
};

}  // namespace platform::file
