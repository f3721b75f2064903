#pragma once
// The signature check over byte buffers: RSA PKCS #1 v1.5 over SHA-1 with a key
// read from a CryptoAPI PUBLICKEYBLOB and a signature stored least significant byte
// first, as the platform's provider takes them.

#include <vector>

namespace encryption::pki {

// True for a valid signature of data, false exactly when the signature does not
// match (a signature of the wrong length included). Every other failure throws
// SignatureException with the text of the failing step, ended by the system text of
// the thread's last error, which is set to the provider's code first.
bool checkRsaSha1Signature(const std::vector<char>& publicKeyBlob, const std::vector<char>& data,
                           const std::vector<char>& signature);

}  // namespace encryption::pki
