#include "platform/xml/prefix/NodeFactory.h"

#include <array>
#include <utility>

#include "platform/failure/LastError.h"
#include "platform/xml/XmlText.h"

namespace windows::com::xml {

namespace {

using platform::winerror::INVALID_PARAMETER;

const std::array<std::pair<const char*, int>, 12> TYPE_NAMES = {{
    {"element", NODE_ELEMENT},
    {"attribute", NODE_ATTRIBUTE},
    {"text", NODE_TEXT},
    {"cdatasection", NODE_CDATA_SECTION},
    {"entityreference", NODE_ENTITY_REFERENCE},
    {"entity", NODE_ENTITY},
    {"processinginstruction", NODE_PROCESSING_INSTRUCTION},
    {"comment", NODE_COMMENT},
    {"document", NODE_DOCUMENT},
    {"documenttype", NODE_DOCUMENT_TYPE},
    {"documentfragment", NODE_DOCUMENT_FRAGMENT},
    {"notation", NODE_NOTATION},
}};

xmlNodePtr createElement(xmlDocPtr document, const std::string& name, const std::string& namespaceUri, int& error) {
    error = INVALID_PARAMETER;
    if (!isXmlText(name) || !isXmlText(namespaceUri) || xmlValidateQName(libxml::chars(name), 0) != 0) return nullptr;
    const auto colon = name.find(':');
    const std::string prefix = colon == std::string::npos ? "" : name.substr(0, colon);
    const std::string localName = colon == std::string::npos ? name : name.substr(colon + 1);
    if ((!prefix.empty() && namespaceUri.empty()) || prefix == "xmlns") return nullptr;
    xmlNodePtr element = xmlNewDocNode(document, nullptr, libxml::chars(localName), nullptr);
    if (element == nullptr) {
        error = platform::winerror::NOT_ENOUGH_MEMORY;
        return nullptr;
    }
    if (!namespaceUri.empty()) {
        xmlNsPtr space = xmlNewNs(element, libxml::chars(namespaceUri), prefix.empty() ? nullptr : libxml::chars(prefix));
        if (space == nullptr) {
            xmlFreeNode(element);
            return nullptr;
        }
        xmlSetNs(element, space);
    }
    return element;
}

xmlNodePtr createInstruction(xmlDocPtr document, const std::string& target, int& error) {
    const bool reserved = target.size() == 3 && (target[0] | 0x20) == 'x' && (target[1] | 0x20) == 'm' &&
                          (target[2] | 0x20) == 'l';
    if (!isXmlText(target) || xmlValidateNCName(libxml::chars(target), 0) != 0 || reserved) {
        error = INVALID_PARAMETER;
        return nullptr;
    }
    error = platform::winerror::NOT_ENOUGH_MEMORY;
    return xmlNewDocPI(document, libxml::chars(target), nullptr);
}

}  // namespace

int nodeTypeNumberOf(const XmlNodeTypeValue& type) {
    if (const int* number = std::get_if<int>(&type)) {
        return *number >= NODE_ELEMENT && *number <= NODE_NOTATION ? *number : 0;
    }
    for (const auto& [name, number] : TYPE_NAMES) {
        if (std::get<std::string>(type) == name) return number;
    }
    return 0;
}

xmlNodePtr createTreeNode(xmlDocPtr document, int type, const std::string& name, const std::string& namespaceUri,
                          int& error) {
    libxml::enter();
    xmlNodePtr node = nullptr;
    error = platform::winerror::NOT_ENOUGH_MEMORY;
    switch (type) {
    case NODE_ELEMENT: return createElement(document, name, namespaceUri, error);
    case NODE_PROCESSING_INSTRUCTION: node = createInstruction(document, name, error); break;
    case NODE_TEXT: node = xmlNewDocText(document, libxml::chars("")); break;
    case NODE_CDATA_SECTION: node = xmlNewCDataBlock(document, libxml::chars(""), 0); break;
    case NODE_COMMENT: node = xmlNewDocComment(document, libxml::chars("")); break;
    default: error = type == 0 ? INVALID_PARAMETER : platform::winerror::NOT_SUPPORTED;
    }
    return node;
}

}  // namespace windows::com::xml
