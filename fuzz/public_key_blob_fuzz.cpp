// The publisher's key blob: any bytes are refused with a provider code or read
// into a key that writes back the same blob (reserved field zero); the signature check over the key
// and the remaining bytes answers or throws SignatureException.

#include <algorithm>

#include "fuzz/FuzzSupport.h"
#include "platform/file/TestStreamImpl.h"
#include "update/signature/MsCheckSignature.h"
#include "update/signature/PublicKeyBlob.h"

using namespace encryption::pki;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    // The first two bytes say how long the blob is; the rest is the signature.
    const std::size_t blobSize = std::min<std::size_t>(size - 2, data[0] | (data[1] << 8));
    const std::vector<char> blob = fuzz::bytes(data + 2, blobSize);
    const std::vector<char> signatureBytes = fuzz::bytes(data + 2 + blobSize, size - 2 - blobSize);

    RsaPublicKey key;
    if (readPublicKeyBlob(blob, key) == 0) {
        // The reader ignores the reserved field; the writer writes it as zero.
        std::vector<char> expected = blob;
        expected[2] = expected[3] = 0;
        FUZZ_REQUIRE(writePublicKeyBlob(key) == expected);
    }

    platform::file::TestStreamImpl keyStream(blob);
    platform::file::TestStreamImpl signatureStream(signatureBytes);
    const std::vector<char> signed_ = {'<', 'a', '/', '>'};
    MsCheckSignature check;
    fuzz::designedAnswer([&] { check.check(keyStream, signed_, signatureStream); });
    return 0;
}
