#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace platform::file {

// Reads a whole file, or its first bytesToRead bytes (0 means all of it).
// Failures throw io::filesystem::LoadFileException.
class FileReader {
public:
    virtual ~FileReader() = default;
    virtual std::vector<char> readFile(const std::string& path, std::size_t bytesToRead) = 0;
    // The whole file into buffer, which then holds exactly its bytes; a caller
    // that reads many files keeps one buffer and its memory. Fails as readFile.
    virtual void readFileInto(const std::string& path, std::vector<char>& buffer) { buffer = readFile(path, 0); }
};

}  // namespace platform::file
