#pragma once
// The container writer over zlib's compress2 at level 9. Stateless: one instance
// serves any number of calls, from any thread.

#include "update/compression/CompressionStream.h"

namespace compression {

class ZlibCompressionStream : public CompressionStream {
public:
    // The size field holds 2 * n + 12 for n input bytes; a field that does not fit
    // into maxSize (or into the 32-bit field) is refused before anything is allocated.
    std::vector<char> compress(const std::vector<char>& data, unsigned long maxSize) override;
};

}  // namespace compression
