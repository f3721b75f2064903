#include "engine/plugins/RegistryScanDefinitions.h"

#include "platform/failure/Assertion.h"
#include "platform/failure/Exception.h"
#include "platform/registry/RegistryKeyNames.h"
#include "platform/xml/XmlDocument.h"
#include "platform/xml/XmlElement.h"

namespace com::quorvex::products::tamblix {

namespace {

using windows::com::xml::XmlDocument;
using windows::com::xml::XmlElement;
using windows::com::xml::XmlNodeList;

const std::string SECTION = "//tamblix-definition/modifications/scan-registry-for-errors-plugin";

XmlElement element(const XmlNodeList& nodes, int index) { return XmlElement(nodes.getItem(index)); }

std::string optionalAttribute(const XmlElement& node, const std::string& name) {
    return node.hasAttribute(name) ? node.getAttribute(name) : std::string();
}

void loadProductName(const XmlDocument& document, RegistryScanDefinitions& definitions) {
    const XmlNodeList nameNodes = document.selectNodes("//tamblix-definition/derivate-product-info/name");
    TAMBLIX_ASSERT(nameNodes.getLength() == 1);
    // Without a name the selection has no first item, which fails the load.
    definitions.productName = element(nameNodes, 0).getText();
}

void loadScanKeys(const XmlDocument& document, RegistryScanDefinitions& definitions) {
    const windows::registry::RegistryKeyNames names(false);
    const XmlNodeList keys = document.selectNodes(SECTION + "/ScanKeys/ScanKey");
    for (int i = 0; i < keys.getLength(); ++i) {
        const XmlElement key = element(keys, i);
        const std::uint32_t root = names.stringToKey(key.getAttribute("root"));
        definitions.scanKeys.push_back({root, key.getAttribute("subkey")});
    }
}

void loadWhitelists(const XmlDocument& document, RegistryScanDefinitions& definitions) {
    const XmlNodeList keys = document.selectNodes(SECTION + "/Whitelist/Keys/Entry");
    for (int i = 0; i < keys.getLength(); ++i) definitions.keyWhitelist.insert(element(keys, i).getAttribute("key"));
    const XmlNodeList paths = document.selectNodes(SECTION + "/Whitelist/Paths/Entry");
    for (int i = 0; i < paths.getLength(); ++i)
        definitions.pathWhitelist.add(element(paths, i).getAttribute("regExp"));
}

void loadDefaultGroup(const XmlDocument& document, RegistryScanDefinitions& definitions) {
    const XmlNodeList defaultNode = document.selectNodes(SECTION + "/Groups/Group[@name=\"Default\"]");
    TAMBLIX_ASSERT(defaultNode.getLength() == 1);
    const XmlElement group = element(defaultNode, 0);
    // All four are read before any is kept, so that a failure leaves the old texts.
    std::string dataPointing = group.getAttribute("descDataPointing");
    std::string valuePointing = group.getAttribute("descValuePointing");
    std::string defaultValue = group.getAttribute("descDefaultValue");
    std::string heading = group.getAttribute("heading");
    definitions.descDataPointing = std::move(dataPointing);
    definitions.descValuePointing = std::move(valuePointing);
    definitions.descDefaultValue = std::move(defaultValue);
    definitions.defaultHeading = std::move(heading);
}

void loadGroups(const XmlDocument& document, RegistryScanDefinitions& definitions) {
    const XmlNodeList groups = document.selectNodes(SECTION + "/Groups/Group");
    for (int i = 0; i < groups.getLength(); ++i) {
        const XmlElement node = element(groups, i);
        const RegistryErrorGroup group{node.getAttribute("heading"), optionalAttribute(node, "info"),
                                       optionalAttribute(node, "link")};
        const XmlNodeList entries = node.selectNodes("Entry");
        for (int j = 0; j < entries.getLength(); ++j) definitions.groups[element(entries, j).getAttribute("key")] = group;
    }
}

}  // namespace

void RegistryScanDefinitions::clear() {
    scanKeys.clear();
    keyWhitelist.clear();
    pathWhitelist.clear();
    groups.clear();
}

void loadRegistryScanDefinitions(const std::string& xmlText, RegistryScanDefinitions& definitions) {
    try {
        XmlDocument document;
        document.loadXml(xmlText);
        if (document.selectNodes(SECTION).getLength() == 0) return;
        loadProductName(document, definitions);
        loadScanKeys(document, definitions);
        loadWhitelists(document, definitions);
        loadDefaultGroup(document, definitions);
        loadGroups(document, definitions);
    } catch (const exceptions::Exception& failure) {
        throw TamblixEngineException("An error occured when trying to load the ScanRegistry plugin.\n\n" +
                                     failure.getMessage());
    }
}

}  // namespace com::quorvex::products::tamblix
