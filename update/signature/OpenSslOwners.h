#pragma once
// Move-only owners of OpenSSL objects, each released with its own free function.

#include <memory>

#include <openssl/evp.h>
#include <openssl/param_build.h>

namespace encryption::pki {

template <class T, void (*Free)(T*)>
struct OpenSslFree {
    void operator()(T* object) const { Free(object); }
};

template <class T, void (*Free)(T*)>
using OpenSslOwner = std::unique_ptr<T, OpenSslFree<T, Free>>;

using PkeyOwner = OpenSslOwner<EVP_PKEY, EVP_PKEY_free>;
using PkeyContextOwner = OpenSslOwner<EVP_PKEY_CTX, EVP_PKEY_CTX_free>;
using DigestOwner = OpenSslOwner<EVP_MD, EVP_MD_free>;
using DigestContextOwner = OpenSslOwner<EVP_MD_CTX, EVP_MD_CTX_free>;
using BignumOwner = OpenSslOwner<BIGNUM, BN_free>;
using ParamBuilderOwner = OpenSslOwner<OSSL_PARAM_BLD, OSSL_PARAM_BLD_free>;
using ParamsOwner = OpenSslOwner<OSSL_PARAM, OSSL_PARAM_free>;

}  // namespace encryption::pki
