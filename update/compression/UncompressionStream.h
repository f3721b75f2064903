#pragma once
// Reads the compressed definitions container (see CompressionStream.h).

#include <vector>

namespace compression {

class UncompressionStream {
public:
    virtual ~UncompressionStream() = default;
    // Returns the uncompressed bytes. Throws CompressionException when the container
    // is too short, announces more than maxSize bytes, or its stream does not inflate
    // within the announced size.
    virtual std::vector<char> uncompress(const std::vector<char>& data, unsigned long maxSize) = 0;
};

}  // namespace compression
