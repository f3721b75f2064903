#include "tools/publisher/KeyPair.h"

#include <algorithm>

#include <openssl/bio.h>
#include <openssl/core_names.h>
#include <openssl/err.h>
#include <openssl/pem.h>

#include "update/signature/OpenSslOwners.h"
#include "update/signature/PublicKeyBlob.h"
#include "update/signature/SignatureException.h"

namespace publisher {

namespace {

using namespace encryption::pki;
using BioOwner = OpenSslOwner<BIO, BIO_free_all>;

// The failure text with OpenSSL's own reason, which also empties its error queue.
[[noreturn]] void fail(const std::string& what) {
    const unsigned long code = ERR_get_error();
    ERR_clear_error();
    std::string text = what;
    if (code != 0) {
        char reason[256];
        ERR_error_string_n(code, reason, sizeof reason);
        text += " (" + std::string(reason) + ")";
    }
    throw SignatureException(text);
}

std::vector<char> publicKeyBlobOf(EVP_PKEY& key, int bits) {
    BIGNUM* modulus = nullptr;
    BIGNUM* exponent = nullptr;
    if (!EVP_PKEY_get_bn_param(&key, OSSL_PKEY_PARAM_RSA_N, &modulus)) fail("Could not read the key's modulus.");
    BignumOwner modulusOwner(modulus);
    if (!EVP_PKEY_get_bn_param(&key, OSSL_PKEY_PARAM_RSA_E, &exponent)) fail("Could not read the key's exponent.");
    BignumOwner exponentOwner(exponent);

    RsaPublicKey blob;
    blob.algorithm = CALG_RSA_SIGN;
    blob.bitLength = static_cast<std::uint32_t>(bits);
    blob.exponent = static_cast<std::uint32_t>(BN_get_word(exponent));
    blob.modulus.resize(static_cast<std::size_t>(bits / 8));
    if (BN_bn2lebinpad(modulus, blob.modulus.data(), static_cast<int>(blob.modulus.size())) < 0)
        fail("Could not write the key's modulus.");
    return writePublicKeyBlob(blob);
}

}  // namespace

KeyPair generateKeyPair(int bits) {
    if (bits < SMALLEST_KEY_BITS || bits > static_cast<int>(LARGEST_KEY_BITS) || bits % 8 != 0)
        throw SignatureException("The key size must be a multiple of 8 from " + std::to_string(SMALLEST_KEY_BITS) +
                                 " to " + std::to_string(LARGEST_KEY_BITS) + " bits, not " + std::to_string(bits) +
                                 ".");
    PkeyContextOwner context(EVP_PKEY_CTX_new_from_name(nullptr, "RSA", nullptr));
    if (!context || EVP_PKEY_keygen_init(context.get()) <= 0 ||
        EVP_PKEY_CTX_set_rsa_keygen_bits(context.get(), bits) <= 0)
        fail("Could not prepare the RSA key generation.");
    EVP_PKEY* generated = nullptr;
    if (EVP_PKEY_generate(context.get(), &generated) <= 0) fail("Could not generate the RSA key pair.");
    PkeyOwner key(generated);

    BioOwner pem(BIO_new(BIO_s_mem()));
    if (!pem || !PEM_write_bio_PrivateKey(pem.get(), key.get(), nullptr, nullptr, 0, nullptr, nullptr))
        fail("Could not write the private key.");
    char* text = nullptr;
    const long length = BIO_get_mem_data(pem.get(), &text);
    KeyPair pair;
    pair.privateKeyPem.assign(text, static_cast<std::size_t>(length));
    pair.publicKeyBlob = publicKeyBlobOf(*key, bits);
    return pair;
}

std::vector<char> sha1Digest(const std::vector<char>& data) {
    std::vector<char> digest(EVP_MAX_MD_SIZE);
    unsigned int length = 0;
    if (!EVP_Digest(data.data(), data.size(), reinterpret_cast<unsigned char*>(digest.data()), &length, EVP_sha1(),
                    nullptr))
        fail("Could not calculate the SHA-1 digest.");
    digest.resize(length);
    return digest;
}

std::vector<char> signSha1(const std::string& privateKeyPem, const std::vector<char>& data) {
    BioOwner pem(BIO_new_mem_buf(privateKeyPem.data(), static_cast<int>(privateKeyPem.size())));
    if (!pem) fail("Could not read the private key.");
    PkeyOwner key(PEM_read_bio_PrivateKey(pem.get(), nullptr, nullptr, nullptr));
    if (!key) fail("Could not read the private key: it is not a PEM private key.");
    if (!EVP_PKEY_is_a(key.get(), "RSA")) fail("The private key is not an RSA key.");
    const int bits = EVP_PKEY_get_bits(key.get());
    if (bits < SMALLEST_KEY_BITS || bits > static_cast<int>(LARGEST_KEY_BITS) || bits % 8 != 0)
        fail("The private key has " + std::to_string(bits) +
             " bits; the engine takes keys of a multiple of 8 bits from " + std::to_string(SMALLEST_KEY_BITS) +
             " to " + std::to_string(LARGEST_KEY_BITS) + ".");

    DigestContextOwner context(EVP_MD_CTX_new());
    if (!context || EVP_DigestSignInit_ex(context.get(), nullptr, "SHA1", nullptr, nullptr, key.get(), nullptr) <= 0)
        fail("Could not prepare the signature.");
    std::size_t length = 0;
    const auto* bytes = reinterpret_cast<const unsigned char*>(data.data());
    if (EVP_DigestSign(context.get(), nullptr, &length, bytes, data.size()) <= 0) fail("Could not sign the data.");
    std::vector<unsigned char> signature(length);
    if (EVP_DigestSign(context.get(), signature.data(), &length, bytes, data.size()) <= 0)
        fail("Could not sign the data.");
    signature.resize(length);
    return std::vector<char>(signature.rbegin(), signature.rend());
}

}  // namespace publisher
