// Loading documents from memory and files, and the report of a failed load.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "platform/xml/ComInitializer.h"
#include "platform/xml/XmlDocument.h"
#include "tests/platform/xml/XmlTestSupport.h"
#include "tests/support/TempDir.h"

using namespace windows::com::xml;
using testing_support::TempDir;
using xml_test::failureOf;

namespace {

const std::string MEMORY_FAILURE = "Error when loading the XML document from the memory.\n\n";
const std::string INVALID_DATA_TEXT = "\n\nSystem error message: The data is invalid.\r\n";

std::string report(long code, long line, long row, const std::string& description, const std::string& errorLine) {
    return "Error Code: " + std::to_string(code) + "\nLine: " + std::to_string(line) + "\nRow: " +
           std::to_string(row) + "\nDescription: " + description + "\nError line: " + errorLine + "\n";
}

TEST(XmlLoad, DefinitionsAreReadTheWayEveryReaderReadsThem) {
    windows::com::ComInitializer com;
    XmlDocument document;
    document.loadXml(xml_test::DEFINITIONS);
    const XmlNodeList signatures = document.selectNodes(xml_test::SIGNATURES);
    ASSERT_EQ(signatures.getLength(), 3);

    struct Expected {
        const char* type;
        bool selected;  // the signature's own, else its group's
        const char* group;
        const char* text;
        bool hasSize;
    } const expected[] = {
        {"md5", true, "Adware", "d41d8cd98f00b204e9800998ecf8427e", true},
        {"histogram", false, "Adware", "0 17 255 3", false},
        {"md5", false, "Trojans", "900150983cd24fb0d6963f7d28e17f72", false},
    };
    for (int i = 0; i < signatures.getLength(); ++i) {
        SCOPED_TRACE(i);
        const XmlElement signature(signatures.getItem(i));
        const XmlElement group(signature.getParent());
        EXPECT_EQ(signature.getTagName(), "signature");
        EXPECT_EQ(signature.getAttribute("type"), expected[i].type);
        const bool selected = signature.hasAttribute("selected") ? signature.getAttributeAsBool("selected")
                                                                 : group.getAttributeAsBool("selected");
        EXPECT_EQ(selected, expected[i].selected);
        EXPECT_EQ(group.getAttribute("name"), expected[i].group);
        EXPECT_EQ(signature.getText(), expected[i].text);
        EXPECT_EQ(signature.hasAttribute("size"), expected[i].hasSize);
    }
    EXPECT_EQ(XmlElement(signatures.getItem(0)).getAttributeAsInt("size"), 1024);

    const XmlNodeList product = document.selectNodes("/tamblix-definition/product");
    ASSERT_EQ(product.getLength(), 1);
    EXPECT_EQ(XmlElement(product.getItem(0)).getAttributeAsDouble("version"), 2.1);
}

TEST(XmlLoad, TextThatIsNotWellFormedFailsWithTheParserReport) {
    struct Case {
        const char* name;
        std::string text;
        std::string report;
    } const cases[] = {
        {"tag mismatch", "<a>\n  <b>x</c>\n</a>",
         report(76, 2, 11, "Opening and ending tag mismatch: b line 2 and c", "  <b>x</c>")},
        {"no XML at all", "this is not xml", report(4, 1, 1, "Start tag expected, '<' not found", "this is not xml")},
        {"empty text", "", report(4, 1, 1, "Document is empty", "N/A")},
        {"cut off", "<a>\r\n<b>", report(77, 2, 4, "Premature end of data in tag b line 2", "<b>")},
        {"undeclared prefix", "<a><p:b/></a>", report(201, 1, 8, "Namespace prefix p on b is not defined", "<a><p:b/></a>")},
        {"two roots", "<a/>\n<b/>", report(5, 2, 1, "Extra content at the end of the document", "<b/>")},
        {"bytes that are not UTF-8", "<a>\xC3</a>",
         report(9, 1, 4, "Input is not proper UTF-8, indicate encoding !\nBytes: 0xC3 0x3C 0x2F 0x61", "N/A")},
        {"failing line in a declared single-byte encoding",
         "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<a>caf\xE9</b>",
         report(76, 2, 12, "Opening and ending tag mismatch: a line 2 and b", "<a>caf\xC3\xA9</b>")},
    };
    windows::com::ComInitializer com;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        XmlDocument document;
        EXPECT_EQ(failureOf([&] { document.loadXml(c.text); }), MEMORY_FAILURE + c.report + INVALID_DATA_TEXT);
    }
}

// Past 10 MB libxml2 refuses a text given whole; long lines made it give up early.
TEST(XmlLoad, DocumentsOfMoreThanTenMegabytesLoadAndReportWhereTheyFail) {
    const std::string value(900, 'v');
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<big>\n";
    int entries = 0;
    for (; text.size() < 10'500'000; ++entries) text += "  <e v=\"" + value + "\">" + std::to_string(entries) + "</e>\n";
    windows::com::ComInitializer com;
    XmlDocument document;
    document.loadXml(text + "</big>\n");
    const XmlNodeList all = document.selectNodes("/big/e");
    ASSERT_EQ(all.getLength(), entries);
    EXPECT_EQ(XmlElement(all.getItem(entries - 1)).getText(), std::to_string(entries - 1));
    EXPECT_EQ(XmlElement(document.selectNodes("/big").getItem(0)).getChildren().getLength(), entries);

    const int lastLine = entries + 3;
    EXPECT_EQ(failureOf([&] { document.loadXml(text + "</bug>\n"); }),
              MEMORY_FAILURE + report(76, lastLine, 7, "Opening and ending tag mismatch: big line 2 and bug", "</bug>") +
                  INVALID_DATA_TEXT);
}

TEST(XmlLoad, AFailedLoadLeavesAnEmptyDocumentAndEarlierHandlesUsable) {
    windows::com::ComInitializer com;
    XmlDocument document;
    EXPECT_EQ(document.getXml(), "");
    document.loadXml("<a><b>kept</b></a>");
    const XmlElement earlier(document.selectNodes("//b").getItem(0));

    EXPECT_NE(failureOf([&] { document.loadXml("<a><b>half</b>"); }), "<no exception>");
    EXPECT_EQ(document.getXml(), "");
    EXPECT_EQ(document.selectNodes("//*").getLength(), 0);
    EXPECT_EQ(earlier.getText(), "kept");
}

TEST(XmlLoad, BlankTextIsDroppedUnlessSpaceIsPreserved) {
    windows::com::ComInitializer com;
    XmlDocument document;
    document.loadXml("<a>\n  <b> </b>\n  <c>x <i>y</i> </c>\n  <pre xml:space=\"preserve\"> </pre>\n</a>");
    const XmlElement a(document.selectNodes("/a").getItem(0));
    EXPECT_EQ(a.getChildren().getLength(), 3);
    EXPECT_EQ(XmlElement(document.selectNodes("//b").getItem(0)).getChildren().getLength(), 0);
    const XmlElement c(document.selectNodes("//c").getItem(0));
    EXPECT_EQ(c.getChildren().getLength(), 2);  // "x " and <i>, not the blank after it
    EXPECT_EQ(c.getText(), "x y");
    EXPECT_EQ(XmlElement(document.selectNodes("//pre").getItem(0)).getChildren().getLength(), 1);
}

TEST(XmlLoad, DocumentsInOtherEncodingsArriveAsUtf8) {
    windows::com::ComInitializer com;
    XmlDocument document;
    document.loadXml("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a n=\"\xE9t\xE9\">caf\xE9</a>");
    const XmlElement a(document.selectNodes("/a").getItem(0));
    EXPECT_EQ(a.getText(), "caf\xC3\xA9");
    EXPECT_EQ(a.getAttribute("n"), "\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(document.getXml(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<a n=\"\xC3\xA9t\xC3\xA9\">caf\xC3\xA9</a>\n");
}

TEST(XmlLoad, FilesAreReadAndTheirFailuresReported) {
    windows::com::ComInitializer com;
    TempDir folder;
    const std::string good = folder.write("definitions.xml", xml_test::DEFINITIONS).string();
    const std::string broken = folder.write("broken.xml", "<a>\n<b></a>\n").string();
    const std::string missing = (folder.path() / "missing.xml").string();
    const std::string pipe = (folder.path() / "pipe.xml").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);

    XmlDocument document;
    document.loadFile(good);
    EXPECT_EQ(document.selectNodes(xml_test::SIGNATURES).getLength(), 3);

    struct Case {
        std::string path;
        std::string expected;
    } const cases[] = {
        {broken, report(76, 2, 8, "Opening and ending tag mismatch: b line 2 and a", "<b></a>") + INVALID_DATA_TEXT},
        {missing, report(-2147024894, 0, 0, "The file could not be found.", "N/A") +
                      "\n\nSystem error message: The file could not be found.\r\n"},
        // A folder or a pipe is no document file; a pipe without writer must not hang the load.
        {folder.path().string(),
         report(-2147024891, 0, 0, "Access is denied.", "N/A") + "\n\nSystem error message: Access is denied.\r\n"},
        {pipe, report(-2147024891, 0, 0, "Access is denied.", "N/A") + "\n\nSystem error message: Access is denied.\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(failureOf([&] { document.loadFile(c.path); }),
                  "Error when loading the XML document " + c.path + "\n\n" + c.expected);
        EXPECT_EQ(document.getXml(), "");
    }
}

}  // namespace
