#include "platform/file/FileFinderImpl.h"

#include "platform/failure/Assertion.h"
#include "platform/failure/LastError.h"
#include "platform/failure/SystemErrors.h"
#include "platform/file/FileExceptions.h"

namespace platform::file {

void FileFinderImpl::find(const std::string& startDirectory, bool recursive, FileFinderVisitor& visitor) {
    Walked walked;
    _walk(startDirectory, recursive, visitor, walked);
}

void FileFinderImpl::_enter(const std::string& startdir, const FindRecord& entry, bool recursive,
                            FileFinderVisitor& visitor, Walked& walked) {
    if (!recursive || !entry.isDirectory() || entry.fileName == "." || entry.fileName == "..") return;
    _walk(startdir + "\\" + entry.fileName, recursive, visitor, walked);
}

void FileFinderImpl::_walk(const std::string& startdir, bool recursive, FileFinderVisitor& visitor, Walked& walked) {
    TAMBLIX_ASSERT(startdir != "");
    TAMBLIX_ASSERT(startdir.size() <= MAX_PATH);

    FindRecord first;
    const std::unique_ptr<FindHandle> handle = _calls.findFirstFile(startdir + "\\*", first);
    const int firstError = platform::getLastError();
    if (handle) {
        const auto identity = handle->directory();
        if (identity && !walked.insert(*identity).second) return;
    }

    const int firstAnswer = visitor.visit(handle ? first : FindRecord{}, false, !handle, startdir);
    if (firstAnswer == FileFinderVisitor::STOP_LISTING) return;
    if (!handle) {
        if (firstAnswer == FileFinderVisitor::FAIL)
            throw windows::file::FileFinderException(
                "Error when using the FindFirstFile system call. \nThe error occured when opening a find file "
                "handle. Initial file/folder: " +
                startdir + "\n\n" + SystemErrors::map(firstError));
        return;
    }
    _enter(startdir, first, recursive, visitor, walked);

    for (int failedSteps = 0;;) {
        FindRecord entry;
        const bool delivered = handle->findNext(entry);
        const int error = platform::getLastError();
        if (!delivered && error == winerror::NO_MORE_FILES) return;

        const int answer = visitor.visit(delivered ? entry : FindRecord{}, true, !delivered, startdir);
        if (answer == FileFinderVisitor::STOP_LISTING) return;
        if (!delivered) {
            if (answer == FileFinderVisitor::FAIL)
                throw windows::file::FileFinderException(
                    "Error when enumerating files/folders with FindNextFile. \nEnumerating files in: " + startdir +
                    "\n\n" + SystemErrors::map(error));
            if (++failedSteps >= MAX_FAILED_STEPS) return;
            continue;
        }
        failedSteps = 0;
        _enter(startdir, entry, recursive, visitor, walked);
    }
}

}  // namespace platform::file
