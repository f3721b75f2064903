#pragma once

#include "platform/file/CurrentDirectory.h"
#include "platform/file/FileCalls.h"
#include "platform/file/FileReader.h"

namespace platform::file {

class FileReaderImpl : public FileReader {
public:
    FileReaderImpl(FileCalls& calls, CurrentDirectory& currentDirectory);

    std::vector<char> readFile(const std::string& path, std::size_t bytesToRead) override;
    void readFileInto(const std::string& path, std::vector<char>& buffer) override;

private:
    void _read(const std::string& path, std::size_t bytesToRead, std::vector<char>& bytes);
    [[noreturn]] void _fail(const std::string& message, const std::string& path, const std::string& detail);

    FileCalls& _calls;
    CurrentDirectory& _currentDirectory;
};

}  // namespace platform::file
