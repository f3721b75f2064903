#include "platform/xml/XmlNode.h"

#include <vector>

#include "platform/failure/LastError.h"
#include "platform/xml/XmlFailure.h"
#include "platform/xml/prefix/NodeQueries.h"
#include "platform/xml/prefix/XmlAccess.h"

namespace windows::com::xml {

namespace {

using platform::winerror::INVALID_PARAMETER;

// The DOM's parent: attributes and the document node have none.
xmlNodePtr parentOf(xmlNodePtr node) {
    if (node->type == XML_ATTRIBUTE_NODE || node->type == XML_DOCUMENT_NODE) return nullptr;
    return node->parent;
}

bool isMovable(xmlNodePtr node) {
    switch (node->type) {
    case XML_ELEMENT_NODE:
    case XML_TEXT_NODE:
    case XML_CDATA_SECTION_NODE:
    case XML_ENTITY_REF_NODE:
    case XML_PI_NODE:
    case XML_COMMENT_NODE: return true;
    default: return false;
    }
}

bool hasOtherElementChild(xmlNodePtr parent, xmlNodePtr child) {
    for (xmlNodePtr current = parent->children; current != nullptr; current = current->next) {
        if (current->type == XML_ELEMENT_NODE && current != child) return true;
    }
    return false;
}

// Whether the tree allows child as the last child of parent: a document holds one
// element besides comments and instructions, and no node may hold itself.
bool mayAppend(xmlNodePtr parent, xmlNodePtr child) {
    if (!holdsChildren(parent) || !isMovable(child)) return false;
    for (xmlNodePtr ancestor = parent; ancestor != nullptr; ancestor = ancestor->parent) {
        if (ancestor == child) return false;
    }
    if (parent->type != XML_DOCUMENT_NODE) return true;
    if (child->type == XML_ELEMENT_NODE) return !hasOtherElementChild(parent, child);
    return child->type == XML_PI_NODE || child->type == XML_COMMENT_NODE;
}

}  // namespace

XmlNode::XmlNode(std::shared_ptr<XmlTree> tree, void* node) : _tree(std::move(tree)), _node(node) {}

XmlNode::~XmlNode() = default;

XmlNode XmlNode::getParent() const {
    xmlNodePtr parent = parentOf(static_cast<xmlNodePtr>(_node));
    if (parent == nullptr) throwXmlFailure("Error when getting the parent node.", platform::winerror::NOT_FOUND);
    return XmlAccess::makeNode(_tree, parent);
}

bool XmlNode::hasParent() const { return parentOf(static_cast<xmlNodePtr>(_node)) != nullptr; }

XmlNodeList XmlNode::getChildren() const {
    return XmlAccess::makeList(_tree, childrenOf(static_cast<xmlNodePtr>(_node)));
}

void XmlNode::appendChild(const XmlNode& child) {
    xmlNodePtr parent = static_cast<xmlNodePtr>(_node);
    xmlNodePtr node = XmlAccess::node(child);
    _tree->requireWritable("Error when appending a child node.");
    if (child._tree != _tree || !mayAppend(parent, node)) {
        throwXmlFailure("Error when appending a child node.", INVALID_PARAMETER);
    }
    _tree->append(parent, node);
}

void XmlNode::removeChild(const XmlNode& child) {
    xmlNodePtr node = XmlAccess::node(child);
    _tree->requireWritable("Error when removing a child node.");
    if (child._tree != _tree || parentOf(node) != static_cast<xmlNodePtr>(_node)) {
        throwXmlFailure("Error when removing a child node.", platform::winerror::NOT_FOUND);
    }
    _tree->detach(node);
}

void XmlNode::removeAllChildren() {
    _tree->requireWritable("Error when removing a child node.");
    const XmlNodeList children = getChildren();
    std::vector<XmlNode> handles;
    for (int i = 0; i < children.getLength(); ++i) handles.push_back(children.getItem(i));
    for (const XmlNode& child : handles) removeChild(child);
}

int XmlNode::getNodeType() const { return domNodeTypeOf(static_cast<xmlNodePtr>(_node)); }

bool XmlNode::operator==(const XmlNode& other) const { return _node == other._node; }

}  // namespace windows::com::xml
