#include "update/signature/RsaSignatureCheck.h"

#include <algorithm>
#include <string>

#include <openssl/core_names.h>
#include <openssl/err.h>

#include "platform/failure/LastError.h"
#include "platform/failure/SystemErrors.h"
#include "update/signature/OpenSslOwners.h"
#include "update/signature/PublicKeyBlob.h"
#include "update/signature/SignatureException.h"

namespace encryption::pki {

namespace {

using namespace platform::winerror;

// The texts keep the names of the provider calls that each step stands for.
const std::string CONTEXT_FAILED =
    "Error during call to 'CryptAcquireContext' in 'MsCheckSignature.check'. Could not get 'MS_DEF_PROV' with type "
    "'PROV_RSA_FULL'. dwFlags is set to 'CRYPT_VERIFYCONTEXT'.";
const std::string IMPORT_FAILED =
    "Error during call to 'CryptImportKey' in MsCreateSignature.check. Could not import the public key. Public Key "
    "blob size is: ";
const std::string HASH_FAILED =
    "Error during call to 'CryptCreateHash' in MsCreateSignature.check. Could not create the hash object.";
const std::string HASH_DATA_FAILED =
    "Error during call to 'CryptHashData' in MsCreateSignature.check. Could not calculate the hash.";
const std::string VERIFY_FAILED =
    "Error during call to 'CryptVerifySignature' in MsCreateSignature.check. Could not verify the signature.";

[[noreturn]] void fail(const std::string& message, int code) {
    platform::setLastError(code);
    throw SignatureException(message + "\n" + SystemErrors::map(platform::getLastError()));
}

// Leaves OpenSSL's error queue of this thread empty on every way out.
struct ErrorQueueCleaner {
    ~ErrorQueueCleaner() { ERR_clear_error(); }
};

PkeyOwner importKey(EVP_PKEY_CTX& context, const std::vector<char>& blob, RsaPublicKey& key) {
    const std::string failure = IMPORT_FAILED + std::to_string(blob.size()) + " bytes.";
    const int refusal = readPublicKeyBlob(blob, key);
    if (refusal != SUCCESS) fail(failure, refusal);

    BignumOwner modulus(BN_lebin2bn(key.modulus.data(), static_cast<int>(key.modulus.size()), nullptr));
    BignumOwner exponent(BN_new());
    ParamBuilderOwner builder(OSSL_PARAM_BLD_new());
    if (!modulus || !exponent || !builder || !BN_set_word(exponent.get(), key.exponent)) fail(failure, NTE_NO_MEMORY);
    if (!OSSL_PARAM_BLD_push_BN(builder.get(), OSSL_PKEY_PARAM_RSA_N, modulus.get()) ||
        !OSSL_PARAM_BLD_push_BN(builder.get(), OSSL_PKEY_PARAM_RSA_E, exponent.get()))
        fail(failure, NTE_NO_MEMORY);
    ParamsOwner params(OSSL_PARAM_BLD_to_param(builder.get()));
    if (!params) fail(failure, NTE_NO_MEMORY);

    EVP_PKEY* imported = nullptr;
    if (EVP_PKEY_fromdata_init(&context) <= 0 ||
        EVP_PKEY_fromdata(&context, &imported, EVP_PKEY_PUBLIC_KEY, params.get()) <= 0)
        fail(failure, NTE_BAD_KEY);
    return PkeyOwner(imported);
}

}  // namespace

bool checkRsaSha1Signature(const std::vector<char>& publicKeyBlob, const std::vector<char>& data,
                           const std::vector<char>& signature) {
    ErrorQueueCleaner cleaner;
    // Declared in the order of the steps, so that they are released in reverse:
    // the hash, then the key, then the context.
    PkeyContextOwner context(EVP_PKEY_CTX_new_from_name(nullptr, "RSA", nullptr));
    if (!context) fail(CONTEXT_FAILED, NTE_FAIL);

    RsaPublicKey key;
    PkeyOwner publicKey = importKey(*context, publicKeyBlob, key);

    DigestContextOwner hash(EVP_MD_CTX_new());
    if (!hash || EVP_DigestVerifyInit_ex(hash.get(), nullptr, "SHA1", nullptr, nullptr, publicKey.get(), nullptr) <= 0)
        fail(HASH_FAILED, NTE_FAIL);

    static const unsigned char nothing = 0;
    const auto* bytes = data.empty() ? &nothing : reinterpret_cast<const unsigned char*>(data.data());
    if (EVP_DigestVerifyUpdate(hash.get(), bytes, data.size()) <= 0) fail(HASH_DATA_FAILED, NTE_FAIL);

    // A signature of any other length than the modulus cannot match.
    if (signature.size() != key.modulus.size()) {
        platform::setLastError(NTE_BAD_SIGNATURE);
        return false;
    }
    std::vector<unsigned char> mostSignificantFirst(signature.rbegin(), signature.rend());
    const int verified = EVP_DigestVerifyFinal(hash.get(), mostSignificantFirst.data(), mostSignificantFirst.size());
    if (verified == 1) return true;
    if (verified == 0) {
        platform::setLastError(NTE_BAD_SIGNATURE);
        return false;
    }
    fail(VERIFY_FAILED, NTE_FAIL);
}

}  // namespace encryption::pki
