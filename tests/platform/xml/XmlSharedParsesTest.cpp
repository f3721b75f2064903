// One parse shared by the documents that load the same text while a scope lives.
#include <gtest/gtest.h>

#include <thread>

#include "platform/failure/SystemErrors.h"
#include "platform/xml/ComInitializer.h"
#include "platform/xml/SharedParses.h"
#include "platform/xml/XmlDocument.h"
#include "tests/platform/xml/XmlTestSupport.h"

using namespace windows::com::xml;
using xml_test::failureOf;

namespace {

const std::string TEXT = "<a><b n=\"1\">one</b></a>";
const std::string ACCESS_DENIED_TEXT = "\n\n" + SystemErrors::map(5);

XmlElement firstB(const XmlDocument& document) { return XmlElement(document.selectNodes("//b").getItem(0)); }

TEST(XmlSharedParses, DocumentsOfTheSameTextShareOneReadOnlyTree) {
    windows::com::ComInitializer com;
    XmlDocument first;
    XmlDocument second;
    XmlDocument other;
    {
        SharedParses parses;
        first.loadXml(TEXT);
        second.loadXml(TEXT);
        other.loadXml("<a><b n=\"2\"/></a>");
    }
    EXPECT_TRUE(firstB(first) == firstB(second));
    EXPECT_FALSE(firstB(first) == firstB(other));

    XmlElement b = firstB(second);
    struct Change {
        const char* name;
        std::function<void()> make;
        std::string message;
    } const changes[] = {
        {"attribute", [&] { b.setAttribute("n", "9"); }, "Error when setting attribute n with value 9."},
        {"text", [&] { b.setText("nine"); }, "Error when setting the text of an element. Text: nine"},
        {"remove", [&] { b.getParent().removeChild(b); }, "Error when removing a child node."},
        {"remove all", [&] { b.removeAllChildren(); }, "Error when removing a child node."},
        {"append", [&] { b.getParent().appendChild(b); }, "Error when appending a child node."},
        {"create", [&] { second.createNode("element", "c", ""); },
         "Could not create the XML node 'c' in the namespace URI ''."},
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.name);
        EXPECT_EQ(failureOf(change.make), change.message + ACCESS_DENIED_TEXT);
    }
    EXPECT_EQ(first.getXml(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + TEXT + "\n");
    EXPECT_EQ(firstB(first).getText(), "one");
}

TEST(XmlSharedParses, OutsideAScopeAndOnOtherThreadsEveryLoadParses) {
    windows::com::ComInitializer com;
    XmlDocument before;
    before.loadXml(TEXT);
    SharedParses parses;
    XmlDocument inScope;
    inScope.loadXml(TEXT);
    XmlDocument elsewhere;
    std::thread([&] {
        windows::com::ComInitializer threadCom;
        elsewhere.loadXml(TEXT);
    }).join();

    EXPECT_FALSE(firstB(before) == firstB(inScope));
    EXPECT_FALSE(firstB(elsewhere) == firstB(inScope));
    firstB(before).setAttribute("n", "2");
    firstB(elsewhere).setAttribute("n", "3");
    EXPECT_EQ(firstB(inScope).getAttribute("n"), "1");
}

TEST(XmlSharedParses, AnInnerScopeSharesWithinItselfAndAFailedTextFailsEachTime) {
    windows::com::ComInitializer com;
    SharedParses outer;
    XmlDocument outerDocument;
    outerDocument.loadXml(TEXT);
    {
        SharedParses inner;
        XmlDocument first;
        XmlDocument second;
        first.loadXml(TEXT);
        second.loadXml(TEXT);
        EXPECT_TRUE(firstB(first) == firstB(second));
        EXPECT_FALSE(firstB(first) == firstB(outerDocument));
        for (int attempt = 0; attempt < 2; ++attempt) {
            SCOPED_TRACE(attempt);
            EXPECT_NE(failureOf([&] { first.loadXml("<a><b></a>"); }), "<no exception>");
        }
    }
    XmlDocument after;
    after.loadXml(TEXT);
    EXPECT_TRUE(firstB(after) == firstB(outerDocument));
}

}  // namespace
