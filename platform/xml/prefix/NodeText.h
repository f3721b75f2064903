#pragma once
// The text a node stands for, entity references included.

#include <cstddef>
#include <string>

#include "platform/xml/prefix/LibXml.h"

namespace windows::com::xml {

// Appends the texts and CDATA sections of node and its descendants to out, with the
// text that entity references stand for.
void appendTextOf(xmlDocPtr document, xmlNodePtr node, std::string& out);

// How much text the entity references of the document's tree (attribute values
// included) stand for when they are read: each reference counted once, nested ones
// within it included. SIZE_MAX for a reference loop.
std::size_t entityTextSize(xmlDocPtr document);

}  // namespace windows::com::xml
