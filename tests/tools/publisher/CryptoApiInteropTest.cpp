#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/TempDir.h"
#include "tests/support/WinePrefixCopy.h"
#include "tests/tools/publisher/ToolRun.h"
#include "update/signature/XmlSignature.h"

namespace {

using testing_support::TempDir;
namespace fs = std::filesystem;

const std::string DEFINITIONS = "<?xml version=\"1.0\" ?>\n<tamblix-definition>\n</tamblix-definition>\n";

// The raw signature bytes out of a signature document the tool wrote.
std::string signatureOf(const std::string& document) {
    std::vector<char> digest;
    std::vector<char> signature;
    if (!encryption::pki::XmlSignature().parse(document, digest, signature)) return "";
    return std::string(signature.begin(), signature.end());
}

// Signatures the publisher's tool makes are checked by the platform's own provider
// (Wine's implementation of the base provider), running the test peer in a copy of
// the build's prefix.
TEST(CryptoApiInterop, ThePlatformsProviderAcceptsWhatTheToolSigns) {
    const std::string verifier = TAMBLIX_CRYPTOAPI_VERIFY;
    if (verifier.empty() || !fs::exists(verifier)) GTEST_SKIP() << "the mingw-w64 compiler is not installed";
    if (!testing_support::winePrefixAvailable()) GTEST_SKIP() << "wine or its prefix is not available";

    TempDir folder;
    testing_support::copyWinePrefix(folder.path() / "prefix");
    folder.write("definitions.xml", DEFINITIONS);
    for (const std::vector<std::string>& step :
         {std::vector<std::string>{"keygen", "private.pem", "publickey.dat"},
          std::vector<std::string>{"pack", "definitions.xml", "definitions.xml.tam"},
          std::vector<std::string>{"sign", "private.pem", "definitions.xml.tam", "definitions-sig.xml"}}) {
        const auto result = testing_support::runPublisher(folder.path(), step);
        ASSERT_EQ(result.exitCode, 0) << step[0] << ": " << result.errors;
    }
    const std::string signature = signatureOf(folder.read("definitions-sig.xml"));
    ASSERT_EQ(signature.size(), 256u);
    folder.write("signature.bin", signature);
    std::string changed = DEFINITIONS;
    changed[changed.size() - 2] = ']';
    folder.write("changed.xml", changed);
    // The real provider's fixture shows that the peer itself answers right.
    const std::string fixtures = TAMBLIX_CRYPTOAPI_FIXTURES;
    fs::copy_file(fixtures + "/publickey-1024.dat", folder.path() / "fixture-key.dat");
    fs::copy_file(fixtures + "/signed-1024.xml", folder.path() / "fixture.xml");
    fs::copy_file(fixtures + "/signature-1024.bin", folder.path() / "fixture-signature.bin");

    const struct {
        const char* name;
        const char* arguments;
        int exitCode;
    } cases[] = {
        {"the tool's signature", "publickey.dat definitions.xml signature.bin", 0},
        {"one byte of the data changed", "publickey.dat changed.xml signature.bin", 1},
        {"the provider's own signature", "fixture-key.dat fixture.xml fixture-signature.bin", 0},
        {"the provider's signature over other data", "fixture-key.dat definitions.xml fixture-signature.bin", 1},
    };
    const testing_support::WorkingDirectory inFolder(folder.path());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string output;
        EXPECT_EQ(testing_support::runWine(folder.path() / "prefix", "'" + verifier + "' " + c.arguments, &output),
                  c.exitCode)
            << output;
    }
}

}  // namespace
