#pragma once
// The container reader over zlib's inflate. Stateless: one instance serves any
// number of calls, from any thread.

#include "update/compression/UncompressionStream.h"

namespace compression {

class ZlibUncompressionStream : public UncompressionStream {
public:
    // The size field is an upper bound: the result is whatever the stream yields,
    // provided it fits. The output buffer grows with what the stream really yields
    // up to that bound, so a lying size field costs no more memory than the data.
    std::vector<char> uncompress(const std::vector<char>& data, unsigned long maxSize) override;
};

}  // namespace compression
