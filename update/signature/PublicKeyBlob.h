#pragma once
// The CryptoAPI public-key BLOB (PUBLICKEYBLOB) of an RSA key, as the platform's
// key export writes it, all fields little-endian:
//   BLOBHEADER  bType (1 byte, 0x06), bVersion (1 byte, 2), reserved (2 bytes),
//               aiKeyAlg (4 bytes, CALG_RSA_SIGN or CALG_RSA_KEYX)
//   RSAPUBKEY   magic (4 bytes, "RSA1"), bitlen (4 bytes), pubexp (4 bytes)
//   modulus     bitlen / 8 bytes, least significant byte first

#include <cstdint>
#include <vector>

namespace encryption::pki {

constexpr std::uint8_t PUBLICKEYBLOB = 0x06;
constexpr std::uint8_t CUR_BLOB_VERSION = 2;
constexpr std::uint32_t CALG_RSA_SIGN = 0x2400;
constexpr std::uint32_t CALG_RSA_KEYX = 0xA400;
constexpr std::uint32_t RSA1_MAGIC = 0x31415352;  // "RSA1"
constexpr std::size_t PUBLICKEYBLOB_HEADER_LENGTH = 20;
// The largest modulus the platform's providers handle.
constexpr std::uint32_t LARGEST_KEY_BITS = 16384;

struct RsaPublicKey {
    std::uint32_t algorithm = CALG_RSA_SIGN;
    std::uint32_t bitLength = 0;
    std::uint32_t exponent = 0;
    std::vector<unsigned char> modulus;  // least significant byte first, bitLength / 8 bytes
};

// Reads blob into key. Returns 0, or the provider's code for the refusal (the
// platform::winerror NTE_ codes): too short, or a bit length that does not match the
// blob's length, wrong type, version, algorithm or magic, a bit length of zero or
// not a whole number of bytes, an exponent that cannot be an RSA exponent.
int readPublicKeyBlob(const std::vector<char>& blob, RsaPublicKey& key);

// The blob of key, in the layout above.
std::vector<char> writePublicKeyBlob(const RsaPublicKey& key);

}  // namespace encryption::pki
