#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "update/signature/XmlSignature.h"

namespace {

using Bytes = std::vector<char>;
using encryption::pki::XmlSignature;

Bytes bytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

TEST(XmlSignature, CreateWritesTheSixteenLinesOfTheDetachedDocument) {
    const std::string expected =
        "<?xml version=\"1.0\" ?>\n"
        "<Signature xmlns=\"http://www.w3.org/2000/09/xmldsig#\">\n"
        "  <SignedInfo>\n"
        "    <CanonicalizationMethod Algorithm=\"http://www.w3.org/TR/2001/REC-xml-c14n-20010315\"/>\n"
        "    <SignatureMethod Algorithm=\"http://www.w3.org/2000/09/xmldsig#rsa-sha1\"/>\n"
        "    <Reference URI=\"definitions.xml\">\n"
        "      <Transforms>\n"
        "        <Transform Algorithm=\"http://www.w3.org/TR/2001/REC-xml-c14n-20010315\"/>\n"
        "      </Transforms>\n"
        "      <DigestMethod Algorithm=\"http://www.w3.org/2000/09/xmldsig#sha1\"/>\n"
        "      <DigestValue>AAEC</DigestValue>\n"
        "    </Reference>\n"
        "  </SignedInfo>\n"
        "\n"
        "  <SignatureValue>//4=</SignatureValue>\n"
        "</Signature>\n";
    XmlSignature signature;
    EXPECT_EQ(signature.create(Bytes{0, 1, 2}, Bytes{'\xFF', '\xFE'}, "definitions.xml"), expected);
}

TEST(XmlSignature, CreateInsertsTheUriUnchanged) {
    const std::string document = XmlSignature().create({}, {}, "a\"b&<c>");
    EXPECT_NE(document.find("    <Reference URI=\"a\"b&<c>\">\n"), std::string::npos) << document;
    EXPECT_NE(document.find("<DigestValue></DigestValue>"), std::string::npos);
}

TEST(XmlSignature, ParseReadsBackWhatCreateWrote) {
    Bytes digest;
    Bytes signature;
    for (int i = 0; i < 20; ++i) digest.push_back(static_cast<char>(i * 13));
    for (int i = 0; i < 128; ++i) signature.push_back(static_cast<char>(255 - i * 7));
    XmlSignature xml;
    Bytes parsedDigest;
    Bytes parsedSignature;
    ASSERT_TRUE(xml.parse(xml.create(digest, signature, "definitions.xml"), parsedDigest, parsedSignature));
    EXPECT_EQ(parsedDigest, digest);
    EXPECT_EQ(parsedSignature, signature);
}

TEST(XmlSignature, ParseFindsTheValuesAsPlainSubstrings) {
    const struct {
        const char* name;
        std::string document;
        bool parsed;
        std::string digest;
        std::string signature;
    } cases[] = {
        {"values only", "<DigestValue>Zm9v</DigestValue><SignatureValue>YmFy</SignatureValue>", true, "foo", "bar"},
        {"signature before digest", "<SignatureValue>YmFy</SignatureValue><DigestValue>Zm9v</DigestValue>", true,
         "foo", "bar"},
        {"missing end tags: the values run on to the end", "<DigestValue>Zm9v<SignatureValue>YmFy", true, "foo",
         "bar"},
        {"empty values", "<DigestValue></DigestValue><SignatureValue></SignatureValue>", true, "", ""},
        {"a value wrapped onto two lines is cut at the break",
         "<DigestValue>Zm9v</DigestValue><SignatureValue>YmFy\nYmFy</SignatureValue>", true, "foo", "bar"},
        {"white space before a value leaves it empty",
         "<DigestValue> Zm9v</DigestValue><SignatureValue>YmFy</SignatureValue>", true, "", "bar"},
        {"digest end tag before its start tag",
         "</DigestValue><DigestValue>Zm9v</DigestValue><SignatureValue>YmFy</SignatureValue>", false, "", ""},
        {"signature end tag before its start tag",
         "<DigestValue>Zm9v</DigestValue></SignatureValue><SignatureValue>YmFy</SignatureValue>", false, "", ""},
        {"no digest", "<SignatureValue>YmFy</SignatureValue>", false, "", ""},
        {"no signature", "<DigestValue>Zm9v</DigestValue>", false, "", ""},
        {"empty document", "", false, "", ""},
        {"digest not Base64", "<DigestValue>Z!9v</DigestValue><SignatureValue>YmFy</SignatureValue>", false, "", ""},
        {"signature cut short", "<DigestValue>Zm9v</DigestValue><SignatureValue>YmF</SignatureValue>", false, "",
         ""},
        {"signature with a bad padding", "<DigestValue>Zm9v</DigestValue><SignatureValue>Yg=x</SignatureValue>",
         false, "", ""},
    };
    XmlSignature xml;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes digest = bytesOf("left over");
        Bytes signature = bytesOf("left over");
        EXPECT_EQ(xml.parse(c.document, digest, signature), c.parsed);
        EXPECT_EQ(digest, bytesOf(c.digest));
        EXPECT_EQ(signature, bytesOf(c.signature));
    }
}

}  // namespace
