#pragma once
// Replacing the whole content of a file: the one way every whole-file write
// goes (HOSTS file, registry files, XML documents, installed definitions, the
// publisher's files), one implementation per platform.
//
// - The new content goes to a temporary file in the folder of the file, is
//   flushed to the disk (fsync), renamed over the file, and the folder is flushed
//   too, so readers see either the old content or the whole new one.
// - Links, as Wine treats them: where the path is a symbolic link, the file the
//   links end at is replaced and the link stays. A file with further names (hard
//   links) keeps them: it is written in place, since a rename would split it off
//   from its other names. Room for the new content is reserved first, so a full
//   disk leaves it whole; only a failing disk can leave it part-written.
// - The replaced file keeps its permissions and, where the process may give it
//   away, its owner. A new file gets the permissions a newly created one gets.
// - Only a regular file that may be written to is replaced; anything else is
//   refused as opening it for writing would be.
// - On failure the old file is whole and no temporary file remains.

#include <cstddef>
#include <string>
#include <string_view>
#include <system_error>

namespace platform::file {

// New content written piece by piece, put in the file's place only by commit().
// Destroyed before commit() has succeeded, it leaves the file exactly as it was
// and no trace of itself. Failures throw std::ios_base::failure with the last
// error set.
class FileReplacement {
public:
    virtual ~FileReplacement() = default;
    virtual void write(const char* data, std::size_t size) = 0;
    virtual void commit() = 0;
};

enum class NewPermissions {
    KEEP,        // as above
    OWNER_ONLY,  // the file is readable and writable by its owner alone
};

// The whole content at once, for a file named by the platform's own path (a Linux
// path on Linux). Returns the platform's error (errno on Linux), or no error.
std::error_code replaceFile(const std::string& nativePath, std::string_view content,
                            NewPermissions permissions = NewPermissions::KEEP);

// What replaceFile would be refused for now (a missing file is no refusal): a
// file, or a folder it must go into, that may not be written to.
std::error_code checkReplaceable(const std::string& nativePath);

}  // namespace platform::file
