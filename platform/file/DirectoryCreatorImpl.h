#pragma once

#include "platform/file/DirectoryCreator.h"
#include "platform/file/FileCalls.h"

namespace platform::file {

class DirectoryCreatorImpl : public DirectoryCreator {
public:
    explicit DirectoryCreatorImpl(FileCalls& calls) : _calls(calls) {}

    // Splits the path at its separators and creates the first piece, then the
    // path built so far plus the next piece, and so on. A drive prefix such as
    // "c:" counts as an existing directory. A path that starts at the root of the
    // current drive ("\a\b") stays there, a network path ("\\server\share\a")
    // starts at its share.
    void createDirectoryPath(const std::string& path) override;
    void createDirectory(const std::string& path) override;

private:
    FileCalls& _calls;
};

}  // namespace platform::file
