#pragma once

#include <fstream>
#include <string>

#include "platform/file/CurrentDirectory.h"
#include "platform/file/FileCalls.h"
#include "platform/file/IStream.h"

namespace platform::file {

// An input stream over a file, open from construction to destruction. Failures
// throw io::file::IStreamException.
class IFStreamImpl : public IStream {
public:
    // Opens the file at once, in openMode (the stream library's mode, start-up
    // passes std::ios::binary) combined with input.
    IFStreamImpl(FileCalls& calls, CurrentDirectory& currentDirectory, const std::string& path, int openMode);

    std::vector<char> read(std::size_t bytesToRead) override;
    long long size() override;
    bool isEof() override;

private:
    [[noreturn]] void _fail(const std::string& message, const std::string& detail);

    FileCalls& _calls;
    CurrentDirectory& _currentDirectory;
    std::string _path;
    std::ifstream _stream;
};

}  // namespace platform::file
