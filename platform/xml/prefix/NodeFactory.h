#pragma once
// New nodes for createNode.

#include <string>

#include "platform/xml/XmlDocument.h"
#include "platform/xml/prefix/LibXml.h"

namespace windows::com::xml {

// The DOM node-type number of a type value; 0 for a number or name the DOM does not have.
int nodeTypeNumberOf(const XmlNodeTypeValue& type);

// A new node of document that is in no tree yet: an element ("prefix:name" needs a
// namespace URI), an empty text, CDATA section or comment (the name is not used), or
// a processing instruction with that target. Null with the Windows error code in
// error for any other type and for names that are not valid.
xmlNodePtr createTreeNode(xmlDocPtr document, int type, const std::string& name, const std::string& namespaceUri,
                          int& error);

}  // namespace windows::com::xml
