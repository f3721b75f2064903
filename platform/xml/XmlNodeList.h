#pragma once
// An ordered list of nodes as a selection or a child query returned them, in
// document order, positions 0-based. The list is a snapshot: later changes of the
// tree do not change it, and its nodes stay usable while the list exists.

#include <memory>
#include <vector>

namespace windows::com::xml {

class XmlTree;
class XmlAccess;
class XmlNode;

class XmlNodeList {
public:
    virtual ~XmlNodeList();

    int getLength() const;
    // Fails for a position outside 0..getLength()-1.
    XmlNode getItem(int index) const;

private:
    XmlNodeList(std::shared_ptr<XmlTree> tree, std::vector<void*> nodes);

    std::shared_ptr<XmlTree> _tree;
    std::vector<void*> _nodes;

    friend class XmlAccess;
};

}  // namespace windows::com::xml

#include "platform/xml/XmlNode.h"
