#include "engine/plugins/Md5Hasher.h"

#include <openssl/evp.h>

#include <new>

namespace com::quorvex::products::tamblix {

struct Md5Hasher::Context {
    EVP_MD_CTX* context = EVP_MD_CTX_new();
    bool started = false;
    ~Context() { EVP_MD_CTX_free(context); }
};

Md5Hasher::Md5Hasher() : _context(std::make_unique<Context>()) {
    if (_context->context == nullptr) throw std::bad_alloc();
}

Md5Hasher::~Md5Hasher() = default;

void Md5Hasher::update(const char* first, const char* last) {
    if (!_context->started) {
        if (EVP_DigestInit_ex(_context->context, EVP_md5(), nullptr) != 1) throw std::bad_alloc();
        _context->started = true;
    }
    if (last > first) EVP_DigestUpdate(_context->context, first, static_cast<std::size_t>(last - first));
}

std::array<unsigned char, 16> Md5Hasher::digest() {
    if (!_context->started) update(nullptr, nullptr);
    std::array<unsigned char, 16> bytes{};
    unsigned int length = 0;
    EVP_DigestFinal_ex(_context->context, bytes.data(), &length);
    _context->started = false;
    return bytes;
}

std::string Md5Hasher::hexDigest() {
    static const char DIGITS[] = "0123456789abcdef";
    std::string text;
    for (unsigned char byte : digest()) {
        text += DIGITS[byte >> 4];
        text += DIGITS[byte & 0xF];
    }
    return text;
}

std::string md5Hex(const char* bytes, std::size_t size) {
    Md5Hasher hasher;
    hasher.update(bytes, bytes + size);
    return hasher.hexDigest();
}

}  // namespace com::quorvex::products::tamblix
