#pragma once
// A handle to one node of a parsed document. Copying a handle shares the node; the
// document's tree stays alive while any handle refers to one of its nodes, also
// after the document object itself is gone or the node was removed from the tree.
// A document and its handles belong to the thread that created them.
//
// Every failure throws windows::com::xml::XMLException; on failure nothing is
// changed.

#include <memory>

namespace windows::com::xml {

class XmlTree;
class XmlAccess;
class XmlNodeList;

// The DOM's node-type numbers, as getNodeType returns them and createNode takes them.
constexpr int NODE_ELEMENT = 1;
constexpr int NODE_ATTRIBUTE = 2;
constexpr int NODE_TEXT = 3;
constexpr int NODE_CDATA_SECTION = 4;
constexpr int NODE_ENTITY_REFERENCE = 5;
constexpr int NODE_ENTITY = 6;
constexpr int NODE_PROCESSING_INSTRUCTION = 7;
constexpr int NODE_COMMENT = 8;
constexpr int NODE_DOCUMENT = 9;
constexpr int NODE_DOCUMENT_TYPE = 10;
constexpr int NODE_DOCUMENT_FRAGMENT = 11;
constexpr int NODE_NOTATION = 12;

class XmlNode {
public:
    virtual ~XmlNode();

    // The parent; the document node for the document element. Fails for the
    // document node, an attribute and a node that is not in a tree.
    XmlNode getParent() const;
    bool hasParent() const;
    // The direct children of an element or of the document node; other nodes
    // have none.
    XmlNodeList getChildren() const;
    // Appends the child at the end, moving it when it already is in the tree.
    // The child must belong to the same document.
    void appendChild(const XmlNode& child);
    // Takes the child out of the tree; its handles stay usable.
    void removeChild(const XmlNode& child);
    void removeAllChildren();

    int getNodeType() const;
    // True when both handles refer to the same node.
    bool operator==(const XmlNode& other) const;

protected:
    XmlNode(std::shared_ptr<XmlTree> tree, void* node);

    std::shared_ptr<XmlTree> _tree;
    void* _node;

    friend class XmlAccess;
};

}  // namespace windows::com::xml

#include "platform/xml/XmlNodeList.h"
