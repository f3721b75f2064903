#include "platform/xml/prefix/XPathSelection.h"

#include "platform/failure/LastError.h"
#include <libxml/xpathInternals.h>

#include "platform/xml/XmlText.h"

namespace windows::com::xml {

int selectXPath(xmlDocPtr document, xmlNodePtr context, const std::string& xpath, std::vector<xmlNodePtr>& nodes) {
    using platform::winerror::INVALID_PARAMETER;
    libxml::enter();
    if (xpath.empty() || !isXmlText(xpath)) return INVALID_PARAMETER;
    libxml::OwnedXPathContext evaluation(xmlXPathNewContext(document));
    if (evaluation == nullptr) return platform::winerror::NOT_ENOUGH_MEMORY;
    evaluation->node = context;
    evaluation->error = libxml::ignoreError;
    libxml::OwnedXPathObject result(xmlXPathEvalExpression(libxml::chars(xpath), evaluation.get()));
    if (result == nullptr || result->type != XPATH_NODESET) return INVALID_PARAMETER;
    nodes.clear();
    xmlNodeSetPtr selected = result->nodesetval;
    if (selected == nullptr) return platform::winerror::SUCCESS;
    xmlXPathNodeSetSort(selected);
    for (int i = 0; i < selected->nodeNr; ++i) {
        if (selected->nodeTab[i]->type == XML_NAMESPACE_DECL) return platform::winerror::NOT_SUPPORTED;
        nodes.push_back(selected->nodeTab[i]);
    }
    return platform::winerror::SUCCESS;
}

}  // namespace windows::com::xml
