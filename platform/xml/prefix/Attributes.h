#pragma once
// Attributes of an element by their qualified name, as the DOM names them.

#include <string>

#include "platform/xml/prefix/LibXml.h"

namespace windows::com::xml {

// The value of the attribute named "name" or "prefix:name"; namespace declarations
// count as attributes "xmlns" and "xmlns:prefix". False when there is none.
bool findAttributeValue(xmlNodePtr element, const std::string& name, std::string& value);

// Creates or replaces the attribute; the value is stored as plain text. A prefixed
// name needs its prefix declared in scope; namespace declarations cannot be set.
// Returns 0 or the Windows error code; on failure nothing is changed.
int setAttributeValue(xmlNodePtr element, const std::string& name, const std::string& value);

}  // namespace windows::com::xml
