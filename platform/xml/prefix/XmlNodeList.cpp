#include "platform/xml/XmlNodeList.h"

#include "platform/failure/LastError.h"
#include "platform/xml/XmlFailure.h"
#include "platform/xml/prefix/XmlAccess.h"

namespace windows::com::xml {

XmlNodeList::XmlNodeList(std::shared_ptr<XmlTree> tree, std::vector<void*> nodes)
    : _tree(std::move(tree)), _nodes(std::move(nodes)) {}

XmlNodeList::~XmlNodeList() = default;

int XmlNodeList::getLength() const { return static_cast<int>(_nodes.size()); }

XmlNode XmlNodeList::getItem(int index) const {
    if (index < 0 || index >= getLength()) {
        throwXmlFailure("Error when getting the node from the nodelist.", platform::winerror::INVALID_PARAMETER);
    }
    return XmlAccess::makeNode(_tree, static_cast<xmlNodePtr>(_nodes[index]));
}

}  // namespace windows::com::xml
