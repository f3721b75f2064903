#pragma once

#include <string>
#include <vector>

namespace platform::file {

// Writes a whole file. openMode is the stream library's extra open mode
// (0 replaces the content, std::ios::app appends to it). The old content stays
// whole when the write fails. Failures throw io::filesystem::SaveFileException.
class FileWriter {
public:
    virtual ~FileWriter() = default;
    virtual void writeFile(const std::string& path, const std::vector<char>& bytes, int openMode = 0) = 0;
};

}  // namespace platform::file
