#pragma once
// A message digest fed in pieces.

#include <array>
#include <string>

namespace com::quorvex::products::tamblix {

class Hasher {
public:
    virtual ~Hasher() = default;
    virtual void update(const char* first, const char* last) = 0;
    // The digest of everything fed so far, as lowercase hexadecimal digits.
    virtual std::string hexDigest() = 0;
    virtual std::array<unsigned char, 16> digest() = 0;
};

}  // namespace com::quorvex::products::tamblix
