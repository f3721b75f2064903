#pragma once
// The publisher's side of the signature: key pairs, SHA-1 digests and RSA PKCS #1
// v1.5 signatures over SHA-1, over OpenSSL. Failures throw
// encryption::pki::SignatureException with a text naming what failed.

#include <string>
#include <vector>

namespace publisher {

constexpr int SMALLEST_KEY_BITS = 1024;
constexpr int DEFAULT_KEY_BITS = 2048;

struct KeyPair {
    std::string privateKeyPem;        // PKCS #8, unencrypted: the publisher keeps it safe
    std::vector<char> publicKeyBlob;  // PUBLICKEYBLOB with CALG_RSA_SIGN, as the engine reads it
};

// bits: a whole number of bytes from SMALLEST_KEY_BITS to the providers' largest key.
KeyPair generateKeyPair(int bits);

std::vector<char> sha1Digest(const std::vector<char>& data);

// The signature of data under the PEM private key, least significant byte first
// as the platform's provider returns and takes it.
std::vector<char> signSha1(const std::string& privateKeyPem, const std::vector<char>& data);

}  // namespace publisher
