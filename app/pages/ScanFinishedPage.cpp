#include <string>

#include "app/pages/PageInputs.h"
#include "engine/plugins/HostsModification.h"
#include "engine/plugins/HtmlText.h"

namespace com::quorvex::products::tamblix::pages {

namespace {

const char* rowClass(bool odd) { return odd ? "class=\"odd\"" : "class=\"even\""; }

void appendFileRow(std::string& page, const FileModification& file, bool odd, const std::string& variantUrl) {
    page += "<tr ";
    page += rowClass(odd);
    page += ">";
    page += "<td><input class=\"FIXCHECKBOX\" ";
    if (file.state.selected) page += "checked ";
    page += " id=\"";
    appendEscapedHtml(page, file.state.id);
    page += "\" name=\"choice\" type=\"checkbox\" /></td>\n<td>Delete</td><td>";
    appendEscapedHtml(page, file.path);
    page += "</td><td>";
    page += file.description;
    if (!file.innerName.empty()) {
        page += " The detected file is named ";
        appendEscapedHtml(page, file.innerName);
        page += " and is located inside ";
        appendEscapedHtml(page, file.path);
        page += ".";
    }
    page += "</td>\n";
    page += "<td>";
    if (file.variant) {
        page += "<a  class=\"new-window\" target=\"_new\" title=\"Details of what a variant means\" href=\"";
        page += variantUrl;
        page += "\">This is a variant TAMBLIX_INSERT_NEW_WINDOW_ICON</a>";
    } else {
        page += "&nbsp;";
    }
    page += "</td>\n";
    page += "</tr>";
}

void appendFileTable(std::string& page, const PageInputs& in) {
    page += "<h2>Suggested file modifications</h2>\n";
    page += "<table cellspacing=\"0\" class=\"resulttable\" summary=\"Suggested files modifications\">\n";
    page +=
        "<thead><tr><th><input id=\"SELECT_ALL_FILES_CHECK\" accesskey=\"f\" title=\"Select or deselect all "
        "suggested file modifications\" name=\"choice\" value=\"0\" type=\"checkbox\" /></th>";
    page += "<th>Action</th><th>File</th><th>Description</th><th>Note</th>";
    page += "</tr></thead><tbody>";
    bool odd = true;
    for (const FileModification& file : in.scanResults.fileChanges) {
        appendFileRow(page, file, odd, in.variantUrl);
        odd = !odd;
    }
    page += "</tbody>\n</table>";
}

void appendHostsRow(std::string& page, const HostsModification& hosts, bool odd, bool details) {
    page += "<tr ";
    page += rowClass(odd);
    page += ">";
    page += "<td><input class=\"FIXCHECKBOX\" id=\"";
    appendEscapedHtml(page, hosts.state.id);
    page += "\" name=\"choice\" ";
    if (hosts.state.selected) page += "checked ";
    page += "type=\"checkbox\" /></td>\n";
    if (details) {
        page += "<td>";
        page += hosts.action == HostsModification::ACTION_ADD ? "add redirection" : "remove redirection";
        page += "</td>\n";
        page += "<td>";
        appendEscapedHtml(page, hosts.entry.host);
        page += "</td>\n";
        page += "<td>";
        appendEscapedHtml(page, hosts.entry.address);
        page += "</td>\n";
    }
    page += "<td>";
    page += hosts.description;
    page += "</td>\n";
    page += "</tr>";
}

void appendHostsTable(std::string& page, const PageInputs& in) {
    const bool details = in.hostsDetailsShown;
    page += "<h2>Suggested HOSTS file modifications</h2>\n";
    page += "<table cellspacing=\"0\" class=\"resulttable\" summary=\"Suggested HOSTS file modifications\">\n";
    page +=
        "<thead><tr><th><input id=\"SELECT_ALL_HOSTS_CHECK\" accesskey=\"o\" title=\"Select or deselect all "
        "suggested HOSTS modifications\" name=\"choice\" value=\"0\" type=\"checkbox\" /></th>";
    if (details) page += "<th>Action</th><th>from</th><th>to</th>";
    page += "<th>Description</th>";
    page += "<th class=\"switch-view\">";
    page += details ? "<a id=\"SWITCH_HOSTS_VIEW\" title=\"View less details about the suggested HOSTS file changes\" "
                      "href=\"\">&laquo;</a>"
                    : "<a id=\"SWITCH_HOSTS_VIEW\" title=\"View more details about the suggested HOSTS file changes\" "
                      "href=\"\">&raquo;</a>";
    page += "</th>";
    page += "</tr></thead>\n";
    page += "<tbody>\n";
    const auto& records = in.scanResults.hostsChanges;
    for (std::size_t row = 0; row < records.size(); ++row) appendHostsRow(page, records[row], row % 2 == 0, details);
    page += "</tbody>\n</table>";
}

void appendScanProblems(std::string& page, const PageInputs& in) {
    if (in.scanProblems.empty()) return;
    page += "<h2>Problem encountered during scanning phase</h2>\n<p>";
    page += in.productName;
    page += " encountered a few problems during the scanning phase, listed below:<br /><br />";
    appendProblemLines(page, in.scanProblems);
    page += "</p>";
}

}  // namespace

void appendScanFinishedPage(std::string& page, const PageInputs& in, const RegistryTexts& registry) {
    const ScanResults& results = in.scanResults;
    page += "<h1>Scan Finished</h1>\n";
    if (!results.registryChanges.empty() || !results.hostsChanges.empty() || !results.fileChanges.empty()) {
        page += "<p>";
        page += in.scanFinishedText;
        page += "</p>";
        page +=
            "<p><a id=\"FIX2_SELECTED_ITEMS\" accesskey=\"a\" title=\"Apply the selected modifications\" "
            "href=\"\"><em id=\"FIX2_SELECTED_ITEMS_EMPH\">A</em>pply selected modification</a> | <a "
            "id=\"DONE2\" accesskey=\"c\" title=\"Cancel without applying any of the suggested modifications\" "
            "href=\"\"><em  id=\"DONE2_EMPH\">C</em>ancel</a></p>";
        if (!results.fileChanges.empty()) appendFileTable(page, in);
        if (!results.registryChanges.empty()) appendRegistryTable(page, in, registry);
        if (!results.hostsChanges.empty()) appendHostsTable(page, in);
        page +=
            "<p><a id=\"FIX_SELECTED_ITEMS\" accesskey=\"a\" title=\"Apply the selected modifications\" "
            "href=\"\"><em id=\"FIX_SELECTED_ITEMS_EMPH\">A</em>pply selected modification</a> | <a id=\"DONE\" "
            "accesskey=\"c\" title=\"Cancel without applying any of the suggested modifications\" href=\"\"><em  "
            "id=\"DONE_EMPH\">C</em>ancel</a><br /><br /><br /></p>";
    } else {
        page +=
            "<p>No changes suggested. <a id=\"DONE\" accesskey=\"f\" title=\"Finish scan\" href=\"/\"><em "
            "id=\"DONE_EMPH\">F</em>inish &raquo;</a></p>";
    }
    appendScanProblems(page, in);
}

}  // namespace com::quorvex::products::tamblix::pages
