// Editing the tree, writing it out, and the life of handles.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "platform/xml/ComInitializer.h"
#include "platform/xml/XmlDocument.h"
#include "tests/platform/xml/XmlTestSupport.h"
#include "tests/support/TempDir.h"

using namespace windows::com::xml;
using testing_support::TempDir;
using xml_test::failureOf;

namespace {

const char* const DECLARATION = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
const char* const INVALID_PARAMETER = "\n\nSystem error message: A parameter is not valid.\r\n";

class XmlTreeEdit : public ::testing::Test {
protected:
    void SetUp() override { _document.loadXml("<root><a>1</a><b>2</b><c>3</c></root>"); }

    XmlElement element(const std::string& xpath) { return XmlElement(_document.selectNodes(xpath).getItem(0)); }

    windows::com::ComInitializer _com;
    XmlDocument _document;
};

TEST_F(XmlTreeEdit, AppendMovesAndRemoveTakesOut) {
    XmlElement root = element("/root");
    const XmlElement a = element("//a");
    root.appendChild(a);  // already a child: moves to the end
    EXPECT_EQ(_document.getXml(), std::string(DECLARATION) + "<root><b>2</b><c>3</c><a>1</a></root>\n");

    XmlElement c = element("//c");
    c.appendChild(element("//b"));
    EXPECT_EQ(_document.getXml(), std::string(DECLARATION) + "<root><c>3<b>2</b></c><a>1</a></root>\n");

    root.removeChild(c);
    EXPECT_EQ(_document.getXml(), std::string(DECLARATION) + "<root><a>1</a></root>\n");
    EXPECT_FALSE(c.hasParent());
    EXPECT_EQ(c.getText(), "32");  // the removed subtree stays usable
    EXPECT_EQ(_document.selectNodes("//b").getLength(), 0);
    root.appendChild(c);
    EXPECT_EQ(_document.getXml(), std::string(DECLARATION) + "<root><a>1</a><c>3<b>2</b></c></root>\n");
}

TEST_F(XmlTreeEdit, RemoveAllChildrenEmptiesTheElement) {
    XmlElement root = element("/root");
    const XmlNodeList before = root.getChildren();
    root.removeAllChildren();
    EXPECT_EQ(root.getChildren().getLength(), 0);
    EXPECT_EQ(before.getLength(), 3);  // lists are snapshots
    EXPECT_EQ(XmlElement(before.getItem(2)).getText(), "3");
    EXPECT_EQ(_document.getXml(), std::string(DECLARATION) + "<root/>\n");
    root.removeAllChildren();  // nothing left: no failure
}

TEST_F(XmlTreeEdit, TextAndAttributesAreSetAsPlainText) {
    XmlElement a = element("//a");
    a.setAttribute("kind", "x < y & \"z\"");
    a.setAttribute("kind", "replaced & again");
    a.setText("<b>not markup</b> & ]]>");
    XmlElement root = element("/root");
    root.setAttribute("empty", "");
    EXPECT_EQ(_document.getXml(), std::string(DECLARATION) +
                                      "<root empty=\"\"><a kind=\"replaced &amp; again\">&lt;b&gt;not markup&lt;/b&gt; "
                                      "&amp; ]]&gt;</a><b>2</b><c>3</c></root>\n");
    EXPECT_EQ(a.getAttribute("kind"), "replaced & again");
    EXPECT_EQ(a.getText(), "<b>not markup</b> & ]]>");

    // Replacing an element's content keeps the replaced nodes alive for their handles.
    const XmlElement b = element("//b");
    root.setText("only text");
    EXPECT_EQ(root.getChildren().getLength(), 1);
    EXPECT_EQ(b.getText(), "2");
    root.setText("");
    EXPECT_EQ(root.getChildren().getLength(), 0);
}

TEST_F(XmlTreeEdit, TextThatCouldNotBeReadBackIsRefused) {
    XmlElement a = element("//a");
    const std::string before = _document.getXml();
    for (const std::string& text : {std::string("\x01"), std::string("caf\xC3"), std::string("nul\0byte", 8)}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(failureOf([&] { a.setText(text); }),
                  "Error when setting the text of an element. Text: " + text + INVALID_PARAMETER);
        EXPECT_EQ(failureOf([&] { a.setAttribute("v", text); }),
                  "Error when setting attribute v with value " + text + "." + INVALID_PARAMETER);
    }
    for (const char* name : {"", "1st", "a b", "undeclared:v", "xmlns", "xmlns:p"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(failureOf([&] { a.setAttribute(name, "v"); }),
                  "Error when setting attribute " + std::string(name) + " with value v." + INVALID_PARAMETER);
    }
    EXPECT_EQ(_document.getXml(), before);
}

TEST_F(XmlTreeEdit, CreatedNodesJoinTheTree) {
    XmlElement root = element("/root");
    XmlElement added(_document.createNode(NODE_ELEMENT, "added", ""));
    EXPECT_FALSE(added.hasParent());
    added.setAttribute("id", "7");
    added.setText("new");
    root.appendChild(added);
    root.appendChild(_document.createNode("comment", "ignored", ""));
    root.appendChild(_document.createNode("processinginstruction", "tamblix", ""));
    root.appendChild(_document.createNode(NODE_TEXT, "", ""));
    // A text appended behind a text stays a node of its own (merging them would free it).
    XmlElement a = element("//a");
    const XmlNode tail = _document.createNode(NODE_TEXT, "", "");
    a.appendChild(tail);
    EXPECT_EQ(a.getChildren().getLength(), 2);
    EXPECT_TRUE(tail.getParent() == a);
    XmlElement spaced(_document.createNode("element", "q:item", "urn:q"));
    spaced.setAttribute("q:flag", "1");
    root.appendChild(spaced);
    EXPECT_EQ(_document.getXml(), std::string(DECLARATION) +
                                      "<root><a>1</a><b>2</b><c>3</c><added id=\"7\">new</added><!----><?tamblix?>"
                                      "<q:item xmlns:q=\"urn:q\" q:flag=\"1\"/></root>\n");
    EXPECT_EQ(_document.selectNodes("//added[@id=7]").getLength(), 1);
    // A node made but never linked is freed with the document.
    _document.createNode(NODE_ELEMENT, "orphan", "");
}

TEST_F(XmlTreeEdit, NodesThatCannotBeMadeAreRefused) {
    struct Case {
        XmlNodeTypeValue type;
        const char* name;
        const char* uri;
        const char* cause;
    } const cases[] = {
        {NODE_ELEMENT, "a b", "", INVALID_PARAMETER},
        {NODE_ELEMENT, "", "", INVALID_PARAMETER},
        {NODE_ELEMENT, "p:a", "", INVALID_PARAMETER},
        {NODE_PROCESSING_INSTRUCTION, "xml", "", INVALID_PARAMETER},
        {NODE_ATTRIBUTE, "a", "", "\n\nSystem error message: The request is not supported.\r\n"},
        {std::string("documenttype"), "a", "", "\n\nSystem error message: The request is not supported.\r\n"},
        {std::string("Element"), "a", "", INVALID_PARAMETER},
        {13, "a", "", INVALID_PARAMETER},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(failureOf([&] { _document.createNode(c.type, c.name, c.uri); }),
                  "Could not create the XML node '" + std::string(c.name) + "' in the namespace URI '" +
                      std::string(c.uri) + "'." + c.cause);
    }
}

TEST_F(XmlTreeEdit, TheTreeStaysATree) {
    XmlElement root = element("/root");
    XmlElement a = element("//a");
    XmlNode documentNode = root.getParent();
    XmlDocument other;
    other.loadXml("<other/>");
    const std::string before = _document.getXml();
    struct Case {
        const char* name;
        XmlNode parent;
        XmlNode child;
    } const cases[] = {
        {"itself", a, a},
        {"an ancestor", a, root},
        {"a second document element", documentNode, _document.createNode(NODE_ELEMENT, "second", "")},
        {"text at document level", documentNode, _document.createNode(NODE_TEXT, "", "")},
        {"a node of another document", root, other.selectNodes("/other").getItem(0)},
        {"below a text", a.getChildren().getItem(0), _document.createNode(NODE_ELEMENT, "x", "")},
        {"the document node", root, documentNode},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        XmlNode parent = c.parent;
        EXPECT_EQ(failureOf([&] { parent.appendChild(c.child); }),
                  std::string("Error when appending a child node.") + INVALID_PARAMETER);
    }
    EXPECT_EQ(failureOf([&] { root.removeChild(element("//c").getChildren().getItem(0)); }),
              "Error when removing a child node.\n\nSystem error message: Element not found.\r\n");
    EXPECT_EQ(_document.getXml(), before);
}

TEST_F(XmlTreeEdit, ParentsEndAtTheDocumentNode) {
    const XmlElement root = element("/root");
    const XmlNode documentNode = root.getParent();
    EXPECT_EQ(documentNode.getNodeType(), NODE_DOCUMENT);
    EXPECT_TRUE(documentNode == _document.selectNodes("/").getItem(0));
    EXPECT_FALSE(documentNode.hasParent());
    const char* const noParent = "Error when getting the parent node.\n\nSystem error message: Element not found.\r\n";
    EXPECT_EQ(failureOf([&] { documentNode.getParent(); }), noParent);
    element("//a").setAttribute("n", "1");
    const XmlNode attribute = _document.selectNodes("//@n").getItem(0);
    EXPECT_EQ(attribute.getNodeType(), NODE_ATTRIBUTE);
    EXPECT_EQ(failureOf([&] { attribute.getParent(); }), noParent);
    // The document element can be taken out and put back.
    XmlNode mutableDocumentNode = documentNode;
    mutableDocumentNode.removeChild(root);
    EXPECT_EQ(_document.selectNodes("//*").getLength(), 0);
    mutableDocumentNode.appendChild(root);
    EXPECT_EQ(_document.selectNodes("//*").getLength(), 4);
}

TEST_F(XmlTreeEdit, ElementViewsOfOtherNodesRefuseElementWork) {
    const XmlElement text(element("//a").getChildren().getItem(0));
    const XmlElement documentNode(element("/root").getParent());
    const std::string textRefusal = "Error when using an XML node of type 3 as an element.";
    EXPECT_EQ(failureOf([&] { text.getText(); }), textRefusal);
    EXPECT_EQ(failureOf([&] { text.hasAttribute("a"); }), textRefusal);
    EXPECT_EQ(failureOf([&] { text.getTagName(); }), textRefusal);
    EXPECT_EQ(failureOf([&] { documentNode.selectNodes("//a"); }),
              "Error when using an XML node of type 9 as an element.");
    EXPECT_TRUE(text.hasParent());  // the node operations still work
}

TEST_F(XmlTreeEdit, HandlesOutliveTheDocument) {
    std::unique_ptr<XmlElement> removed;
    std::unique_ptr<XmlElement> linked;
    {
        XmlDocument document;
        document.loadXml("<root><keep>k</keep><gone><deep>d</deep></gone></root>");
        XmlElement root(document.selectNodes("/root").getItem(0));
        removed = std::make_unique<XmlElement>(document.selectNodes("//gone").getItem(0));
        linked = std::make_unique<XmlElement>(document.selectNodes("//keep").getItem(0));
        root.removeChild(*removed);
    }
    EXPECT_EQ(removed->getText(), "d");
    EXPECT_EQ(XmlElement(removed->getChildren().getItem(0)).getTagName(), "deep");
    EXPECT_EQ(XmlElement(linked->getParent()).getTagName(), "root");
    XmlElement copy = *removed;
    removed.reset();
    EXPECT_EQ(copy.getTagName(), "gone");
}

TEST_F(XmlTreeEdit, SavedDocumentsLoadBack) {
    TempDir folder;
    const std::string path = (folder.path() / "saved.xml").string();
    element("//a").setAttribute("note", "caf\xC3\xA9 & more");
    element("//b").setText("\xE2\x82\xAC 5");
    _document.save(path);
    _document.save(path);  // over an existing file
    XmlDocument loaded;
    loaded.loadFile(path);
    EXPECT_EQ(loaded.getXml(), _document.getXml());
    EXPECT_EQ(XmlElement(loaded.selectNodes("//a").getItem(0)).getAttribute("note"), "caf\xC3\xA9 & more");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

// A save replaces the file a symbolic link ends at and writes a hard-linked file
// in place, so that both keep their links; the file keeps its permissions.
TEST_F(XmlTreeEdit, SavesKeepLinksAndPermissions) {
    namespace fs = std::filesystem;
    TempDir folder;
    const struct {
        const char* label;
        void (*link)(const fs::path& real, const fs::path& name);
        bool symbolic;
    } cases[] = {
        {"symbolic link", [](const fs::path& real, const fs::path& name) { fs::create_symlink(real, name); }, true},
        {"hard link", [](const fs::path& real, const fs::path& name) { fs::create_hard_link(real, name); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const fs::path real = folder.write("real.xml", "<old/>");
        fs::permissions(real, fs::perms(0640));
        const fs::path name = folder.path() / "name.xml";
        c.link(real, name);
        _document.save(name.string());
        EXPECT_EQ(testing_support::readFile(real), _document.getXml());
        EXPECT_EQ(fs::is_symlink(name), c.symbolic);
        EXPECT_EQ(fs::hard_link_count(real), c.symbolic ? 1u : 2u);
        EXPECT_EQ(fs::status(real).permissions(), fs::perms(0640));
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 2);
        fs::remove(name);
    }
}

TEST_F(XmlTreeEdit, AFailedSaveLeavesNoFileBehind) {
    TempDir folder;
    const auto target = folder.path() / "folder.xml";
    std::filesystem::create_directory(target);
    struct Case {
        std::string path;
        const char* cause;
    } const cases[] = {
        {(folder.path() / "missing" / "saved.xml").string(), "The file could not be found."},
        {target.string(), "Access is denied."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(failureOf([&] { _document.save(c.path); }),
                  "Error when saving the XML document to the file " + c.path + "\n\nSystem error message: " +
                      c.cause + "\r\n");
    }
    EXPECT_TRUE(std::filesystem::is_directory(target));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

}  // namespace
