// An XML document as definitions arrive: a text that loads writes out text that
// loads again and writes out the same.

#include "fuzz/FuzzSupport.h"
#include "platform/xml/XmlDocument.h"

using windows::com::xml::XmlDocument;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    XmlDocument document;
    if (!fuzz::designedAnswer([&] { document.loadXml(fuzz::text(data, size)); }))
        return 0;
    const std::string written = document.getXml();
    XmlDocument again;
    again.loadXml(written);
    FUZZ_REQUIRE(again.getXml() == written);
    // The queries the definitions loader makes of a loaded document.
    (void)document.selectNodes("//*").getLength();
    (void)document.getElementsByTagName("name").getLength();
    return 0;
}
