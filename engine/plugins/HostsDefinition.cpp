#include "engine/plugins/HostsDefinition.h"

#include <vector>

#include "engine/plugins/HtmlText.h"
#include "platform/xml/XmlDocument.h"

namespace com::quorvex::products::tamblix {

namespace {

using windows::com::xml::XmlDocument;
using windows::com::xml::XmlElement;
using windows::com::xml::XmlNodeList;

const char* const HOSTS_PATH = "//tamblix-definition/modifications/hosts-block-plugin/host";

}  // namespace

void loadHostsDefinitions(const std::string& xmlText, std::map<std::string, HostsDefinition>& definitions) {
    XmlDocument document;
    document.loadXml(xmlText);
    const XmlNodeList nodes = document.selectNodes(HOSTS_PATH);
    std::vector<HostsDefinition> read;
    read.reserve(static_cast<std::size_t>(nodes.getLength()));
    for (int i = 0; i < nodes.getLength(); ++i) {
        const XmlElement element(nodes.getItem(i));
        HostsDefinition definition;
        definition.host = element.getText();
        definition.block = element.getAttributeAsBool("block");
        // The host is a name, not mark-up: the description it goes into is shown as HTML.
        definition.info = element.hasAttribute("info")
                              ? element.getAttribute("info")
                              : (definition.block ? "Blocks " : "Unblocks ") + escapeHtml(definition.host);
        definition.recommend = element.hasAttribute("recommend") && element.getAttributeAsBool("recommend");
        read.push_back(std::move(definition));
    }
    for (HostsDefinition& definition : read) {
        const std::string host = definition.host;
        definitions.insert_or_assign(host, std::move(definition));
    }
}

}  // namespace com::quorvex::products::tamblix
