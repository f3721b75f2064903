#include "update/signature/PublicKeyBlob.h"

#include "platform/failure/LastError.h"

namespace encryption::pki {

namespace {

std::uint32_t readLittleEndian(const std::vector<char>& bytes, std::size_t offset, std::size_t length) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < length; ++i)
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
    return value;
}

void writeLittleEndian(std::vector<char>& bytes, std::uint32_t value, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

int readPublicKeyBlob(const std::vector<char>& blob, RsaPublicKey& key) {
    using namespace platform::winerror;
    if (blob.size() < PUBLICKEYBLOB_HEADER_LENGTH) return NTE_BAD_DATA;
    if (static_cast<unsigned char>(blob[0]) != PUBLICKEYBLOB) return NTE_BAD_TYPE;
    if (static_cast<unsigned char>(blob[1]) != CUR_BLOB_VERSION) return NTE_BAD_VER;
    const std::uint32_t algorithm = readLittleEndian(blob, 4, 4);
    if (algorithm != CALG_RSA_SIGN && algorithm != CALG_RSA_KEYX) return NTE_BAD_ALGID;
    if (readLittleEndian(blob, 8, 4) != RSA1_MAGIC) return NTE_BAD_KEY;
    const std::uint32_t bitLength = readLittleEndian(blob, 12, 4);
    if (bitLength == 0 || bitLength % 8 != 0 || bitLength > LARGEST_KEY_BITS) return NTE_BAD_KEY;
    // An RSA exponent is odd and greater than one.
    const std::uint32_t exponent = readLittleEndian(blob, 16, 4);
    if (exponent < 3 || exponent % 2 == 0) return NTE_BAD_KEY;
    const std::size_t modulusLength = bitLength / 8;
    if (blob.size() != PUBLICKEYBLOB_HEADER_LENGTH + modulusLength) return NTE_BAD_DATA;

    key.algorithm = algorithm;
    key.bitLength = bitLength;
    key.exponent = exponent;
    key.modulus.assign(blob.begin() + PUBLICKEYBLOB_HEADER_LENGTH, blob.end());
    return SUCCESS;
}

std::vector<char> writePublicKeyBlob(const RsaPublicKey& key) {
    std::vector<char> blob;
    blob.reserve(PUBLICKEYBLOB_HEADER_LENGTH + key.modulus.size());
    blob.push_back(static_cast<char>(PUBLICKEYBLOB));
    blob.push_back(static_cast<char>(CUR_BLOB_VERSION));
    writeLittleEndian(blob, 0, 2);
    writeLittleEndian(blob, key.algorithm, 4);
    writeLittleEndian(blob, RSA1_MAGIC, 4);
    writeLittleEndian(blob, key.bitLength, 4);
    writeLittleEndian(blob, key.exponent, 4);
    blob.insert(blob.end(), key.modulus.begin(), key.modulus.end());
    return blob;
}

}  // namespace encryption::pki
