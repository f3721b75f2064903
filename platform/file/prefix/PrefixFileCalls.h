#pragma once
// Linux only: the file calls of a prefix, over its Windows paths.

#include "platform/file/FileCalls.h"
#include "platform/file/prefix/PathResolver.h"

namespace platform::prefix {

class PrefixFileCalls : public platform::file::FileCalls {
public:
    explicit PrefixFileCalls(const PathResolver& resolver) : _resolver(resolver) {}

    std::uint32_t getFileAttributes(const std::string& path) override;
    // A link is deleted itself, never what it points to; a folder is refused (5).
    bool deleteFile(const std::string& path) override;
    bool createDirectory(const std::string& path) override;
    std::unique_ptr<platform::file::FindHandle> findFirstFile(const std::string& pattern,
                                                              platform::file::FindRecord& entry) override;
    // Only regular files open; a folder or a device is refused (5).
    void openForReading(std::ifstream& stream, const std::string& path, std::ios::openmode mode) override;
    std::unique_ptr<platform::file::FileReplacement> replaceFile(const std::string& path,
                                                                 std::ios::openmode mode) override;
    // 38 (end of file) when the stream ran out of bytes, else 30 (read fault).
    void streamFailed(const std::ios& stream) override;

private:
    const PathResolver& _resolver;
};

}  // namespace platform::prefix
