#pragma once
// The element view of a node: attributes, text and tag name. A view made of a node
// that is not an element throws XMLException from every operation of its own (the
// node operations it inherits keep working).

#include <string>

#include "platform/xml/XmlNode.h"

namespace windows::com::xml {

class XmlElement : public XmlNode {
public:
    explicit XmlElement(const XmlNode& node);
    ~XmlElement() override;

    // False when the attribute is absent; fails only for a name that is no
    // attribute name at all (empty, not UTF-8).
    bool hasAttribute(const std::string& name) const;
    // The value; an absent attribute fails, so optional ones are tested first.
    std::string getAttribute(const std::string& name) const;
    // "TRUE", "true", "1" and "FALSE", "false", "0"; anything else fails.
    bool getAttributeAsBool(const std::string& name) const;
    // Decimal digits after optional blanks and sign; exceptions::NumberFormatException
    // for an empty value, no number and a number outside the range of int.
    int getAttributeAsInt(const std::string& name) const;
    // A C floating-point literal; trailing text is ignored, no number gives 0.0.
    double getAttributeAsDouble(const std::string& name) const;
    // Creates or replaces the attribute; the value is taken as plain text.
    void setAttribute(const std::string& name, const std::string& value);

    // The text of the element and all its descendants, without surrounding white space.
    std::string getText() const;
    // Replaces the element's content by one text node (none for an empty text).
    void setText(const std::string& text);
    std::string getTagName() const;

    // The descendant elements with that tag name ("*" for all), in document order.
    XmlNodeList getElementsByTagName(const std::string& tag) const;
    // An XPath 1.0 selection; a relative expression starts at this element.
    XmlNodeList selectNodes(const std::string& xpath) const;

private:
    void _requireElement() const;
};

}  // namespace windows::com::xml
