#include "platform/xml/XmlElement.h"

#include <vector>

#include "platform/failure/LastError.h"
#include "platform/xml/AttributeValues.h"
#include "platform/xml/XmlExceptions.h"
#include "platform/xml/XmlFailure.h"
#include "platform/xml/XmlText.h"
#include "platform/xml/prefix/Attributes.h"
#include "platform/xml/prefix/NodeQueries.h"
#include "platform/xml/prefix/NodeText.h"
#include "platform/xml/prefix/XPathSelection.h"
#include "platform/xml/prefix/XmlAccess.h"

namespace windows::com::xml {

namespace {

using platform::winerror::INVALID_PARAMETER;

}  // namespace

XmlElement::XmlElement(const XmlNode& node) : XmlNode(node) {}

XmlElement::~XmlElement() = default;

void XmlElement::_requireElement() const {
    const xmlNodePtr node = static_cast<xmlNodePtr>(_node);
    if (node->type != XML_ELEMENT_NODE) {
        throw XMLException("Error when using an XML node of type " + std::to_string(domNodeTypeOf(node)) +
                           " as an element.");
    }
}

bool XmlElement::hasAttribute(const std::string& name) const {
    _requireElement();
    if (name.empty() || !isXmlText(name)) {
        throwXmlFailure("Error when checking if the attribute " + name + " exists.", INVALID_PARAMETER);
    }
    std::string ignored;
    return findAttributeValue(static_cast<xmlNodePtr>(_node), name, ignored);
}

std::string XmlElement::getAttribute(const std::string& name) const {
    _requireElement();
    std::string value;
    if (!findAttributeValue(static_cast<xmlNodePtr>(_node), name, value)) {
        throwXmlFailure("Error when getting the attribute '" + name + "' from an element.",
                        platform::winerror::NOT_FOUND);
    }
    return value;
}

bool XmlElement::getAttributeAsBool(const std::string& name) const {
    return booleanOfAttribute(name, getAttribute(name));
}

int XmlElement::getAttributeAsInt(const std::string& name) const { return integerOfText(getAttribute(name)); }

double XmlElement::getAttributeAsDouble(const std::string& name) const { return doubleOfText(getAttribute(name)); }

void XmlElement::setAttribute(const std::string& name, const std::string& value) {
    _requireElement();
    _tree->requireWritable("Error when setting attribute " + name + " with value " + value + ".");
    const int error = setAttributeValue(static_cast<xmlNodePtr>(_node), name, value);
    if (error != platform::winerror::SUCCESS) {
        throwXmlFailure("Error when setting attribute " + name + " with value " + value + ".", error);
    }
}

std::string XmlElement::getText() const {
    _requireElement();
    std::string text;
    appendTextOf(_tree->document(), static_cast<xmlNodePtr>(_node), text);
    return trimXmlSpace(text);
}

void XmlElement::setText(const std::string& text) {
    _requireElement();
    const std::string message = "Error when setting the text of an element. Text: " + text;
    _tree->requireWritable(message);
    if (!isXmlText(text)) throwXmlFailure(message, INVALID_PARAMETER);
    xmlNodePtr element = static_cast<xmlNodePtr>(_node);
    xmlNodePtr textNode = nullptr;
    if (!text.empty()) {
        libxml::enter();
        textNode = xmlNewDocText(_tree->document(), libxml::chars(text));
        if (textNode == nullptr) throwXmlFailure(message, platform::winerror::NOT_ENOUGH_MEMORY);
    }
    // The old children stay alive (with the tree) for handles that refer to them.
    for (xmlNodePtr child : childrenOf(element)) _tree->detach(child);
    if (textNode != nullptr) _tree->append(element, textNode);
}

std::string XmlElement::getTagName() const {
    _requireElement();
    return qualifiedNameOf(static_cast<xmlNodePtr>(_node));
}

XmlNodeList XmlElement::getElementsByTagName(const std::string& tag) const {
    _requireElement();
    return XmlAccess::makeList(_tree, elementsNamed(static_cast<xmlNodePtr>(_node), tag));
}

XmlNodeList XmlElement::selectNodes(const std::string& xpath) const {
    _requireElement();
    std::vector<xmlNodePtr> nodes;
    const int error = selectXPath(_tree->document(), static_cast<xmlNodePtr>(_node), xpath, nodes);
    if (error != platform::winerror::SUCCESS) {
        throwXmlFailure("Error when selecting nodes with the expression " + xpath + ".", error);
    }
    return XmlAccess::makeList(_tree, nodes);
}

}  // namespace windows::com::xml
