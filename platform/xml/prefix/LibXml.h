#pragma once
// The XML layer's door to libxml2; only libxml2-specific code belongs below this folder.

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>
#include <libxml/xpath.h>

#include <memory>
#include <string>

namespace windows::com::xml::libxml {

// Initialises libxml2 once per process (thread-safe, documents are made on several
// threads), installs the entity loader that refuses every external resource, and
// silences libxml2's own error output on the calling thread. Every operation that
// calls libxml2 starts with it.
void enter();

// Ignores an error libxml2 reports; the layer reads errors where it needs them.
void ignoreError(void* context, xmlErrorPtr error);

struct FreeString {
    void operator()(xmlChar* text) const { xmlFree(text); }
};
struct FreeParserContext {
    void operator()(xmlParserCtxtPtr context) const { xmlFreeParserCtxt(context); }
};
struct FreeDocument {
    void operator()(xmlDocPtr document) const { xmlFreeDoc(document); }
};
struct FreeXPathContext {
    void operator()(xmlXPathContextPtr context) const { xmlXPathFreeContext(context); }
};
struct FreeXPathObject {
    void operator()(xmlXPathObjectPtr object) const { xmlXPathFreeObject(object); }
};

using OwnedString = std::unique_ptr<xmlChar, FreeString>;
using OwnedParserContext = std::unique_ptr<xmlParserCtxt, FreeParserContext>;
using OwnedDocument = std::unique_ptr<xmlDoc, FreeDocument>;
using OwnedXPathContext = std::unique_ptr<xmlXPathContext, FreeXPathContext>;
using OwnedXPathObject = std::unique_ptr<xmlXPathObject, FreeXPathObject>;

inline const xmlChar* chars(const std::string& text) { return reinterpret_cast<const xmlChar*>(text.c_str()); }
inline std::string text(const xmlChar* chars) {
    return chars == nullptr ? std::string() : std::string(reinterpret_cast<const char*>(chars));
}
// Takes over a string libxml2 allocated for the caller.
inline std::string takeText(xmlChar* chars) { return text(OwnedString(chars).get()); }

}  // namespace windows::com::xml::libxml
