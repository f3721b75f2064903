// The histogram text of a signature in the definitions: any text reads as 256
// counts without failing, and what format writes of them reads back the same.

#include "engine/plugins/Vossek1Hash.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using com::quorvex::products::tamblix::Histogram;
    const com::quorvex::products::tamblix::Vossek1Hash vossek;
    const Histogram histogram = vossek.parse(fuzz::text(data, size));
    FUZZ_REQUIRE(histogram.size() == 256);
    FUZZ_REQUIRE(vossek.parse(vossek.format(histogram)) == histogram);
    return 0;
}
