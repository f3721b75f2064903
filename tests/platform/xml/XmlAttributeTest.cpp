// Reading attributes: presence, text, and the boolean, integer and floating-point forms.
#include <gtest/gtest.h>

#include "platform/xml/ComInitializer.h"
#include "platform/xml/XmlDocument.h"
#include "tests/platform/xml/XmlTestSupport.h"

using namespace windows::com::xml;
using xml_test::failureOf;

namespace {

class XmlAttribute : public ::testing::Test {
protected:
    // An element with attribute v set to value (written as an XML attribute literal).
    XmlElement elementWith(const std::string& value) {
        _document.loadXml("<e v=\"" + value + "\" other=\"x\"/>");
        return XmlElement(_document.selectNodes("/e").getItem(0));
    }

    windows::com::ComInitializer _com;
    XmlDocument _document;
};

const char* const ABSENT =
    "Error when getting the attribute 'missing' from an element.\n\nSystem error message: Element not found.\r\n";

TEST_F(XmlAttribute, AbsentAttributesAreReportedButNotPresent) {
    const XmlElement e = elementWith("1");
    EXPECT_TRUE(e.hasAttribute("v"));
    EXPECT_FALSE(e.hasAttribute("missing"));
    EXPECT_FALSE(e.hasAttribute("V"));  // names are case-sensitive
    EXPECT_EQ(failureOf([&] { e.getAttribute("missing"); }), ABSENT);
    EXPECT_EQ(failureOf([&] { e.getAttributeAsBool("missing"); }), ABSENT);
    EXPECT_EQ(failureOf([&] { e.getAttributeAsInt("missing"); }), ABSENT);
    EXPECT_EQ(failureOf([&] { e.getAttributeAsDouble("missing"); }), ABSENT);
    EXPECT_EQ(failureOf([&] { e.hasAttribute(""); }),
              "Error when checking if the attribute  exists.\n\nSystem error message: A parameter is not valid.\r\n");
}

TEST_F(XmlAttribute, ValuesComeBackAsTheDocumentMeansThem) {
    struct Case {
        const char* written;
        const char* value;
    } const cases[] = {
        {"", ""},
        {"plain", "plain"},
        {"a &amp; b &lt;c&gt; &quot;q&quot;", "a & b <c> \"q\""},
        {"&#x20AC;&#65;", "\xE2\x82\xAC" "A"},
        {"two  blanks", "two  blanks"},
        {"line&#10;feed", "line\nfeed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.written);
        EXPECT_EQ(elementWith(c.written).getAttribute("v"), c.value);
    }
}

TEST_F(XmlAttribute, BooleansAcceptExactlySixLiterals) {
    struct Case {
        const char* value;
        bool expected;
    } const accepted[] = {{"TRUE", true}, {"true", true}, {"1", true},
                          {"FALSE", false}, {"false", false}, {"0", false}};
    for (const Case& c : accepted) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(elementWith(c.value).getAttributeAsBool("v"), c.expected);
    }
    for (const char* value : {"True", "yes", "", " true", "2", "01"}) {
        SCOPED_TRACE(value);
        EXPECT_EQ(failureOf([&] { elementWith(value).getAttributeAsBool("v"); }),
                  "Error when getting the attribute. 'v' not a boolean. The attribute is set to: '" +
                      std::string(value) + "'.");
    }
}

TEST_F(XmlAttribute, IntegersFollowTheDecimalConversion) {
    struct Case {
        const char* value;
        int expected;
    } const accepted[] = {{"0", 0},       {"007", 7},     {"42", 42},  {"-17", -17}, {"+5", 5},
                          {"  12", 12},   {"12abc", 12},  {"0x1F", 0}, {"2147483647", 2147483647},
                          {"-2147483648", -2147483647 - 1}};
    for (const Case& c : accepted) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(elementWith(c.value).getAttributeAsInt("v"), c.expected);
    }
    EXPECT_EQ(failureOf<exceptions::NumberFormatException>([&] { elementWith("").getAttributeAsInt("v"); }),
              "The empty string cannot be parsed into an integer");
    // A zero that does not start the text, no digits, and numbers that do not fit.
    for (const char* value : {"abc", " 0", "-0", "+0", "x1", "2147483648", "-2147483649", "99999999999999999999"}) {
        SCOPED_TRACE(value);
        EXPECT_EQ(failureOf<exceptions::NumberFormatException>([&] { elementWith(value).getAttributeAsInt("v"); }),
                  "Error parsing the string [" + std::string(value) + "] to an integer");
    }
}

TEST_F(XmlAttribute, DoublesAreReadAsFloatingPointLiterals) {
    struct Case {
        const char* value;
        double expected;
    } const cases[] = {{"2.5", 2.5},   {"-0.125", -0.125}, {"1e3", 1000.0}, {"  7.75", 7.75},
                       {"3.5kg", 3.5}, {"abc", 0.0},       {"", 0.0},       {".5", 0.5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(elementWith(c.value).getAttributeAsDouble("v"), c.expected);
    }
}

TEST_F(XmlAttribute, InternalEntitiesExpandInValues) {
    _document.loadXml("<!DOCTYPE e [<!ENTITY co \"Quorvex &amp; Co\">]><e v=\"by &co;\">&co; Cleaner</e>");
    const XmlElement e(_document.selectNodes("/e").getItem(0));
    EXPECT_EQ(e.getAttribute("v"), "by Quorvex & Co");
    EXPECT_EQ(e.getText(), "Quorvex & Co Cleaner");
}

}  // namespace
