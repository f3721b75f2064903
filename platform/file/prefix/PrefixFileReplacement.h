#pragma once
// Linux only: the file replacement of platform/file/FileReplacement.h, over Linux
// paths; that header states what it does with links, permissions and failures.

#include <memory>
#include <ostream>
#include <string>

#include "platform/file/FileReplacement.h"
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

private:
    friend std::error_code platform::file::replaceFile(const std::string&, std::string_view,
                                                       platform::file::NewPermissions);

    PrefixFileReplacement(std::string target, bool inPlace, std::string temporary, UniqueFd fd);

    // The steps, each 0 or errno; step names the one of _finish that failed.
    static int _start(const std::string& nativePath, platform::file::NewPermissions permissions,
                      std::unique_ptr<PrefixFileReplacement>& replacement);
    int _put(const char* data, std::size_t size);
    int _finish(const char*& step);

    void _copyFrom(const std::string& oldFile);

    std::string _target;  // the file the path's links end at
    bool _inPlace;        // it has further names, so its content is written in place
    std::string _temporary;
    UniqueFd _fd;
    FdOutputBuffer _buffer;
    std::ostream _stream;
    bool _committed = false;
};

}  // namespace platform::prefix
