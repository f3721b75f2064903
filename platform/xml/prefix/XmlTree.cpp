#include "platform/xml/prefix/XmlTree.h"

#include "platform/failure/LastError.h"
#include "platform/xml/XmlFailure.h"

namespace windows::com::xml {

XmlTree::XmlTree(xmlDocPtr document) : _document(document) {}

XmlTree::~XmlTree() {
    // Detached nodes use the document's dictionary, so they go first.
    for (xmlNodePtr node : _detached) xmlFreeNode(node);
    xmlFreeDoc(_document);
}

void XmlTree::requireWritable(const std::string& message) const {
    if (_readOnly) throwXmlFailure(message, platform::winerror::ACCESS_DENIED);
}

void XmlTree::adopt(xmlNodePtr node) { _detached.insert(node); }

void XmlTree::detach(xmlNodePtr node) {
    xmlUnlinkNode(node);
    _detached.insert(node);
}

void XmlTree::append(xmlNodePtr parent, xmlNodePtr child) {
    if (child->parent != nullptr) {
        xmlUnlinkNode(child);
    } else {
        _detached.erase(child);
    }
    // xmlAddChild would merge adjacent text nodes and free the child.
    child->parent = parent;
    child->next = nullptr;
    child->prev = parent->last;
    if (parent->last != nullptr) {
        parent->last->next = child;
    } else {
        parent->children = child;
    }
    parent->last = child;
}

}  // namespace windows::com::xml
