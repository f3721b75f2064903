#pragma once
// Writes the compressed definitions container: a 4-byte little-endian size field
// (the buffer a reader must allocate) followed by one zlib stream.

#include <vector>

namespace compression {

class CompressionStream {
public:
    virtual ~CompressionStream() = default;
    // Throws CompressionException when the container's buffer would exceed maxSize
    // or compression fails.
    virtual std::vector<char> compress(const std::vector<char>& data, unsigned long maxSize) = 0;
};

}  // namespace compression
