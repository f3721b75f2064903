// The detached signature document and its Base64 values: parsing never throws;
// a parse that succeeds gives both values, and a document made of them parses
// back to the same values. Base64 that decodes encodes and decodes to the same.

#include "fuzz/FuzzSupport.h"
#include "update/signature/Base64.h"
#include "update/signature/XmlSignature.h"

using namespace encryption::pki;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string document = fuzz::text(data, size);
    XmlSignature signature;
    std::vector<char> digest;
    std::vector<char> value;
    if (signature.parse(document, digest, value)) {
        const std::string made = signature.create(digest, value, "definitions.xml");
        std::vector<char> digestAgain;
        std::vector<char> valueAgain;
        FUZZ_REQUIRE(signature.parse(made, digestAgain, valueAgain));
        FUZZ_REQUIRE(digestAgain == digest && valueAgain == value);
    } else {
        FUZZ_REQUIRE(digest.empty() && value.empty());
    }

    std::vector<char> decoded;
    if (decodeBase64(document, decoded)) {
        std::vector<char> again;
        FUZZ_REQUIRE(decodeBase64(encodeBase64(decoded), again));
        FUZZ_REQUIRE(again == decoded);
    } else {
        FUZZ_REQUIRE(decoded.empty());
    }
    return 0;
}
