#include <string>
#include <vector>

#include "app/pages/PageInputs.h"
#include "app/pages/RegistryKeyText.h"
#include "engine/plugins/HtmlText.h"

namespace com::quorvex::products::tamblix::pages {

namespace {

// The size of the group each record belongs to. A group is a run of consecutive
// records with equal group texts, as the engine selects and fixes them; a text
// that comes back after another one starts a group of its own.
std::vector<std::size_t> groupSizes(const std::vector<RegistryModification>& records) {
    std::vector<std::size_t> sizes(records.size(), 0);
    for (std::size_t first = 0; first < records.size();) {
        std::size_t end = first + 1;
        while (end < records.size() && records[end].group == records[first].group) ++end;
        for (std::size_t i = first; i < end; ++i) sizes[i] = end - first;
        first = end;
    }
    return sizes;
}

void appendValueData(std::string& page, const ModificationValue& data) {
    if (data.type == ModificationValue::TYPE_STRING)
        appendEscapedHtml(page, data.text);
    else if (data.type == ModificationValue::TYPE_DWORD)
        page += std::to_string(data.number);
}

void appendCheckbox(std::string& page, const RegistryModification& record) {
    page += "<input class=\"FIXCHECKBOX\" ";
    if (record.state.selected) page += "checked ";
    page += " id=\"";
    appendEscapedHtml(page, record.state.id);
    page += "\" name=\"choice\" type=\"checkbox\" />";
}

void appendDetailedRow(std::string& page, const RegistryModification& record, const char* rowClass,
                       std::size_t position, std::size_t groupSize, const RegistryTexts& registry) {
    page += "<tr ";
    page += rowClass;
    page += ">";
    if (position == 0) {
        page += "<td rowspan=\"";
        page += std::to_string(groupSize);
        page += "\">";
        appendCheckbox(page, record);
        page += "</td>\n";
    }
    page += "<td>";
    const auto action = registry.actionTexts.find(record.action);
    if (action != registry.actionTexts.end()) page += action->second;
    page += "</td>\n";
    const std::string fullKey = registry.keyNames.keyToString(record.root) + "\\" + record.subkey;
    page += "<td><span class=\"helpsection\" title=\"";
    appendEscapedHtml(page, fullKey);
    page += "\">";
    appendEscapedHtml(page, registryKeyDisplayText(fullKey));
    page += "</span></td>\n";
    page += "<td>";
    if (record.valueName.empty())
        page += "&nbsp;";
    else
        appendEscapedHtml(page, record.valueName);
    page += "</td>\n";
    page += "<td>";
    if (record.action == RegistryModification::SET_VALUE)
        appendValueData(page, record.data);
    else
        page += "&nbsp;";
    page += "</td>\n";
    page += "<td>";
    page += record.description;
    page += "</td>\n";
    page += "</tr>";
}

void appendCompactRow(std::string& page, const RegistryModification& record, const char* rowClass) {
    page += "<tr ";
    page += rowClass;
    page += ">";
    page += "<td>";
    appendCheckbox(page, record);
    page += "</td>\n<td>";
    page += record.description;
    page += "</td>\n";
    page += "</tr>";
}

void appendRegistryHeader(std::string& page, bool details) {
    page += "<h2>Suggested registry modifications</h2>\n";
    page += "<table cellspacing=\"0\" class=\"resulttable\" summary=\"Suggested registry modifications\">\n";
    page +=
        "<thead><tr><th><input id=\"SELECT_ALL_REGISTRY_CHECK\" accesskey=\"r\" title=\"Select or deselect all "
        "suggested registry modifications\" name=\"choice\" value=\"0\" type=\"checkbox\" /></th>";
    if (details) page += "<th>Action</th><th>Key</th><th>Value</th><th>Data</th>";
    page += "<th>Description</th>";
    page += "<th class=\"switch-view\">";
    page += details ? "<a id=\"SWITCH_REGISTRY_VIEW\" title=\"View less details about the suggested registry "
                      "changes\" href=\"\">&laquo;</a>"
                    : "<a id=\"SWITCH_REGISTRY_VIEW\" title=\"View more details about the suggested registry "
                      "changes\" href=\"\">&raquo;</a>";
    page += "</th>";
    page += "</tr></thead>\n";
    page += "<tbody>\n";
}

}  // namespace

void appendRegistryTable(std::string& page, const PageInputs& in, const RegistryTexts& registry) {
    const std::vector<RegistryModification>& records = in.scanResults.registryChanges;
    const std::vector<std::size_t> sizes = groupSizes(records);
    appendRegistryHeader(page, in.registryDetailsShown);
    // A group's records share the checkbox (its first record's) and the row class.
    bool odd = false;
    std::size_t position = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (position == 0) odd = !odd;
        const char* rowClass = odd ? "class=\"odd\"" : "class=\"even\"";
        if (in.registryDetailsShown)
            appendDetailedRow(page, records[i], rowClass, position, sizes[i], registry);
        else if (position == 0)
            appendCompactRow(page, records[i], rowClass);
        if (++position == sizes[i]) position = 0;
    }
    page += "</tbody>\n</table>";
}

}  // namespace com::quorvex::products::tamblix::pages
