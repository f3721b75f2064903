#pragma once

#include "platform/file/CurrentDirectory.h"
#include "platform/file/FileCalls.h"
#include "platform/file/FileWriter.h"

namespace platform::file {

// Writes through the file calls' FileReplacement, so a failure at any step
// leaves the old file whole (platform/file/FileReplacement.h).
class FileWriterImpl : public FileWriter {
public:
    FileWriterImpl(FileCalls& calls, CurrentDirectory& currentDirectory);

    void writeFile(const std::string& path, const std::vector<char>& bytes, int openMode = 0) override;

private:
    [[noreturn]] void _fail(const std::string& message, const std::string& path, const std::string& detail);

    FileCalls& _calls;
    CurrentDirectory& _currentDirectory;
};

}  // namespace platform::file
