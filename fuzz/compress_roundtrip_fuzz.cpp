// A container packed from any bytes unpacks to the same bytes, within the limit
// its size field announces.

#include "fuzz/FuzzSupport.h"
#include "update/compression/ZlibCompressionStream.h"
#include "update/compression/ZlibUncompressionStream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr unsigned long LIMIT = 16UL * 1024 * 1024;
    const std::vector<char> original = fuzz::bytes(data, size);
    compression::ZlibCompressionStream packer;
    const std::vector<char> packed = packer.compress(original, LIMIT);
    FUZZ_REQUIRE(packed.size() >= 4);
    compression::ZlibUncompressionStream unpacker;
    FUZZ_REQUIRE(unpacker.uncompress(packed, LIMIT) == original);
    return 0;
}
