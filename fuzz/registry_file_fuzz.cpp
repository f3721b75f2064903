// A registry file of a prefix: any text either is refused with a line and a
// reason, or parses; what parses writes text that parses again and writes back
// the same text.

#include "fuzz/FuzzSupport.h"
#include "platform/registry/tree/RegistryFileFormat.h"

using namespace windows::registry::tree;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::uint64_t NOW = 133'000'000'000'000'000ULL;
    RegistryFile file;
    RegistryFileError error;
    if (!parseRegistryFile(fuzz::text(data, size), NOW, file, error)) {
        FUZZ_REQUIRE(error.line >= 1);
        return 0;
    }
    const std::string written = writeRegistryFile(file);
    RegistryFile again;
    FUZZ_REQUIRE(parseRegistryFile(written, NOW, again, error));
    FUZZ_REQUIRE(writeRegistryFile(again) == written);
    return 0;
}
