#include "update/signature/MsCheckSignature.h"

#include "update/signature/RsaSignatureCheck.h"

namespace encryption::pki {

bool MsCheckSignature::check(platform::file::IStream& publicKey, const std::vector<char>& data,
                             platform::file::IStream& signature) {
    const std::vector<char> blob = publicKey.read(0);
    const std::vector<char> signatureBytes = signature.read(0);
    return checkRsaSha1Signature(blob, data, signatureBytes);
}

}  // namespace encryption::pki
