#pragma once
// Verifies the publisher's RSA signature of a definitions document. Holds no state:
// every call builds and releases its own key and hash objects, so calls from
// different threads do not meet.

#include <vector>

#include "platform/file/IStream.h"

namespace encryption::pki {

class MsCheckSignature {
public:
    virtual ~MsCheckSignature() = default;
    // publicKey holds a PUBLICKEYBLOB, signature the decoded signature bytes (least
    // significant first); both are read whole. False exactly when the signature does
    // not match; every other failure throws SignatureException.
    virtual bool check(platform::file::IStream& publicKey, const std::vector<char>& data, platform::file::IStream& signature);
};

}  // namespace encryption::pki
