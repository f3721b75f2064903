// XPath selections over the document and relative to an element, and tag queries.
#include <gtest/gtest.h>

#include <vector>

#include "platform/xml/ComInitializer.h"
#include "platform/xml/XmlDocument.h"
#include "tests/platform/xml/XmlTestSupport.h"

using namespace windows::com::xml;
using xml_test::failureOf;

namespace {

// The "name" attributes of the listed elements, in list order.
std::vector<std::string> namesOf(const XmlNodeList& list) {
    std::vector<std::string> names;
    for (int i = 0; i < list.getLength(); ++i) names.push_back(XmlElement(list.getItem(i)).getAttribute("name"));
    return names;
}

class XmlSelection : public ::testing::Test {
protected:
    void SetUp() override {
        _document.loadXml(R"(<root name="root">
            <group name="g1"><item name="a"/><item name="b"><item name="b1"/></item></group>
            <group name="g2"><item name="c"/></group>
            <other name="o"/>
        </root>)");
    }

    windows::com::ComInitializer _com;
    XmlDocument _document;
};

TEST_F(XmlSelection, ExpressionsSelectInDocumentOrder) {
    struct Case {
        const char* xpath;
        std::vector<std::string> names;
    } const cases[] = {
        {"//item", {"a", "b", "b1", "c"}},
        {"/root/group/item", {"a", "b", "c"}},
        {"//other | //group | //item[@name='b1']", {"g1", "b1", "g2", "o"}},
        {"//item[@name='c']/ancestor-or-self::*", {"root", "g2", "c"}},
        {"//group[2]/item", {"c"}},
        {"root/group", {"g1", "g2"}},  // relative to the document node
        {"//missing", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.xpath);
        EXPECT_EQ(namesOf(_document.selectNodes(c.xpath)), c.names);
    }
}

TEST_F(XmlSelection, RelativeExpressionsStartAtTheElement) {
    const XmlElement g1(_document.selectNodes("//group[@name='g1']").getItem(0));
    struct Case {
        const char* xpath;
        std::vector<std::string> names;
    } const cases[] = {
        {"item", {"a", "b"}},
        {".//item", {"a", "b", "b1"}},
        {"..", {"root"}},
        {"following-sibling::*", {"g2", "o"}},
        {"//item", {"a", "b", "b1", "c"}},  // absolute paths still start at the root
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.xpath);
        EXPECT_EQ(namesOf(g1.selectNodes(c.xpath)), c.names);
    }
}

TEST_F(XmlSelection, AnEmptySelectionHasNoFirstItem) {
    const XmlNodeList none = _document.selectNodes("//group[@name='g9']");
    EXPECT_EQ(none.getLength(), 0);
    EXPECT_EQ(failureOf([&] { none.getItem(0); }),
              "Error when getting the node from the nodelist.\n\nSystem error message: A parameter is not valid.\r\n");
    const XmlNodeList two = _document.selectNodes("//group");
    for (int index : {-1, 2}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(failureOf([&] { two.getItem(index); }),
                  "Error when getting the node from the nodelist.\n\nSystem error message: A parameter is not valid.\r\n");
    }
}

TEST_F(XmlSelection, ExpressionsThatSelectNoNodesFail) {
    const XmlElement root(_document.selectNodes("/root").getItem(0));
    // Not XPath, no node set, namespace nodes (which libxml2 hands out as copies) and no text at all.
    for (const char* xpath : {"//item[", "count(//item)", "//*/namespace::*", "", "\xC3("}) {
        SCOPED_TRACE(xpath);
        const std::string expected = "Error when selecting nodes with the expression " + std::string(xpath) + ".\n\n";
        EXPECT_EQ(failureOf([&] { _document.selectNodes(xpath); }).substr(0, expected.size()), expected);
        EXPECT_EQ(failureOf([&] { root.selectNodes(xpath); }).substr(0, expected.size()), expected);
    }
    EXPECT_EQ(failureOf([&] { _document.selectNodes("count(//item)"); }),
              "Error when selecting nodes with the expression count(//item).\n\n"
              "System error message: A parameter is not valid.\r\n");
}

TEST_F(XmlSelection, TagQueriesListDescendantElements) {
    EXPECT_EQ(namesOf(_document.getElementsByTagName("item")), (std::vector<std::string>{"a", "b", "b1", "c"}));
    EXPECT_EQ(_document.getElementsByTagName("*").getLength(), 8);
    const XmlElement b(_document.selectNodes("//item[@name='b']").getItem(0));
    EXPECT_EQ(namesOf(b.getElementsByTagName("item")), (std::vector<std::string>{"b1"}));  // not b itself
    EXPECT_EQ(b.getElementsByTagName("group").getLength(), 0);
}

TEST(XmlSelectionNamespaces, QualifiedNamesAreMatchedAsWritten) {
    windows::com::ComInitializer com;
    XmlDocument document;
    document.loadXml(R"(<d:root xmlns:d="urn:d" xmlns="urn:default"><d:item d:name="x" name="y"/><item/></d:root>)");
    EXPECT_EQ(document.getElementsByTagName("d:item").getLength(), 1);
    EXPECT_EQ(document.getElementsByTagName("item").getLength(), 1);
    const XmlElement item(document.getElementsByTagName("d:item").getItem(0));
    EXPECT_EQ(item.getTagName(), "d:item");
    EXPECT_EQ(item.getAttribute("d:name"), "x");
    EXPECT_EQ(item.getAttribute("name"), "y");
    const XmlElement root(document.getElementsByTagName("d:root").getItem(0));
    EXPECT_EQ(root.getAttribute("xmlns:d"), "urn:d");
    EXPECT_EQ(root.getAttribute("xmlns"), "urn:default");
    // XPath 1.0 names without prefix mean no namespace, so the default namespace hides <item/>.
    EXPECT_EQ(document.selectNodes("//item").getLength(), 0);
    EXPECT_EQ(document.selectNodes("//*[local-name()='item']").getLength(), 2);
}

}  // namespace
