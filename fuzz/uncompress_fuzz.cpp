// The compressed definitions container as it arrives: any bytes either unpack
// within the limit or are refused with CompressionException.

#include "fuzz/FuzzSupport.h"
#include "update/compression/ZlibUncompressionStream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr unsigned long LIMIT = 16UL * 1024 * 1024;
    compression::ZlibUncompressionStream stream;
    fuzz::designedAnswer([&] {
        const std::vector<char> unpacked = stream.uncompress(fuzz::bytes(data, size), LIMIT);
        FUZZ_REQUIRE(unpacked.size() <= LIMIT);
    });
    return 0;
}
