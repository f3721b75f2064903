#pragma once
// Turns the bytes of a document into a tree, or into the parser's report.

#include <memory>
#include <string>

#include "platform/xml/ParseErrorReport.h"
#include "platform/xml/prefix/XmlTree.h"

namespace windows::com::xml {

// At most this much text may come out of entity references in one document, so that
// a small hostile document cannot make reading its text exhaust the memory.
constexpr std::size_t ENTITY_TEXT_LIMIT = 1024 * 1024;

// The tree of a well-formed document without its blank text nodes (those within
// xml:space="preserve" stay); null with the report in error for anything else.
std::shared_ptr<XmlTree> parseDocument(const std::string& bytes, ParseError& error);

// The tree of a document without content, as a new or failed load leaves it.
std::shared_ptr<XmlTree> emptyTree();

}  // namespace windows::com::xml
