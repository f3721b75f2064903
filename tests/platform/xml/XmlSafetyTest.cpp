// Hostile documents: nothing outside the text is read or contacted, and entity
// references cannot blow up the memory.
#include <gtest/gtest.h>

#include <string>

#include "platform/xml/ComInitializer.h"
#include "platform/xml/XmlDocument.h"
#include "tests/platform/xml/LoopbackListener.h"
#include "tests/platform/xml/XmlTestSupport.h"
#include "tests/support/TempDir.h"

using namespace windows::com::xml;
using testing_support::TempDir;
using xml_test::failureOf;

namespace {

const std::string SECRET = "TOP-SECRET-7f3a";

// Everything a caller could read out of the document: its serialisation (attribute
// values included) and the text of every element.
std::string everythingReadable(const XmlDocument& document) {
    std::string all = document.getXml();
    const XmlNodeList elements = document.selectNodes("//*");
    for (int i = 0; i < elements.getLength(); ++i) all += XmlElement(elements.getItem(i)).getText();
    return all;
}

std::string replaced(std::string text, const std::string& marker, const std::string& value) {
    for (auto at = text.find(marker); at != std::string::npos; at = text.find(marker, at + value.size())) {
        text.replace(at, marker.size(), value);
    }
    return text;
}

TEST(XmlSafety, ExternalResourcesAreNeverRead) {
    windows::com::ComInitializer com;
    TempDir folder;
    const std::string secretFile = folder.write("secret.txt", SECRET).string();
    const std::string secretDtd = folder.write("secret.dtd", "<!ENTITY leak \"" + SECRET + "\">").string();
    xml_test::LoopbackListener listener;
    const std::string web = "http://127.0.0.1:" + std::to_string(listener.port());

    const char* const documents[] = {
        "<!DOCTYPE r [<!ENTITY s SYSTEM \"file://SECRET_FILE\">]><r a=\"1\">&s;</r>",
        "<!DOCTYPE r [<!ENTITY s SYSTEM \"SECRET_FILE\">]><r><x>&s;</x></r>",
        "<!DOCTYPE r [<!ENTITY w SYSTEM \"WEB/entity\">]><r>&w;</r>",
        "<!DOCTYPE r [<!ENTITY % p SYSTEM \"WEB/parameter\"> %p;]><r/>",
        "<!DOCTYPE r [<!ENTITY % p SYSTEM \"file://SECRET_DTD\"> %p;]><r>&leak;</r>",
        "<!DOCTYPE r SYSTEM \"WEB/subset.dtd\"><r/>",
        "<!DOCTYPE r SYSTEM \"file://SECRET_DTD\"><r>&leak;</r>",
        "<!DOCTYPE r PUBLIC \"-//Quorvex//x\" \"WEB/public.dtd\"><r/>",
        "<r xmlns:xi=\"http://www.w3.org/2001/XInclude\"><xi:include href=\"file://SECRET_FILE\" parse=\"text\"/></r>",
        "<?xml-stylesheet href=\"WEB/style.xsl\"?><r/>",
    };
    for (const char* pattern : documents) {
        const std::string text = replaced(replaced(replaced(pattern, "SECRET_FILE", secretFile), "SECRET_DTD", secretDtd),
                                          "WEB", web);
        SCOPED_TRACE(text);
        XmlDocument document;
        const std::string failure = failureOf([&] { document.loadXml(text); });
        EXPECT_EQ(failure.find(SECRET), std::string::npos);
        if (failure == "<no exception>") {
            EXPECT_EQ(everythingReadable(document).find(SECRET), std::string::npos);
        }
    }
    EXPECT_FALSE(listener.wasContacted());
}

TEST(XmlSafety, LoadFileReadsOnlyTheNamedFile) {
    windows::com::ComInitializer com;
    TempDir folder;
    folder.write("secret.txt", SECRET);
    const std::string path =
        folder.write("definitions.xml", "<!DOCTYPE r [<!ENTITY s SYSTEM \"secret.txt\">]><r>&s;</r>").string();
    XmlDocument document;
    const std::string failure = failureOf([&] { document.loadFile(path); });
    EXPECT_EQ(failure.find(SECRET), std::string::npos);
    if (failure == "<no exception>") {
        EXPECT_EQ(everythingReadable(document).find(SECRET), std::string::npos);
    }
}

// Entity declarations nested so that each stands for `fanOut` copies of the one
// before; the document element refers to the last one.
std::string nestedEntities(int levels, int fanOut, const std::string& use) {
    std::string text = "<!DOCTYPE r [<!ENTITY e0 \"lol\">";
    for (int level = 1; level <= levels; ++level) {
        text += "<!ENTITY e" + std::to_string(level) + " \"";
        for (int i = 0; i < fanOut; ++i) text += "&e" + std::to_string(level - 1) + ";";
        text += "\">";
    }
    return text + "]>" + replaced(use, "LAST", "&e" + std::to_string(levels) + ";");
}

// One long entity used many times, in the content or in an attribute value: small in
// the document, large when read.
std::string repeatedEntity(std::size_t length, int uses, bool inAttribute = false) {
    std::string references;
    for (int i = 0; i < uses; ++i) references += "&big;";
    const std::string root = inAttribute ? "<r a=\"" + references + "\"/>" : "<r>" + references + "</r>";
    return "<!DOCTYPE r [<!ENTITY big \"" + std::string(length, 'x') + "\">]>" + root;
}

TEST(XmlSafety, EntityExpansionCannotExhaustTheMemory) {
    windows::com::ComInitializer com;
    const std::string prefix = "Error when loading the XML document from the memory.\n\nError Code: 89\n";
    struct Case {
        const char* name;
        std::string text;
    } const hostile[] = {
        {"a billion laughs", nestedEntities(9, 10, "<r>LAST</r>")},
        {"a billion laughs in an attribute", nestedEntities(9, 10, "<r a=\"LAST\"/>")},
        {"a long entity used often", repeatedEntity(100000, 200)},
        {"a long entity used often in an attribute", repeatedEntity(100000, 200, true)},
    };
    for (const Case& c : hostile) {
        SCOPED_TRACE(c.name);
        XmlDocument document;
        EXPECT_EQ(failureOf([&] { document.loadXml(c.text); }).substr(0, prefix.size()), prefix);
    }
    XmlDocument document;
    EXPECT_EQ(failureOf([&] { document.loadXml(repeatedEntity(100000, 200)); }),
              prefix + "Line: 0\nRow: 0\nDescription: The entity references of the document stand for more than "
                       "1048576 characters of text.\nError line: N/A\n\n\nSystem error message: The data is invalid.\r\n");

    // Modest use of entities stays possible.
    document.loadXml(repeatedEntity(1000, 100));
    EXPECT_EQ(XmlElement(document.selectNodes("/r").getItem(0)).getText(), std::string(100000, 'x'));
    document.loadXml(nestedEntities(2, 3, "<r a=\"LAST\">LAST</r>"));
    const XmlElement r(document.selectNodes("/r").getItem(0));
    EXPECT_EQ(r.getText(), replaced(std::string(9, '.'), ".", "lol"));
    EXPECT_EQ(r.getAttribute("a"), r.getText());
}

}  // namespace
