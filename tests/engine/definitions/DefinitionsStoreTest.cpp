#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "engine/DefinitionsStore.h"
#include "platform/file/FileExceptions.h"
#include "platform/file/TestStreamImpl.h"
#include "platform/xml/ComInitializer.h"
#include "platform/xml/XmlExceptions.h"
#include "tests/engine/definitions/ProductFixture.h"
#include "update/compression/CompressionException.h"
#include "update/compression/ZlibUncompressionStream.h"
#include "update/signature/SignatureException.h"

namespace {

using namespace com::quorvex::products::tamblix;
using namespace testing_support;
using platform::file::TestStreamImpl;

// Keeps what the store hands over.
struct RecordingTarget : DefinitionsTarget {
    ProductInformation information;
    int stores = 0;
    std::vector<std::string> pluginCalls;  // "permanent|definitions" per call

    ProductInformation getProductInformation() override { return information; }
    void setProductInformation(const ProductInformation& given) override {
        information = given;
        ++stores;
    }
    void loadPluginDefinitions(const std::string& permanent, const std::string& definitions) override {
        pluginCalls.push_back(permanent + "|" + definitions);
    }
};

// A stream that must not be read.
struct UntouchableStream : platform::file::IStream {
    std::vector<char> read(std::size_t) override {
        ADD_FAILURE() << "the stream was read";
        return {};
    }
    long long size() override {
        ADD_FAILURE() << "the stream was asked its size";
        return 0;
    }
    bool isEof() override { return true; }
};

struct FailingStream : platform::file::IStream {
    std::vector<char> read(std::size_t) override {
        throw io::file::IStreamException("Could not read the file .\\system\\definitions.xml.tam");
    }
    long long size() override { return 0; }
    bool isEof() override { return false; }
};

// The introduction directly below the product information, not in messages.
std::vector<ProductValue> misplacedIntroduction(const std::vector<ProductValue>& values) {
    auto moved = without(values, "introduction", "messages");
    moved.push_back({"introduction", "", "misplaced"});
    return moved;
}

// The document with a second product information element that holds only a name.
std::string splitInformation(const std::string& document) {
    const std::string marker = "  </derivate-product-info>\n";
    std::string split = document;
    split.insert(split.find(marker) + marker.size(),
                 "  <derivate-product-info><name>second name</name></derivate-product-info>\n");
    return split;
}

const std::string LOOKUP_FAILURE = "Could not get the value in the xml file(s) for the following path: ";

class DefinitionsStoreTest : public ::testing::Test {
protected:
    // Loads plain documents in debug mode.
    void loadDebug(const std::string& definitions, const std::string& permanent) {
        TestStreamImpl d(bytesOf(definitions));
        TestStreamImpl p(bytesOf(permanent));
        UntouchableStream signature;
        DefinitionsStore(uncompressor, key, true).load(d, signature, p, target);
    }
    // Loads containers in normal mode with the given signature document.
    void loadNormal(const std::vector<char>& definitions, const std::string& signature,
                    const std::vector<char>& permanent) {
        TestStreamImpl d(definitions);
        TestStreamImpl s(bytesOf(signature));
        TestStreamImpl p(permanent);
        DefinitionsStore(uncompressor, key, false).load(d, s, p, target);
    }
    std::string message(const std::function<void()>& load) {
        try {
            load();
        } catch (const exceptions::Exception& e) {
            return e.getMessage();
        }
        return "(nothing thrown)";
    }

    windows::com::ComInitializer com;
    compression::ZlibUncompressionStream uncompressor;
    std::vector<char> key = testKeys().publicKeyBlob;
    RecordingTarget target;
};

TEST_F(DefinitionsStoreTest, DebugModeReadsPlainDocumentsAndHandsBothToThePlugins) {
    const std::string definitions = definitionsDocument(productValues("D", "12"), "<hosts-block-plugin/>");
    const std::string permanent = definitionsDocument(productValues("P"));
    loadDebug(definitions, permanent);

    const ProductInformation& i = target.information;
    EXPECT_EQ(i.productName, "D name");
    EXPECT_EQ(i.author, "D author");
    EXPECT_EQ(i.productVersion, "D version");
    EXPECT_EQ(i.publisher, "D publisher");
    EXPECT_EQ(i.productUrl, "D product-url");
    EXPECT_EQ(i.contactUrl, "D contact-url");
    EXPECT_EQ(i.definitionsVersion, 12);
    EXPECT_EQ(i.definitionsDate, "D update-date");
    EXPECT_EQ(i.updateUrl, "D tamblix-update-url");
    EXPECT_EQ(i.manualUpdateUrl, "D manual-update-url");
    EXPECT_EQ(i.troubleshootUrl, "D troubleshoot-url");
    EXPECT_EQ(i.introductionMessage, "D introduction");
    EXPECT_EQ(i.scanFinishedMessage, "D scan-finished");
    EXPECT_EQ(i.styleSheet, "D stylesheet");
    EXPECT_EQ(i.variantUrl, "D variant-url");
    // Each value is stored as soon as it is read.
    EXPECT_EQ(target.stores, 15);
    // The plugins get the texts unchanged: the permanent definitions first.
    EXPECT_EQ(target.pluginCalls, std::vector<std::string>{permanent + "|" + definitions});
}

TEST_F(DefinitionsStoreTest, ValuesComeFromTheDefinitionsWhenTheyHoldThemOnceElseFromThePermanentOnes) {
    struct Case {
        const char* what;
        std::string definitions;
        std::string permanent;
        std::string name;     // expected productName
        std::string failure;  // expected message, empty when the load succeeds
    };
    const auto d = productValues("D");
    const auto p = productValues("P");
    const Case cases[] = {
        {"definitions without product information", documentWithoutProductInformation(), definitionsDocument(p),
         "P name", ""},
        {"name in both", definitionsDocument(d), definitionsDocument(p), "D name", ""},
        {"name twice in the definitions", definitionsDocument(doubled(d, "name")), definitionsDocument(p), "P name",
         ""},
        {"name only in the permanent definitions", definitionsDocument(without(d, "name")), definitionsDocument(p),
         "P name", ""},
        {"name twice in both", definitionsDocument(doubled(d, "name")), definitionsDocument(doubled(p, "name")), "",
         LOOKUP_FAILURE + "//tamblix-definition/derivate-product-info/name"},
        {"scan-finished in neither", definitionsDocument(without(d, "scan-finished", "messages")),
         definitionsDocument(without(p, "scan-finished", "messages")), "",
         LOOKUP_FAILURE + "//tamblix-definition/derivate-product-info/messages/scan-finished"},
        {"several missing: name is reported first",
         definitionsDocument(without(without(d, "name"), "stylesheet")),
         definitionsDocument(without(without(p, "name"), "stylesheet")), "",
         LOOKUP_FAILURE + "//tamblix-definition/derivate-product-info/name"},
        {"name in each of two product information elements", splitInformation(definitionsDocument(d)),
         definitionsDocument(p), "P name", ""},
        {"values spread over two product information elements",
         splitInformation(definitionsDocument(without(d, "name"))), documentWithoutProductInformation(),
         "second name", ""},
        {"a message outside messages does not count", definitionsDocument(misplacedIntroduction(d)),
         definitionsDocument(misplacedIntroduction(p)), "",
         LOOKUP_FAILURE + "//tamblix-definition/derivate-product-info/messages/introduction"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        target = RecordingTarget();
        const std::string failure = message([&] { loadDebug(c.definitions, c.permanent); });
        if (c.failure.empty()) {
            EXPECT_EQ(failure, "(nothing thrown)");
            EXPECT_EQ(target.information.productName, c.name);
            EXPECT_EQ(target.pluginCalls.size(), 1u);
        } else {
            EXPECT_EQ(failure, c.failure);
            EXPECT_TRUE(target.pluginCalls.empty());
        }
    }
}

TEST_F(DefinitionsStoreTest, AFailingLookupLeavesTheValuesBeforeItReplacedAndThePluginsUntouched) {
    target.information.productName = "old name";
    target.information.styleSheet = "old sheet";
    const auto d = without(productValues("D"), "stylesheet");
    const std::string failure = message([&] { loadDebug(definitionsDocument(d), documentWithoutProductInformation()); });
    EXPECT_EQ(failure, LOOKUP_FAILURE + "//tamblix-definition/derivate-product-info/stylesheet");
    EXPECT_EQ(target.information.productName, "D name");
    EXPECT_EQ(target.information.scanFinishedMessage, "D scan-finished");
    EXPECT_EQ(target.information.styleSheet, "old sheet");
    EXPECT_TRUE(target.pluginCalls.empty());
}

TEST_F(DefinitionsStoreTest, ValuesAreTakenAsTheirWholeTextContent) {
    auto d = productValues("D");
    d[0].text = "Demo &amp; <b>Co</b>";
    d[13].text = "<![CDATA[body { color: red; }]]>";
    loadDebug(definitionsDocument(d), documentWithoutProductInformation());
    EXPECT_EQ(target.information.productName, "Demo & Co");
    EXPECT_EQ(target.information.styleSheet, "body { color: red; }");
}

TEST_F(DefinitionsStoreTest, TheCounterIsReadAsAtolReadsIt) {
    struct Case {
        const char* text;
        int counter;
    };
    const Case cases[] = {
        {"42", 42},
        {"17abc", 17},
        {"", 0},
        {"abc", 0},
        {" \t\n\r\v\f8", 8},
        {"-5", -5},
        {"+6", 6},
        {"- 5", 0},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"99999999999999999999", INT_MAX},
        {"-99999999999999999999", INT_MIN},
        {"0009", 9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(DefinitionsStore::counterOf(c.text), c.counter);
    }
    // And in a document: digits followed by letters, and an empty element.
    loadDebug(definitionsDocument(productValues("D", "31st")), documentWithoutProductInformation());
    EXPECT_EQ(target.information.definitionsVersion, 31);
    loadDebug(definitionsDocument(productValues("D", "")), documentWithoutProductInformation());
    EXPECT_EQ(target.information.definitionsVersion, 0);
}

TEST_F(DefinitionsStoreTest, NormalModeUncompressesBothAndChecksTheDefinitionsSignature) {
    const std::string definitions = definitionsDocument(productValues("D"), "<hosts-block-plugin/>");
    const std::string permanent = definitionsDocument(productValues("P"));
    loadNormal(packed(definitions), signatureDocument(definitions, testKeys().privateKeyPem), packed(permanent));
    EXPECT_EQ(target.information.productName, "D name");
    EXPECT_EQ(target.pluginCalls, std::vector<std::string>{permanent + "|" + definitions});

    // The permanent definitions are not signed: a changed byte is accepted.
    std::string changedPermanent = permanent;
    changedPermanent[changedPermanent.find("P name")] = 'Q';
    target = RecordingTarget();
    loadNormal(packed(definitions), signatureDocument(definitions, testKeys().privateKeyPem), packed(changedPermanent));
    EXPECT_EQ(target.pluginCalls, std::vector<std::string>{changedPermanent + "|" + definitions});
}

TEST_F(DefinitionsStoreTest, NormalModeFailuresAndTheirTexts) {
    const std::string definitions = definitionsDocument(productValues("D"));
    const std::string permanent = definitionsDocument(productValues("P"));
    const std::string signature = signatureDocument(definitions, testKeys().privateKeyPem);
    std::string changed = definitions;
    changed[changed.find("D name")] = 'E';
    const std::string size = std::to_string(definitions.size());
    const std::string keySize = std::to_string(key.size());
    const std::string brokenSignature = "<Signature><SignatureValue>@@@</SignatureValue></Signature>";

    struct Case {
        const char* what;
        std::vector<char> definitions;
        std::string signature;
        std::vector<char> permanent;
        std::string failure;
    };
    const Case cases[] = {
        {"a changed byte in the definitions", packed(changed), signature, packed(permanent),
         "The signature did not match the signed data. Public key size: " + keySize + ". XML data size: " + size +
             ". Signature size: 128."},
        {"signed by another key", packed(definitions), signatureDocument(definitions, otherTestKeys().privateKeyPem),
         packed(permanent),
         "The signature did not match the signed data. Public key size: " + keySize + ". XML data size: " + size +
             ". Signature size: 128."},
        {"a signature document without its values", packed(definitions), brokenSignature, packed(permanent),
         "Error parsing the Xml Signature. The xml data size is " + std::to_string(brokenSignature.size()) +
             " bytes. XML data: [" + brokenSignature + "]."},
        {"an empty signature document", packed(definitions), "", packed(permanent),
         "Error parsing the Xml Signature. The xml data size is 0 bytes. XML data: []."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        target = RecordingTarget();
        EXPECT_EQ(message([&] { loadNormal(c.definitions, c.signature, c.permanent); }), c.failure);
        EXPECT_EQ(target.stores, 0);
        EXPECT_TRUE(target.pluginCalls.empty());
    }
}

TEST_F(DefinitionsStoreTest, FailuresOfTheLayersBelowPassThroughWithTheirOwnTypes) {
    const std::string definitions = definitionsDocument(productValues("D"));
    const std::string signature = signatureDocument(definitions, testKeys().privateKeyPem);
    const std::vector<char> permanent = packed(definitions);

    // Plain XML where containers belong, in normal mode; either file.
    EXPECT_THROW(loadNormal(bytesOf(definitions), signature, permanent), compression::CompressionException);
    EXPECT_THROW(loadNormal(packed(definitions), signature, bytesOf(definitions)), compression::CompressionException);

    // Containers where plain XML belongs, in debug mode; and malformed XML.
    const std::vector<char> container = packed(definitions);
    const std::string containerText(container.begin(), container.end());
    for (const auto& [what, d, p] : {std::tuple<const char*, std::string, std::string>{"container", containerText, definitions},
                                     {"malformed definitions", "<tamblix-definition>", definitions},
                                     {"malformed permanent definitions", definitions, "<tamblix-definition><a></b>"}}) {
        SCOPED_TRACE(what);
        try {
            loadDebug(d, p);
            ADD_FAILURE() << "nothing thrown";
        } catch (const windows::com::xml::XMLException& e) {
            EXPECT_EQ(e.getMessage().rfind("Error when loading the XML document from the memory.\n\n", 0), 0u)
                << e.getMessage();
        }
        EXPECT_TRUE(target.pluginCalls.empty());
    }

    // A public key that is no key: the signature check's own failure.
    key = {'n', 'o'};
    EXPECT_THROW(loadNormal(packed(definitions), signature, permanent), encryption::pki::SignatureException);

    // A stream that cannot be read.
    FailingStream unreadable;
    TestStreamImpl s(bytesOf(signature));
    TestStreamImpl p(permanent);
    EXPECT_THROW(DefinitionsStore(uncompressor, key, false).load(unreadable, s, p, target), io::file::IStreamException);
}

}  // namespace
