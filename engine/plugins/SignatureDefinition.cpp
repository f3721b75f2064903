#include "engine/plugins/SignatureDefinition.h"

#include <cstdlib>

#include "platform/xml/XmlDocument.h"

namespace com::quorvex::products::tamblix {

namespace {

using windows::com::xml::XmlDocument;
using windows::com::xml::XmlElement;
using windows::com::xml::XmlNodeList;

const char* const SIGNATURES_PATH = "//tamblix-definition/modifications/file-signature-plugin/signature-group/signature";
const char* const CUTOFF_PATH = "//tamblix-definition/modifications/file-signature-plugin/vossek-cutoff";
constexpr double SMALLEST_CUTOFF = 0.0001;

// The signature's attribute, else its group's, else empty or false.
struct Attributes {
    const XmlElement& signature;
    const XmlElement& group;

    const XmlElement* holder(const char* name) const {
        if (signature.hasAttribute(name)) return &signature;
        if (group.hasAttribute(name)) return &group;
        return nullptr;
    }
    std::string text(const char* name) const {
        const XmlElement* element = holder(name);
        return element ? element->getAttribute(name) : std::string();
    }
    bool flag(const char* name) const {
        const XmlElement* element = holder(name);
        return element && element->getAttributeAsBool(name);
    }
};

}  // namespace

void loadSignatureDefinitions(const std::string& xmlText, std::vector<SignatureDefinition>& definitions,
                              double& cutoff) {
    XmlDocument document;
    document.loadXml(xmlText);
    const XmlNodeList nodes = document.selectNodes(SIGNATURES_PATH);
    const Vossek1Hash vossek;
    std::vector<SignatureDefinition> read;
    for (int i = 0; i < nodes.getLength(); ++i) {
        const XmlElement signature(nodes.getItem(i));
        const XmlElement group(signature.getParent());
        const Attributes attributes{signature, group};
        SignatureDefinition definition;
        if (signature.hasAttribute("md5")) definition.md5 = signature.getAttribute("md5");
        if (signature.hasAttribute("vossek1")) {
            definition.histogram = vossek.parse(signature.getAttribute("vossek1"));
            definition.histogramTotal = vossek.sum(definition.histogram);
        }
        definition.info = attributes.text("info");
        definition.recommend = attributes.flag("recommend");
        definition.whitelisted = attributes.flag("whitelisted");
        read.push_back(std::move(definition));
    }
    if (read.empty()) return;
    const XmlNodeList cutoffs = document.selectNodes(CUTOFF_PATH);
    double given = 0;
    if (cutoffs.getLength() == 1) given = std::atof(XmlElement(cutoffs.getItem(0)).getText().c_str());
    // Elements are read before any is kept, so a bad one adds nothing.
    for (SignatureDefinition& definition : read) definitions.push_back(std::move(definition));
    if (given > SMALLEST_CUTOFF) cutoff = given;
}

}  // namespace com::quorvex::products::tamblix
