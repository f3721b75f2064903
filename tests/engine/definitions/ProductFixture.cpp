#include "tests/engine/definitions/ProductFixture.h"

#include <algorithm>
#include <fstream>

#include "tools/publisher/KeyPair.h"
#include "update/compression/ZlibCompressionStream.h"
#include "update/signature/XmlSignature.h"

namespace testing_support {

namespace {

const char* const KEYS[][2] = {
    {"name", ""},         {"author", ""},           {"version", ""},           {"publisher", ""},
    {"product-url", ""},  {"contact-url", ""},      {"update-counter", ""},    {"update-date", ""},
    {"tamblix-update-url", ""}, {"manual-update-url", ""}, {"troubleshoot-url", ""},
    {"introduction", "messages"}, {"scan-finished", "messages"}, {"stylesheet", ""}, {"variant-url", ""},
};

std::string element(const ProductValue& value) {
    return "<" + value.key + ">" + value.text + "</" + value.key + ">";
}

TestKeys makeKeys() {
    const publisher::KeyPair pair = publisher::generateKeyPair(1024);
    return TestKeys{pair.privateKeyPem, pair.publicKeyBlob};
}

void writeFile(const std::filesystem::path& path, const std::vector<char>& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

std::vector<ProductValue> productValues(const std::string& tag, const std::string& counter) {
    std::vector<ProductValue> values;
    for (const auto& key : KEYS) {
        const std::string name = key[0];
        values.push_back({name, key[1], name == "update-counter" ? counter : tag + " " + name});
    }
    return values;
}

std::vector<ProductValue> without(std::vector<ProductValue> values, const std::string& key,
                                  const std::string& section) {
    values.erase(std::remove_if(values.begin(), values.end(),
                                [&](const ProductValue& v) { return v.key == key && v.section == section; }),
                 values.end());
    return values;
}

std::vector<ProductValue> doubled(std::vector<ProductValue> values, const std::string& key,
                                  const std::string& section) {
    for (auto at = values.begin(); at != values.end(); ++at) {
        if (at->key == key && at->section == section) {
            values.insert(at, *at);
            break;
        }
    }
    return values;
}

std::string definitionsDocument(const std::vector<ProductValue>& values, const std::string& modifications) {
    std::string info;
    std::string messages;
    for (const auto& value : values) (value.section.empty() ? info : messages) += "    " + element(value) + "\n";
    if (!messages.empty()) info += "    <messages>\n  " + messages + "    </messages>\n";
    return "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<tamblix-definition>\n"
           "  <derivate-product-info>\n" +
           info + "  </derivate-product-info>\n  <modifications>" + modifications +
           "</modifications>\n</tamblix-definition>\n";
}

std::string documentWithoutProductInformation(const std::string& modifications) {
    return "<?xml version=\"1.0\"?>\n<tamblix-definition>\n  <modifications>" + modifications +
           "</modifications>\n</tamblix-definition>\n";
}

std::vector<char> bytesOf(const std::string& text) { return std::vector<char>(text.begin(), text.end()); }

const TestKeys& testKeys() {
    static const TestKeys keys = makeKeys();
    return keys;
}

const TestKeys& otherTestKeys() {
    static const TestKeys keys = makeKeys();
    return keys;
}

std::vector<char> packed(const std::string& text) {
    return compression::ZlibCompressionStream().compress(bytesOf(text), 512000000UL);
}

std::string signatureDocument(const std::string& text, const std::string& privateKeyPem) {
    const std::vector<char> data = bytesOf(text);
    return encryption::pki::XmlSignature().create(publisher::sha1Digest(data), publisher::signSha1(privateKeyPem, data),
                                                  "definitions.xml");
}

void writeProduct(const std::filesystem::path& folder, const std::string& definitions,
                  const std::string& permanentDefinitions) {
    const auto system = folder / "system";
    writeFile(system / "definitions.xml.tam", packed(definitions));
    writeFile(system / "permanent-definitions.xml.tam", packed(permanentDefinitions));
    writeFile(system / "definitions-sig.xml", bytesOf(signatureDocument(definitions, testKeys().privateKeyPem)));
    writeFile(system / "publickey.dat", testKeys().publicKeyBlob);
    writeFile(system / "definitions.xml", bytesOf(definitions));
    writeFile(system / "permanent-definitions.xml", bytesOf(permanentDefinitions));
}

}  // namespace testing_support
