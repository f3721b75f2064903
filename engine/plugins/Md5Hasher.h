#pragma once
// MD5 (RFC 1321) from OpenSSL. Asking for the digest ends the message: the next
// update starts a new one.

#include <memory>

#include "engine/plugins/Hasher.h"

namespace com::quorvex::products::tamblix {

class Md5Hasher : public Hasher {
public:
    Md5Hasher();
    ~Md5Hasher() override;
    Md5Hasher(const Md5Hasher&) = delete;
    Md5Hasher& operator=(const Md5Hasher&) = delete;

    void update(const char* first, const char* last) override;
    std::string hexDigest() override;
    std::array<unsigned char, 16> digest() override;

private:
    struct Context;
    std::unique_ptr<Context> _context;
};

// The lowercase hexadecimal MD5 of the bytes.
std::string md5Hex(const char* bytes, std::size_t size);

}  // namespace com::quorvex::products::tamblix
