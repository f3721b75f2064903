#include "engine/plugins/ZoneDefinition.h"

#include <vector>

#include "engine/plugins/HtmlText.h"
#include "platform/registry/RegistryHelpers.h"
#include "platform/xml/XmlDocument.h"

namespace com::quorvex::products::tamblix {

namespace {

using windows::com::xml::XmlDocument;
using windows::com::xml::XmlElement;
using windows::com::xml::XmlNodeList;

const char* const DOMAINS_PATH = "//tamblix-definition/modifications/restricted-domains-plugin/domain";
const char* const RANGES_PATH = "//tamblix-definition/modifications/restricted-ranges-plugin/range";

struct ZoneEntry {
    std::string text;
    bool add;
    std::string info;
    bool recommend;
};

// Every entry is read before any is kept, so that a bad element adds nothing.
std::vector<ZoneEntry> readEntries(const std::string& xmlText, const char* xpath, const std::string& kind) {
    XmlDocument document;
    document.loadXml(xmlText);
    const XmlNodeList nodes = document.selectNodes(xpath);
    std::vector<ZoneEntry> entries;
    entries.reserve(static_cast<std::size_t>(nodes.getLength()));
    for (int i = 0; i < nodes.getLength(); ++i) {
        const XmlElement element(nodes.getItem(i));
        ZoneEntry entry;
        entry.text = element.getText();
        entry.add = element.getAttributeAsBool("add");
        entry.info = element.hasAttribute("info") ? element.getAttribute("info")
                                                  : defaultZoneInfo(entry.text, entry.add, kind);
        entry.recommend = element.hasAttribute("recommend") && element.getAttributeAsBool("recommend");
        entries.push_back(std::move(entry));
    }
    return entries;
}

// Zone map names are the same whatever their letter case, so an entry replaces
// an earlier one of the same text in any case; the map stays keyed by the text
// as written, the later entry's.
template <class Definition, class Make>
void keepEntries(std::vector<ZoneEntry> read, std::map<std::string, Definition>& entries, Make make) {
    std::map<std::string, std::string> byName;
    for (const auto& kept : entries) byName.emplace(windows::registry::registryNameFold(kept.first), kept.first);
    for (ZoneEntry& entry : read) {
        const auto [named, fresh] = byName.try_emplace(windows::registry::registryNameFold(entry.text), entry.text);
        if (!fresh) {
            entries.erase(named->second);
            named->second = entry.text;
        }
        const std::string text = entry.text;
        entries[text] = make(std::move(entry));
    }
}

}  // namespace

std::string defaultZoneInfo(const std::string& text, bool add, const std::string& kind) {
    // The entry text is a name, not mark-up: the description it goes into is shown as HTML.
    return std::string(add ? "Adds " : "Removes ") + "the " + escapeHtml(text) + " " + kind + " " +
           (add ? "to " : "from ") + "the restricted zone";
}

void loadDomainDefinitions(const std::string& xmlText, std::map<std::string, DomainDefinition>& entries) {
    keepEntries(readEntries(xmlText, DOMAINS_PATH, "domain"), entries, [](ZoneEntry entry) {
        return DomainDefinition{std::move(entry.text), entry.add, std::move(entry.info), entry.recommend};
    });
}

void loadRangeDefinitions(const std::string& xmlText, std::map<std::string, RangeDefinition>& entries) {
    keepEntries(readEntries(xmlText, RANGES_PATH, "range"), entries, [](ZoneEntry entry) {
        return RangeDefinition{std::move(entry.text), entry.add, std::move(entry.info), entry.recommend};
    });
}

}  // namespace com::quorvex::products::tamblix
