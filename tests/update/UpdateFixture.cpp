#include "tests/update/UpdateFixture.h"

#include "tools/publisher/KeyPair.h"
#include "update/compression/ZlibCompressionStream.h"
#include "update/signature/XmlSignature.h"

namespace update_testing {

namespace {
const publisher::KeyPair& testKey() {
    static const publisher::KeyPair key = publisher::generateKeyPair(publisher::SMALLEST_KEY_BITS);
    return key;
}
}  // namespace

const std::vector<char>& publicKey() { return testKey().publicKeyBlob; }
const std::string& privateKey() { return testKey().privateKeyPem; }
const std::string& strangerKey() {
    static const publisher::KeyPair key = publisher::generateKeyPair(publisher::SMALLEST_KEY_BITS);
    return key.privateKeyPem;
}

std::vector<char> bytesOf(const std::string& text) { return std::vector<char>(text.begin(), text.end()); }
std::string textOf(const std::vector<char>& bytes) { return std::string(bytes.begin(), bytes.end()); }

std::string definitionsText(int counter, const std::string& url) {
    return "<?xml version=\"1.0\"?>\n<tamblix-definition><derivate-product-info>"
           "<name>Updated</name><update-counter>" +
           std::to_string(counter) + "</update-counter><tamblix-update-url>" + url +
           "</tamblix-update-url></derivate-product-info><modifications/></tamblix-definition>\n";
}

Edition signedEdition(const std::string& text, const std::string& key) {
    const std::vector<char> bytes = bytesOf(text);
    Edition edition;
    edition.text = text;
    edition.container = compression::ZlibCompressionStream().compress(bytes, 512000000UL);
    edition.signature = bytesOf(encryption::pki::XmlSignature().create(publisher::sha1Digest(bytes),
                                                                      publisher::signSha1(key, bytes), "definitions.xml"));
    return edition;
}

Edition signedEdition(int counter) { return signedEdition(definitionsText(counter)); }

std::string descriptionText(const std::string& counter, const std::vector<Item>& items) {
    std::string text = "<?xml version=\"1.0\"?>\n<tamblix-update>\n<derivate-product-info>\n<update-counter>" +
                       counter + "</update-counter>\n<items>\n";
    for (const Item& item : items) {
        text += "<item type=\"" + item.type + "\" size=\"" + item.size + "\">";
        for (const std::string& url : item.urls) text += "<url>" + url + "</url>";
        text += "</item>\n";
    }
    return text + "</items>\n</derivate-product-info>\n</tamblix-update>\n";
}

}  // namespace update_testing
