#include "engine/DefinitionsStore.h"

#include "platform/failure/Exception.h"
#include "platform/file/IStream.h"
#include "platform/file/TestStreamImpl.h"
#include "platform/xml/SharedParses.h"
#include "platform/xml/XmlDocument.h"
#include "update/UpdateCounter.h"
#include "update/compression/UncompressionStream.h"
#include "update/signature/MsCheckSignature.h"
#include "update/signature/XmlSignature.h"

namespace com::quorvex::products::tamblix {

namespace {

using windows::com::xml::XmlDocument;

std::string textOf(const std::vector<char>& bytes) { return std::string(bytes.begin(), bytes.end()); }

// One string value of the product information, in the order in which it is read.
struct TextValue {
    const char* key;
    const char* section;
    std::string ProductInformation::*member;
};

constexpr TextValue VALUES_BEFORE_COUNTER[] = {
    {"name", "", &ProductInformation::productName},
    {"author", "", &ProductInformation::author},
    {"version", "", &ProductInformation::productVersion},
    {"publisher", "", &ProductInformation::publisher},
    {"product-url", "", &ProductInformation::productUrl},
    {"contact-url", "", &ProductInformation::contactUrl},
};

constexpr TextValue VALUES_AFTER_COUNTER[] = {
    {"update-date", "", &ProductInformation::definitionsDate},
    {"tamblix-update-url", "", &ProductInformation::updateUrl},
    {"manual-update-url", "", &ProductInformation::manualUpdateUrl},
    {"troubleshoot-url", "", &ProductInformation::troubleshootUrl},
    {"introduction", "messages", &ProductInformation::introductionMessage},
    {"scan-finished", "messages", &ProductInformation::scanFinishedMessage},
    {"stylesheet", "", &ProductInformation::styleSheet},
    {"variant-url", "", &ProductInformation::variantUrl},
};

const char* const PRODUCT_INFORMATION = "//tamblix-definition/derivate-product-info";

std::vector<windows::com::xml::XmlElement> productSections(const XmlDocument& document) {
    const auto nodes = document.selectNodes(PRODUCT_INFORMATION);
    std::vector<windows::com::xml::XmlElement> sections;
    for (int i = 0; i < nodes.getLength(); ++i) sections.emplace_back(nodes.getItem(i));
    return sections;
}

// The text of the one node that relative selects below all the sections
// together, false when they hold none or several.
bool singleValue(const std::vector<windows::com::xml::XmlElement>& sections, const std::string& relative,
                 std::string& value) {
    int found = 0;
    for (const auto& section : sections) {
        const auto nodes = section.selectNodes(relative);
        found += nodes.getLength();
        if (found > 1) return false;
        if (nodes.getLength() == 1) value = windows::com::xml::XmlElement(nodes.getItem(0)).getText();
    }
    return found == 1;
}

}  // namespace

DefinitionsStore::DefinitionsStore(compression::UncompressionStream& uncompressor, const std::vector<char>& publicKey,
                                   bool debug)
    : _uncompressor(uncompressor), _publicKey(publicKey), _debug(debug) {}

void DefinitionsStore::load(platform::file::IStream& definitions, platform::file::IStream& signature,
                            platform::file::IStream& permanentDefinitions, DefinitionsTarget& target) const {
    const DefinitionTexts texts = read(definitions, signature, permanentDefinitions);
    // The store and every plugin read the same two documents: each is parsed once.
    windows::com::xml::SharedParses parses;
    applyProductInformation(texts, target);
    target.loadPluginDefinitions(texts.permanentDefinitions, texts.definitions);
}

DefinitionTexts DefinitionsStore::read(platform::file::IStream& definitions, platform::file::IStream& signature,
                                       platform::file::IStream& permanentDefinitions) const {
    std::vector<char> definitionBytes = definitions.read(0);
    std::vector<char> permanentBytes = permanentDefinitions.read(0);
    if (!_debug) {
        definitionBytes = _uncompressor.uncompress(definitionBytes, UNCOMPRESSED_LIMIT);
        permanentBytes = _uncompressor.uncompress(permanentBytes, UNCOMPRESSED_LIMIT);
    }
    if (!_debug) verify(definitionBytes, signature);
    return DefinitionTexts{textOf(definitionBytes), textOf(permanentBytes)};
}

void DefinitionsStore::verify(const std::vector<char>& definitions, platform::file::IStream& signature) const {
    const std::string document = textOf(signature.read(0));
    std::vector<char> digest;
    std::vector<char> signatureBytes;
    encryption::pki::XmlSignature parser;
    if (!parser.parse(document, digest, signatureBytes))
        throw TamblixEngineException("Error parsing the Xml Signature. The xml data size is " +
                                     std::to_string(document.size()) + " bytes. XML data: [" + document + "].");
    platform::file::TestStreamImpl keyStream(_publicKey);
    platform::file::TestStreamImpl signatureStream(signatureBytes);
    encryption::pki::MsCheckSignature checker;
    if (!checker.check(keyStream, definitions, signatureStream))
        throw TamblixEngineException("The signature did not match the signed data. Public key size: " +
                                     std::to_string(_publicKey.size()) +
                                     ". XML data size: " + std::to_string(definitions.size()) +
                                     ". Signature size: " + std::to_string(signatureBytes.size()) + ".");
}

void DefinitionsStore::applyProductInformation(const DefinitionTexts& texts, DefinitionsTarget& target) const {
    XmlDocument definitions;
    definitions.loadXml(texts.definitions);
    XmlDocument permanent;
    permanent.loadXml(texts.permanentDefinitions);

    const ProductValues values(definitions, permanent);
    ProductInformation information = target.getProductInformation();
    const auto store = [&](const TextValue& value) {
        information.*value.member = values.lookup(value.key, value.section);
        target.setProductInformation(information);
    };
    for (const auto& value : VALUES_BEFORE_COUNTER) store(value);
    information.definitionsVersion = counterOf(values.lookup("update-counter", ""));
    target.setProductInformation(information);
    for (const auto& value : VALUES_AFTER_COUNTER) store(value);
}

struct ProductValues::Sections {
    std::vector<windows::com::xml::XmlElement> definitions;
    std::vector<windows::com::xml::XmlElement> permanent;
};

ProductValues::ProductValues(const XmlDocument& definitions, const XmlDocument& permanent)
    : _sections(std::make_unique<Sections>(Sections{productSections(definitions), productSections(permanent)})) {}

ProductValues::~ProductValues() = default;

std::string ProductValues::lookup(const std::string& key, const std::string& section) const {
    const std::string relative = section.empty() ? key : section + "/" + key;
    std::string value;
    if (singleValue(_sections->definitions, relative, value) || singleValue(_sections->permanent, relative, value))
        return value;
    throw TamblixEngineException("Could not get the value in the xml file(s) for the following path: " +
                                 std::string(PRODUCT_INFORMATION) + "/" + relative);
}

int DefinitionsStore::counterOf(const std::string& text) { return counterOfText(text); }

}  // namespace com::quorvex::products::tamblix
