#include "platform/xml/prefix/NodeQueries.h"

#include "platform/xml/XmlNode.h"

namespace windows::com::xml {

int domNodeTypeOf(xmlNodePtr node) {
    switch (node->type) {
    case XML_ELEMENT_NODE: return NODE_ELEMENT;
    case XML_ATTRIBUTE_NODE: return NODE_ATTRIBUTE;
    case XML_TEXT_NODE: return NODE_TEXT;
    case XML_CDATA_SECTION_NODE: return NODE_CDATA_SECTION;
    case XML_ENTITY_REF_NODE: return NODE_ENTITY_REFERENCE;
    case XML_ENTITY_NODE:
    case XML_ENTITY_DECL: return NODE_ENTITY;
    case XML_PI_NODE: return NODE_PROCESSING_INSTRUCTION;
    case XML_COMMENT_NODE: return NODE_COMMENT;
    case XML_DOCUMENT_NODE:
    case XML_HTML_DOCUMENT_NODE: return NODE_DOCUMENT;
    case XML_DOCUMENT_TYPE_NODE:
    case XML_DTD_NODE: return NODE_DOCUMENT_TYPE;
    case XML_DOCUMENT_FRAG_NODE: return NODE_DOCUMENT_FRAGMENT;
    case XML_NOTATION_NODE: return NODE_NOTATION;
    default: return 0;
    }
}

bool holdsChildren(xmlNodePtr node) {
    return node->type == XML_ELEMENT_NODE || node->type == XML_DOCUMENT_NODE;
}

std::vector<xmlNodePtr> childrenOf(xmlNodePtr node) {
    std::vector<xmlNodePtr> children;
    if (!holdsChildren(node)) return children;
    for (xmlNodePtr child = node->children; child != nullptr; child = child->next) children.push_back(child);
    return children;
}

std::string qualifiedNameOf(xmlNodePtr node) {
    const std::string name = libxml::text(node->name);
    const bool named = node->type == XML_ELEMENT_NODE || node->type == XML_ATTRIBUTE_NODE;
    if (named && node->ns != nullptr && node->ns->prefix != nullptr) {
        return libxml::text(node->ns->prefix) + ":" + name;
    }
    return name;
}

std::vector<xmlNodePtr> elementsNamed(xmlNodePtr root, const std::string& tag) {
    std::vector<xmlNodePtr> elements;
    forEachInSubtree(root, [&](xmlNodePtr node) {
        const bool matches = node != root && node->type == XML_ELEMENT_NODE &&
                             (tag == "*" || qualifiedNameOf(node) == tag);
        if (matches) elements.push_back(node);
        return true;
    });
    return elements;
}

}  // namespace windows::com::xml
