#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/failure/LastError.h"
#include "platform/failure/SystemErrors.h"
#include "platform/file/TestStreamImpl.h"
#include "tests/support/TempDir.h"
#include "update/signature/MsCheckSignature.h"
#include "update/signature/SignatureException.h"

namespace {

using Bytes = std::vector<char>;
using encryption::pki::MsCheckSignature;
using encryption::pki::SignatureException;
namespace winerror = platform::winerror;

Bytes fixture(const std::string& name) {
    const std::string text = testing_support::readFile(std::string(TAMBLIX_CRYPTOAPI_FIXTURES) + "/" + name);
    return Bytes(text.begin(), text.end());
}

// The key, data and signature that a real CryptoAPI provider made.
struct CryptoApiFixture {
    Bytes key = fixture("publickey-1024.dat");
    Bytes data = fixture("signed-1024.xml");
    Bytes signature = fixture("signature-1024.bin");
};

bool check(const Bytes& key, const Bytes& data, const Bytes& signature) {
    platform::file::TestStreamImpl keyStream(key);
    platform::file::TestStreamImpl signatureStream(signature);
    return MsCheckSignature().check(keyStream, data, signatureStream);
}

std::string checkFailure(const Bytes& key, const Bytes& data, const Bytes& signature) {
    try {
        check(key, data, signature);
    } catch (const SignatureException& e) {
        return e.getMessage();
    }
    return "no exception";
}

std::string importFailure(std::size_t blobSize, int code) {
    return "Error during call to 'CryptImportKey' in MsCreateSignature.check. Could not import the public key. "
           "Public Key blob size is: " +
           std::to_string(blobSize) + " bytes.\n" + SystemErrors::map(code);
}

void putLittleEndian(Bytes& blob, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) blob[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

TEST(MsCheckSignature, AcceptsTheSignatureOfARealCryptoApiProvider) {
    const CryptoApiFixture f;
    ASSERT_EQ(f.key.size(), 148u);
    ASSERT_EQ(f.signature.size(), 128u);
    EXPECT_TRUE(check(f.key, f.data, f.signature));
}

TEST(MsCheckSignature, AKeyForExchangeVerifiesAsWell) {
    CryptoApiFixture f;
    putLittleEndian(f.key, 4, 0xA400);  // CALG_RSA_KEYX
    EXPECT_TRUE(check(f.key, f.data, f.signature));
}

TEST(MsCheckSignature, AnyChangeOfDataOrSignatureIsAMismatch) {
    const CryptoApiFixture f;
    auto changedData = [&](const std::function<void(Bytes&)>& change) {
        Bytes copy = f.data;
        change(copy);
        return copy;
    };
    auto changedSignature = [&](const std::function<void(Bytes&)>& change) {
        Bytes copy = f.signature;
        change(copy);
        return copy;
    };
    const struct {
        const char* name;
        Bytes data;
        Bytes signature;
    } cases[] = {
        {"first data byte changed", changedData([](Bytes& b) { b[0] ^= 1; }), f.signature},
        {"a middle data byte changed", changedData([](Bytes& b) { b[b.size() / 2] ^= 0x20; }), f.signature},
        {"final line feed made a carriage return and line feed",
         changedData([](Bytes& b) { b.insert(b.end() - 1, '\r'); }), f.signature},
        {"a byte appended", changedData([](Bytes& b) { b.push_back(' '); }), f.signature},
        {"last byte removed", changedData([](Bytes& b) { b.pop_back(); }), f.signature},
        {"no data", {}, f.signature},
        {"signature most significant byte first",
         f.data, changedSignature([](Bytes& b) { std::reverse(b.begin(), b.end()); })},
        {"a signature byte changed", f.data, changedSignature([](Bytes& b) { b[5] ^= 0x40; })},
        {"signature one byte short", f.data, changedSignature([](Bytes& b) { b.pop_back(); })},
        {"signature one byte long", f.data, changedSignature([](Bytes& b) { b.push_back(0); })},
        {"no signature", f.data, {}},
        {"signature above the modulus", f.data, Bytes(128, '\xFF')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        platform::setLastError(0);
        EXPECT_FALSE(check(f.key, c.data, c.signature));
        EXPECT_EQ(platform::getLastError(), winerror::NTE_BAD_SIGNATURE);
    }
}

TEST(MsCheckSignature, EmptyKeyFailsTheImportNamingItsSize) {
    const CryptoApiFixture f;
    const std::string message = checkFailure({}, f.data, f.signature);
    const std::string tail = "Public Key blob size is: 0 bytes.\n" + SystemErrors::map(winerror::NTE_BAD_DATA);
    ASSERT_GE(message.size(), tail.size());
    EXPECT_EQ(message.substr(message.size() - tail.size()), tail);
    EXPECT_EQ(message, importFailure(0, winerror::NTE_BAD_DATA));
    EXPECT_EQ(platform::getLastError(), winerror::NTE_BAD_DATA);
}

TEST(MsCheckSignature, MalformedKeyBlobsFailTheImport) {
    const CryptoApiFixture f;
    auto changed = [&](const std::function<void(Bytes&)>& change) {
        Bytes copy = f.key;
        change(copy);
        return copy;
    };
    const struct {
        const char* name;
        Bytes blob;
        int code;
    } cases[] = {
        {"shorter than its headers", Bytes(f.key.begin(), f.key.begin() + 19), winerror::NTE_BAD_DATA},
        {"headers without modulus", Bytes(f.key.begin(), f.key.begin() + 20), winerror::NTE_BAD_DATA},
        {"modulus one byte short", changed([](Bytes& b) { b.pop_back(); }), winerror::NTE_BAD_DATA},
        {"one byte too many", changed([](Bytes& b) { b.push_back(0); }), winerror::NTE_BAD_DATA},
        {"bit length of a larger key", changed([](Bytes& b) { putLittleEndian(b, 12, 2048); }),
         winerror::NTE_BAD_DATA},
        {"bit length that wraps a 32-bit size", changed([](Bytes& b) { putLittleEndian(b, 12, 0xFFFFFF60u); }),
         winerror::NTE_BAD_KEY},
        {"a private key blob", changed([](Bytes& b) { b[0] = 0x07; }), winerror::NTE_BAD_TYPE},
        {"a simple blob", changed([](Bytes& b) { b[0] = 0x01; }), winerror::NTE_BAD_TYPE},
        {"blob version 1", changed([](Bytes& b) { b[1] = 1; }), winerror::NTE_BAD_VER},
        {"a DSS key", changed([](Bytes& b) { putLittleEndian(b, 4, 0x2200); }), winerror::NTE_BAD_ALGID},
        {"magic of a private key", changed([](Bytes& b) { b[11] = '2'; }), winerror::NTE_BAD_KEY},
        {"zero bit length", changed([](Bytes& b) { putLittleEndian(b, 12, 0); }), winerror::NTE_BAD_KEY},
        {"bit length not whole bytes", changed([](Bytes& b) { putLittleEndian(b, 12, 1023); }),
         winerror::NTE_BAD_KEY},
        {"exponent zero", changed([](Bytes& b) { putLittleEndian(b, 16, 0); }), winerror::NTE_BAD_KEY},
        {"exponent one", changed([](Bytes& b) { putLittleEndian(b, 16, 1); }), winerror::NTE_BAD_KEY},
        {"even exponent", changed([](Bytes& b) { putLittleEndian(b, 16, 65536); }), winerror::NTE_BAD_KEY},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        platform::setLastError(0);
        EXPECT_EQ(checkFailure(c.blob, f.data, f.signature), importFailure(c.blob.size(), c.code));
        EXPECT_EQ(platform::getLastError(), c.code);
    }
}

// The main thread and the worker may verify at the same time; each thread keeps
// its own last error.
TEST(MsCheckSignature, ThreadsCheckAtOnceWithOneCheckerAndTheirOwnLastError) {
    const CryptoApiFixture f;
    MsCheckSignature checker;
    int valid = 0;
    int refused = 0;
    std::thread verifying([&] {
        for (int i = 0; i < 50; ++i) {
            platform::file::TestStreamImpl key(f.key);
            platform::file::TestStreamImpl signature(f.signature);
            platform::setLastError(0);
            if (checker.check(key, f.data, signature) && platform::getLastError() == 0) ++valid;
        }
    });
    std::thread failing([&] {
        const Bytes empty;
        for (int i = 0; i < 50; ++i) {
            platform::file::TestStreamImpl key(empty);
            platform::file::TestStreamImpl signature(f.signature);
            try {
                checker.check(key, f.data, signature);
            } catch (const SignatureException&) {
                if (platform::getLastError() == winerror::NTE_BAD_DATA) ++refused;
            }
        }
    });
    verifying.join();
    failing.join();
    EXPECT_EQ(valid, 50);
    EXPECT_EQ(refused, 50);
}

}  // namespace
