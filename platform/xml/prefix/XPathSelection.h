#pragma once
// XPath 1.0 selection over a libxml2 tree.

#include <string>
#include <vector>

#include "platform/xml/prefix/LibXml.h"

namespace windows::com::xml {

// The nodes the expression selects with context as context node, in document
// order. Returns 0, or the Windows error code when the expression is no valid XPath
// 1.0, gives no node set, or selects namespace nodes (which live only as long as
// the selection and so cannot be handed out).
int selectXPath(xmlDocPtr document, xmlNodePtr context, const std::string& xpath, std::vector<xmlNodePtr>& nodes);

}  // namespace windows::com::xml
