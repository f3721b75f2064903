#include "platform/xml/prefix/Attributes.h"

#include "platform/failure/LastError.h"
#include "platform/xml/XmlText.h"
#include "platform/xml/prefix/NodeQueries.h"

namespace windows::com::xml {

namespace {

std::string namespaceAttributeName(const xmlNs* declaration) {
    return declaration->prefix == nullptr ? "xmlns" : "xmlns:" + libxml::text(declaration->prefix);
}

xmlAttrPtr attributeNamed(xmlNodePtr element, const std::string& name) {
    for (xmlAttrPtr attribute = element->properties; attribute != nullptr; attribute = attribute->next) {
        if (qualifiedNameOf(reinterpret_cast<xmlNodePtr>(attribute)) == name) return attribute;
    }
    return nullptr;
}

bool isNamespaceDeclarationName(const std::string& name) {
    return name == "xmlns" || name.rfind("xmlns:", 0) == 0;
}

}  // namespace

bool findAttributeValue(xmlNodePtr element, const std::string& name, std::string& value) {
    if (xmlAttrPtr attribute = attributeNamed(element, name)) {
        value = libxml::takeText(xmlNodeListGetString(element->doc, attribute->children, 1));
        return true;
    }
    for (xmlNsPtr declaration = element->nsDef; declaration != nullptr; declaration = declaration->next) {
        if (namespaceAttributeName(declaration) == name) {
            value = libxml::text(declaration->href);
            return true;
        }
    }
    return false;
}

int setAttributeValue(xmlNodePtr element, const std::string& name, const std::string& value) {
    using platform::winerror::INVALID_PARAMETER;
    libxml::enter();
    if (!isXmlText(name) || !isXmlText(value) || xmlValidateQName(libxml::chars(name), 0) != 0 ||
        isNamespaceDeclarationName(name)) {
        return INVALID_PARAMETER;
    }
    xmlNsPtr space = nullptr;
    std::string localName = name;
    if (xmlAttrPtr existing = attributeNamed(element, name)) {
        space = existing->ns;
        localName = libxml::text(existing->name);
    } else if (const auto colon = name.find(':'); colon != std::string::npos) {
        space = xmlSearchNs(element->doc, element, libxml::chars(name.substr(0, colon)));
        if (space == nullptr) return INVALID_PARAMETER;
        localName = name.substr(colon + 1);
    }
    if (xmlSetNsProp(element, space, libxml::chars(localName), libxml::chars(value)) == nullptr) {
        return platform::winerror::NOT_ENOUGH_MEMORY;
    }
    return platform::winerror::SUCCESS;
}

}  // namespace windows::com::xml
