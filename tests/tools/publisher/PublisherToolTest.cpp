#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/TempDir.h"
#include "tests/tools/publisher/ToolRun.h"
#include "update/compression/ZlibUncompressionStream.h"
#include "update/signature/XmlSignature.h"

namespace {

using testing_support::runPublisher;
using testing_support::TempDir;
namespace fs = std::filesystem;

const std::string DEFINITIONS =
    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
    "<tamblix-definition>\n  <product-information><name>Demo</name></product-information>\n"
    "</tamblix-definition>\n";

std::vector<std::string> entriesOf(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A folder with a 1024-bit key pair and a packed, signed definitions file.
class PublisherTool : public ::testing::Test {
protected:
    void SetUp() override {
        folder.write("definitions.xml", DEFINITIONS);
        ASSERT_EQ(run({"keygen", "private.pem", "publickey.dat", "1024"}).exitCode, 0);
        ASSERT_EQ(run({"pack", "definitions.xml", "definitions.xml.tam"}).exitCode, 0);
        ASSERT_EQ(run({"sign", "private.pem", "definitions.xml.tam", "definitions-sig.xml"}).exitCode, 0);
    }
    testing_support::ToolResult run(const std::vector<std::string>& arguments) {
        return runPublisher(folder.path(), arguments);
    }
    TempDir folder;
};

TEST_F(PublisherTool, KeygenPackSignVerifyRoundTrip) {
    // The key as the engine reads it, the private key for its owner only.
    EXPECT_EQ(fs::file_size(folder.path() / "publickey.dat"), 148u);
    EXPECT_EQ(fs::status(folder.path() / "private.pem").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);

    // The container holds the document, as the engine's reader sees it.
    const std::string packed = folder.read("definitions.xml.tam");
    EXPECT_EQ(compression::ZlibUncompressionStream().uncompress(std::vector<char>(packed.begin(), packed.end()),
                                                                512000000UL),
              std::vector<char>(DEFINITIONS.begin(), DEFINITIONS.end()));

    // The signature document names the uncompressed document and carries a 128-byte signature.
    const std::string document = folder.read("definitions-sig.xml");
    EXPECT_NE(document.find("<Reference URI=\"definitions.xml\">"), std::string::npos) << document;
    std::vector<char> digest;
    std::vector<char> signature;
    ASSERT_TRUE(encryption::pki::XmlSignature().parse(document, digest, signature));
    EXPECT_EQ(digest.size(), 20u);
    EXPECT_EQ(signature.size(), 128u);

    // Both the compressed and the plain file verify: the signature covers the plain bytes.
    for (const char* data : {"definitions.xml.tam", "definitions.xml"}) {
        SCOPED_TRACE(data);
        const auto result = run({"verify", "publickey.dat", data, "definitions-sig.xml"});
        EXPECT_EQ(result.exitCode, 0) << result.errors;
        EXPECT_EQ(result.output, "The signature is valid.\n");
    }

    ASSERT_EQ(run({"unpack", "definitions.xml.tam", "unpacked.xml"}).exitCode, 0);
    EXPECT_EQ(folder.read("unpacked.xml"), DEFINITIONS);

    // A plain document signs the same way, with the reference given.
    ASSERT_EQ(run({"sign", "private.pem", "definitions.xml", "plain-sig.xml", "https://example.invalid/d.xml"}).exitCode,
              0);
    EXPECT_NE(folder.read("plain-sig.xml").find("<Reference URI=\"https://example.invalid/d.xml\">"),
              std::string::npos);
    EXPECT_EQ(run({"verify", "publickey.dat", "definitions.xml.tam", "plain-sig.xml"}).exitCode, 0);
}

TEST_F(PublisherTool, TamperedDefinitionsOrSignatureGiveAMismatch) {
    std::string changed = DEFINITIONS;
    changed[changed.find("Demo")] = 'd';
    folder.write("changed.xml", changed);
    ASSERT_EQ(run({"pack", "changed.xml", "changed.xml.tam"}).exitCode, 0);

    const std::string document = folder.read("definitions-sig.xml");
    const auto value = document.find("<SignatureValue>") + 16;
    std::string otherSignature = document;
    otherSignature[value] = otherSignature[value] == 'A' ? 'B' : 'A';
    folder.write("other-sig.xml", otherSignature);

    const struct {
        const char* data;
        const char* signature;
    } cases[] = {{"changed.xml.tam", "definitions-sig.xml"}, {"changed.xml", "definitions-sig.xml"},
                 {"definitions.xml.tam", "other-sig.xml"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.data) + " with " + c.signature);
        const auto result = run({"verify", "publickey.dat", c.data, c.signature});
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.errors.rfind("The signature did not match the signed data. Public key size: 148. ", 0), 0u)
            << result.errors;
    }
}

TEST_F(PublisherTool, BadArgumentsAndBadFilesAreErrorsWithATextAndChangeNothing) {
    folder.write("broken.xml.tam", "not a container at all");
    folder.write("broken-sig.xml", "<Signature/>");
    folder.write("not-a-key.pem", "-----BEGIN NOTHING-----\n");
    folder.write("empty.dat", "");
    const auto before = entriesOf(folder.path());
    const std::string privateKey = folder.read("private.pem");

    const struct {
        std::vector<std::string> arguments;
        std::string errorText;  // a part of what standard error must say
    } cases[] = {
        {{}, "Usage: tamblix-publisher"},
        {{"encrypt", "a", "b"}, "Unknown command 'encrypt'."},
        {{"keygen", "only-one.pem"}, "Wrong number of arguments for 'keygen'."},
        {{"keygen", "new.pem", "new.dat", "many"}, "The key size 'many' is not a number of bits."},
        {{"keygen", "new.pem", "new.dat", "1000"}, "multiple of 8 from 1024 to 16384 bits, not 1000."},
        {{"keygen", "private.pem", "new.dat"}, "The file 'private.pem' already exists"},
        {{"pack", "missing.xml", "out.tam"}, "Could not read the file 'missing.xml': No such file or directory."},
        {{"pack", "definitions.xml", "no-such-folder/out.tam"}, "Could not write the file 'no-such-folder/out.tam'"},
        {{"unpack", "broken.xml.tam", "definitions.xml"}, "Error decompressing data using the 'uncompress' call."},
        {{"sign", "not-a-key.pem", "definitions.xml", "definitions-sig.xml"}, "it is not a PEM private key"},
        {{"sign", "private.pem", "definitions.xml"}, "Wrong number of arguments for 'sign'."},
        {{"verify", "publickey.dat", "definitions.xml.tam", "broken-sig.xml"},
         "Error parsing the Xml Signature. The xml data size is 12 bytes. XML data: [<Signature/>]."},
        {{"verify", "empty.dat", "definitions.xml.tam", "definitions-sig.xml"}, "Public Key blob size is: 0 bytes."},
        {{"verify", "publickey.dat", "broken.xml.tam", "definitions-sig.xml"}, "Error code: "},
    };
    for (const auto& c : cases) {
        std::string line;
        for (const auto& argument : c.arguments) line += argument + " ";
        SCOPED_TRACE(line);
        const auto result = run(c.arguments);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_NE(result.errors.find(c.errorText), std::string::npos) << result.errors;
    }
    // No file was added, replaced or left half-written.
    EXPECT_EQ(entriesOf(folder.path()), before);
    EXPECT_EQ(folder.read("definitions.xml"), DEFINITIONS);
    EXPECT_EQ(folder.read("private.pem"), privateKey);
}

}  // namespace
