#pragma once
// One XML document: loaded from memory or a file, queried with XPath 1.0, edited
// and written out. Text at this boundary is UTF-8; a document in another declared
// encoding is converted on load.
//
// Loading never resolves anything outside the given text: no document type is
// loaded or validated, no external entity is read, nothing goes to the network,
// and entity references may not stand for more than a bounded amount of text.
// A text that is not well formed fails with the parser's report and leaves the
// document empty; handles into an earlier content stay usable.

#include <string>
#include <variant>

#include "platform/xml/XmlElement.h"
#include "platform/xml/XmlNode.h"
#include "platform/xml/XmlNodeList.h"

namespace windows::com::xml {

// A node type as createNode takes it: the DOM's number (NODE_ELEMENT, ...) or its
// name ("element", "text", "cdatasection", "processinginstruction", "comment", ...).
using XmlNodeTypeValue = std::variant<int, std::string>;

class XmlDocument {
public:
    XmlDocument();
    virtual ~XmlDocument();
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;

    void loadXml(const std::string& text);
    // Reads exactly the named file (a path of this machine) and parses it.
    void loadFile(const std::string& path);
    // The whole document in UTF-8 with its declaration; empty when nothing is loaded.
    std::string getXml() const;
    // Writes getXml() to the file; the old file stays intact when writing fails.
    void save(const std::string& path) const;

    XmlNodeList selectNodes(const std::string& xpath) const;
    XmlNodeList getElementsByTagName(const std::string& tag) const;
    // A new node of this document, not yet in the tree. Elements, texts, CDATA
    // sections, processing instructions (name = target) and comments can be made.
    XmlNode createNode(const XmlNodeTypeValue& type, const std::string& name,
                       const std::string& namespaceUri);

private:
    std::shared_ptr<XmlTree> _tree;

    friend class XmlAccess;
};

}  // namespace windows::com::xml
