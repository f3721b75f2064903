#pragma once
// The implementation's view of the handle classes: the libxml2 node behind a
// handle, and handles made of nodes.

#include <vector>

#include "platform/xml/XmlDocument.h"
#include "platform/xml/prefix/XmlTree.h"

namespace windows::com::xml {

class XmlAccess {
public:
    static xmlNodePtr node(const XmlNode& handle) { return static_cast<xmlNodePtr>(handle._node); }
    static const std::shared_ptr<XmlTree>& tree(const XmlNode& handle) { return handle._tree; }

    static XmlNode makeNode(std::shared_ptr<XmlTree> tree, xmlNodePtr node) {
        return XmlNode(std::move(tree), node);
    }
    static XmlNodeList makeList(std::shared_ptr<XmlTree> tree, const std::vector<xmlNodePtr>& nodes) {
        return XmlNodeList(std::move(tree), std::vector<void*>(nodes.begin(), nodes.end()));
    }
};

}  // namespace windows::com::xml
