#pragma once
// The libxml2 document that all handles of one loaded content share. It owns the
// document and every node taken out of it (removed, replaced or made but not yet
// linked): such nodes stay alive for the handles that may still refer to them and
// are freed once, with the tree, when the last handle goes.

#include <string>
#include <unordered_set>

#include "platform/xml/prefix/LibXml.h"

namespace windows::com::xml {

class XmlTree {
public:
    // Takes ownership of document.
    explicit XmlTree(xmlDocPtr document);
    ~XmlTree();
    XmlTree(const XmlTree&) = delete;
    XmlTree& operator=(const XmlTree&) = delete;

    xmlDocPtr document() const { return _document; }
    xmlNodePtr documentNode() const { return reinterpret_cast<xmlNodePtr>(_document); }

    // A tree that several documents share (SharedParses) takes no changes.
    void makeReadOnly() { _readOnly = true; }
    // Throws the failure of the change named by message when the tree is read-only.
    void requireWritable(const std::string& message) const;

    // Keeps a new node of this document until it is linked into the tree.
    void adopt(xmlNodePtr node);
    // Unlinks node from its parent and keeps it.
    void detach(xmlNodePtr node);
    // Makes child the last child of parent, unlinking it first where it is linked.
    // Text nodes are never merged with their neighbours, so every handle stays valid.
    void append(xmlNodePtr parent, xmlNodePtr child);

private:
    xmlDocPtr _document;
    std::unordered_set<xmlNodePtr> _detached;
    bool _readOnly = false;
};

}  // namespace windows::com::xml
