#pragma once
// Definitions documents and signed product folders for tests of the definitions
// store and of start-up.

#include <filesystem>
#include <string>
#include <vector>

namespace testing_support {

// One element of the product information; section is "messages" for the two
// messages, empty for the others. text goes into the document as it stands.
struct ProductValue {
    std::string key;
    std::string section;
    std::string text;
};

// The fifteen values in the order the store reads them, each text made of the tag
// and the key ("<tag> name", ...), the update counter "<counter>".
std::vector<ProductValue> productValues(const std::string& tag, const std::string& counter = "7");

// A values list without the element key (in section).
std::vector<ProductValue> without(std::vector<ProductValue> values, const std::string& key,
                                  const std::string& section = "");
// A values list with the element key (in section) written twice.
std::vector<ProductValue> doubled(std::vector<ProductValue> values, const std::string& key,
                                  const std::string& section = "");

// A whole document: root tamblix-definition, derivate-product-info with the values
// (the messages gathered in one messages element), and modifications holding the
// given XML.
std::string definitionsDocument(const std::vector<ProductValue>& values, const std::string& modifications = "");
// A document without derivate-product-info.
std::string documentWithoutProductInformation(const std::string& modifications = "");

std::vector<char> bytesOf(const std::string& text);

// A publisher's key pair, made once per test program (1024 bits, to keep tests quick).
struct TestKeys {
    std::string privateKeyPem;
    std::vector<char> publicKeyBlob;
};
const TestKeys& testKeys();
// Another pair, for signatures that must not match.
const TestKeys& otherTestKeys();

// The compressed container of a text.
std::vector<char> packed(const std::string& text);
// The detached signature document of a text under the private key.
std::string signatureDocument(const std::string& text, const std::string& privateKeyPem);

// Writes a product's fixed files below folder\system: normal mode files
// (definitions.xml.tam, permanent-definitions.xml.tam, definitions-sig.xml,
// publickey.dat) and the debug mode ones (definitions.xml,
// permanent-definitions.xml).
void writeProduct(const std::filesystem::path& folder, const std::string& definitions,
                  const std::string& permanentDefinitions);

}  // namespace testing_support
