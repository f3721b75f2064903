#pragma once
// The platform's file calls that the file services are built on, one
// implementation per platform: prefix/ maps Windows paths onto a Wine prefix, a
// win32 folder would call kernel32. Paths are Windows paths. Every call that
// fails sets the platform's last error (platform::setLastError) before it returns
// or throws, as the Win32 calls do, so that messages can quote it.

#include <cstdint>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "platform/file/FileReplacement.h"
#include "platform/file/FindRecord.h"

namespace platform::file {

// What tells one directory from another on the platform (volume and file index,
// device and inode).
struct DirectoryIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    bool operator<(const DirectoryIdentity& other) const {
        return volume != other.volume ? volume < other.volume : index < other.index;
    }
};

// An open listing of one directory (a find handle), closed when destroyed.
class FindHandle {
public:
    virtual ~FindHandle() = default;
    // The next entry; false at the end, with last error 18 (no more files).
    virtual bool findNext(FindRecord& entry) = 0;
    // The listed directory's identity, so that a walk knows a directory it has
    // already reached through another link; nullopt when the platform cannot tell.
    virtual std::optional<DirectoryIdentity> directory() const = 0;
};

class FileCalls {
public:
    virtual ~FileCalls() = default;

    // GetFileAttributes: INVALID_FILE_ATTRIBUTES when they cannot be read.
    virtual std::uint32_t getFileAttributes(const std::string& path) = 0;
    // DeleteFile: a file, never a directory.
    virtual bool deleteFile(const std::string& path) = 0;
    // CreateDirectory: an existing entry fails with 183 (already exists).
    virtual bool createDirectory(const std::string& path) = 0;
    // FindFirstFile over "directory\pattern": nullptr when nothing is delivered.
    virtual std::unique_ptr<FindHandle> findFirstFile(const std::string& pattern, FindRecord& entry) = 0;

    // Opens the stream (whose exception mask the caller has set) on the file;
    // when the file cannot be opened the stream library's failure is thrown.
    virtual void openForReading(std::ifstream& stream, const std::string& path, std::ios::openmode mode) = 0;
    // Starts new content for the file; mode is the caller's open mode (append
    // keeps the old content in front of the new). Throws like openForReading.
    virtual std::unique_ptr<FileReplacement> replaceFile(const std::string& path, std::ios::openmode mode) = 0;
    // Sets the last error after an operation on a stream opened above failed.
    virtual void streamFailed(const std::ios& stream) = 0;
};

}  // namespace platform::file
