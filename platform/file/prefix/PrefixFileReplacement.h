#pragma once
// Linux only: new content for a file, written to a temporary file in the folder
// of the file and renamed over it when complete (after fsync), so that readers
// see either the old content or the whole new one. Where the path is a link,
// the file the link ends at is replaced and the link stays. The new file keeps
// the old one's permissions and owner; a file that may not be written to is
// refused, as opening it for writing would be. A file with other names (hard
// links) gets a new inode, so those names keep the old content.

#include <ostream>
#include <memory>
#include <string>

#include "platform/file/FileCalls.h"
#include "platform/file/prefix/FdOutputBuffer.h"
#include "platform/file/prefix/PosixHandles.h"

namespace platform::prefix {

class PrefixFileReplacement : public platform::file::FileReplacement {
public:
    // Starts replacing the file at the Linux path (which need not exist yet); in
    // append mode the old content is copied first. Throws std::ios_base::failure
    // with the last error set, leaving nothing behind.
    static std::unique_ptr<PrefixFileReplacement> begin(const std::string& nativePath, std::ios::openmode mode);

    ~PrefixFileReplacement() override;

    void write(const char* data, std::size_t size) override;
    void commit() override;

    const std::string& temporaryPath() const { return _temporary; }

private:
    PrefixFileReplacement(std::string target, std::string temporary, UniqueFd fd);

    void _copyFrom(const std::string& oldFile);

    std::string _target;
    std::string _temporary;
    UniqueFd _fd;
    FdOutputBuffer _buffer;
    std::ostream _stream;
    bool _committed = false;
};

}  // namespace platform::prefix
