#pragma once

#include <cstddef>
#include <vector>

namespace platform::file {

// An input stream of bytes.
class IStream {
public:
    // Reads from the current position; 0 means size() bytes.
    virtual std::vector<char> read(std::size_t bytesToRead) = 0;
    // The size of the whole content; the read position stays where it was.
    virtual long long size() = 0;
    // True when no further byte can be read.
    virtual bool isEof() = 0;
    virtual ~IStream() = default;
};

}  // namespace platform::file
