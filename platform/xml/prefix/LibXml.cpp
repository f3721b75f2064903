#include "platform/xml/prefix/LibXml.h"

#include <mutex>

namespace windows::com::xml::libxml {

namespace {

std::once_flag initialised;

void ignoreGenericError(void*, const char*, ...) {}

// Documents are read from memory only: no external entity, external subset,
// catalog or network resource is ever fetched, whatever the document declares.
xmlParserInputPtr refuseExternalEntity(const char*, const char*, xmlParserCtxtPtr) { return nullptr; }

}  // namespace

void ignoreError(void*, xmlErrorPtr) {}

void enter() {
    std::call_once(initialised, [] {
        xmlInitParser();
        xmlSetExternalEntityLoader(refuseExternalEntity);
    });
    // Both handlers are the calling thread's own in libxml2.
    xmlSetStructuredErrorFunc(nullptr, ignoreError);
    xmlSetGenericErrorFunc(nullptr, ignoreGenericError);
}

}  // namespace windows::com::xml::libxml
