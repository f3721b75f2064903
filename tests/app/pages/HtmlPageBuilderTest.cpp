#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/pages/HtmlPageBuilderImpl.h"
#include "platform/registry/RegistryConstants.h"
#include "tests/app/pages/PageRendering.h"
#include "tests/app/pages/StandInEngine.h"

namespace pages_testing {
namespace {

using windows::registry::ROOT_CURRENT_USER;
using windows::registry::ROOT_LOCAL_MACHINE;

const std::string SELECTED = "class=\"selected\" ";
const std::string DISABLED = "class=\"disabled\" ";
const std::string LINK = "class=\"notselected\"  href=\"/\"";
const std::string SCAN_CANCELLED_TITLE = "Finish the cancelled scan";

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    for (std::string::size_type at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

std::string withIcons(const std::string& text) {
    return replaced(
        text, "TAMBLIX_INSERT_NEW_WINDOW_ICON",
        "<img border=\"0\" width=\"13\" height=\"12\" alt=\"This icon identifies that a link will open up a new browser window.\" src=\"" +
            ICON_ADDRESS + "\" />");
}

// The whole page around a section, with the four tab attributes.
std::string framed(const StandInEngine& v, const std::vector<std::string>& tabs, const std::string& section) {
    return withIcons(
        std::string(
            "<div id=\"bodywrapper\"><div id=\"bannerdiv\" style=\"background:#fff;\"><a id=\"bannerlink\" accesskey=\"w\" target=\"_blank\" href=\"") +
        v.productUrl + "\" title=\"Find more information at " + v.productName +
        "' web page. This will open a new browser window.\"><img id=\"bannerimage\" width=\"515\" height=\"54\" alt=\"The program's logotype.\" src=\"" +
        BANNER_ADDRESS + "\" /></a></div><div id=\"menu\"><ul>\n<li id=\"one\"><a id=\"HOME_TAB\"  accesskey=\"h\" " +
        tabs[0] + " title=\"Main page for " + v.productName +
        " where you can scan and fix problems\"><em id=\"HOME_TAB_EMPH\">H</em>OME</a></li>\n<li id=\"two\"><a id=\"UPDATES_TAB\"  accesskey=\"u\" " +
        tabs[1] +
        " title=\"Download updates\"            ><em id=\"UPDATES_TAB_EMPH\">U</em>PDATES</a></li>\n<li id=\"tree\"><a id=\"SETTINGS_TAB\"  accesskey=\"e\" " +
        tabs[2] + " title=\"Configure " + v.productName +
        "\"            >S<em id=\"SETTINGS_TAB_EMPH\">E</em>TTINGS</a></li>\n<li id=\"four\"><a id=\"ABOUT_TAB\" accesskey=\"a\" " +
        tabs[3] + " title=\"Information about " + v.productName +
        " and the Tamblix Framework\"><em id=\"ABOUT_TAB_EMPH\">A</em>BOUT</a></li>\n</ul></div>\n<div id=\"content\">" +
        section + "</div><!--end of content-->\n</div><!--end of bodywrapper-->\n");
}

// Everything of the page between the content div's start and its end.
std::string section(const std::string& page) {
    const std::string start = "<div id=\"content\">";
    const std::string end = "</div><!--end of content-->\n</div><!--end of bodywrapper-->\n";
    const auto from = page.find(start);
    if (from == std::string::npos || page.size() < end.size() ||
        page.compare(page.size() - end.size(), end.size(), end) != 0)
        return "(no frame) " + page;
    return page.substr(from + start.size(), page.size() - end.size() - from - start.size());
}

class PageBuilder : public ::testing::Test {
protected:
    std::string render() { return renderPage(builder, engine, window); }

    StandInEngine engine;
    WindowValues window;
    HtmlPageBuilderImpl builder;
};

RegistryModification registryRecord(const std::string& id, std::uint32_t root, const std::string& subkey, int action,
                                    const std::string& valueName, const std::string& group,
                                    const std::string& description) {
    RegistryModification record;
    record.root = root;
    record.subkey = subkey;
    record.action = action;
    record.valueName = valueName;
    record.group = group;
    record.description = description;
    record.state.id = id;
    return record;
}

FileModification fileRecord(const std::string& id, const std::string& path, const std::string& innerName, bool variant,
                            bool selected) {
    FileModification record;
    record.path = path;
    record.innerName = innerName;
    record.description = "Known <b>adware</b>.";
    record.variant = variant;
    record.state.id = id;
    record.state.selected = selected;
    return record;
}

HostsModification hostsRecord(const std::string& id, int action, const std::string& host, const std::string& address,
                              bool selected) {
    HostsModification record;
    record.action = action;
    record.entry.host = host;
    record.entry.address = address;
    record.description = "A <i>redirection</i>.";
    record.state.id = id;
    record.state.selected = selected;
    return record;
}

TEST_F(PageBuilder, EveryStatePageIsItsTextInTheFrame) {
    const StandInEngine& v = engine;
    engine.updateProgress = 42;
    engine.errorMessage = "Could not connect to the server.";
    engine.statusText = "Scanning: HKEY_CURRENT_USER\\Software";
    struct Case {
        int state;
        int tab;
        std::string section;
    };
    const Case cases[] = {
        {ENGINE_UPDATING, 0,
         std::string("<h1>Updating</h1>\n") +
             "<p>Updating, please be patient... <br /><br />Progress: " + std::to_string(v.updateProgress) + "%" +
             "<br /><br /><a id=\"CANCEL_ENGINE\" accesskey=\"c\" title=\"Cancel the current update download.\" href=\"/\"><em id=\"CANCEL_ENGINE_EMPH\">C</em>ancel update</a></p>"},
        {ENGINE_UPDATE_FAILED, 0,
         std::string("<h1>Update error</h1>\n") + "<p>" + v.errorMessage +
             "<br /><br /><a class=\"new-window\" target=\"_new\" accesskey=\"m\" title=\"Get more information on how to update " +
             v.productName + " manually. This will open a new browser window.\" href=\"" + v.manualUpdateUrl +
             "\">Update <em>m</em>anually TAMBLIX_INSERT_NEW_WINDOW_ICON</a> | <a id=\"DONE\" accesskey=\"f\" title=\"Finish the unsuccessful update\" href=\"/\"><em id=\"DONE_EMPH\">F</em>inish &raquo;</a></p>"},
        {ENGINE_UPDATE_FINISHED_UPDATED, 0,
         std::string("<h1>Update finished</h1>\n") +
             "<p>The update finished successfully. The latest definitions has been downloaded and saved to disk.</p><p><a id=\"SCAN\" accesskey=\"s\" title=\"Scan with the updated definitions\" href=\"/\"><em id=\"SCAN_EMPH\">S</em>can</a> | <a id=\"DONE\" accesskey=\"l\" title=\"Scan later\" href=\"/\">Scan <em id=\"DONE_EMPH\">l</em>ater</a></p>"},
        {ENGINE_UPDATE_FINISHED_NOT_UPDATED, 0,
         std::string("<h1>Update not necessary</h1>\n") +
             "<p>You already have the latest definitions. <a id=\"DONE\" accesskey=\"f\" title=\"Finish update process\" href=\"/\"><em id=\"DONE_EMPH\">F</em>inish &raquo;</a></p>"},
        {ENGINE_SCAN_FAILED, 0,
         std::string("<h1>Scan error</h1>\n") + "<p>An error occurred during scanning:" + v.errorMessage +
             "<br /><br /><a id=\"DONE\" accesskey=\"f\" title=\"Finish scanning phase\" href=\"/\"><em id=\"DONE_EMPH\">F</em>inish &raquo;</a></p>"},
        {ENGINE_READY, 0,
         std::string("<h1>Welcome to ") + v.productName + "</h1>\n" + "<p>" + v.introductionMessage + "<br /><br />" +
             "<a id=\"SCAN\" accesskey=\"s\" title=\"Start the scanning process\" href=\"\"><em id=\"SCAN_EMPH\">S</em>tart scan</a></p><br /><br />"},
        {ENGINE_SCANNING, 0,
         std::string("<h1>Scanning</h1>\n") + "<p>Please be patient.</p>" +
             "<p><a id=\"CANCEL_ENGINE\" accesskey=\"c\" title=\"Cancel the scan.\" href=\"/\"><em id=\"CANCEL_ENGINE_EMPH\">C</em>ancel scan</a></p>" +
             "<p>" + v.statusText + "</p>"},
        {ENGINE_SCAN_CANCELLED, 0,
         std::string("<h1>Scan cancelled</h1>\n") + "<p>The scan was cancelled.</p>" +
             "<p><a id=\"DONE\" accesskey=\"f\" title=\"" + SCAN_CANCELLED_TITLE +
             "\" href=\"/\"><em id=\"DONE_EMPH\">F</em>inish &raquo;</a></p>"},
        {ENGINE_FIXING, 0,
         std::string("<h1>Applying modifications</h1>\n") + "<p>Please be patient, " + v.productName +
             " is applying the selected modifications.</p>"},
        {ENGINE_FIX_FAILED, 0,
         std::string("<h1>Modification error</h1>\n") +
             "<p>An error occured during the modifications phase: " + v.errorMessage +
             "<br /><br /><a accesskey=\"f\" id=\"DONE\" title=\"Finish the modification phase\" href=\"/\"><em id=\"DONE_EMPH\">F</em>inish &raquo;</a></p>"},
        {ENGINE_READY, 1,
         std::string("<h1>Updates</h1>\n") +
             "<p><a id=\"UPDATE\" accesskey=\"s\" href=\"/\"><em id=\"UPDATE_EMPH\">S</em>earch for updates</a></p>"},
        {ENGINE_UPDATE_CANCELLED, 0,
         std::string("<h1>Update aborted</h1>\n") + "<p>The update was cancelled. No updates were downloaded.</p>" +
             "<p><a id=\"DONE\" accesskey=\"f\" title=\"Finish the cancelled update\" href=\"/\"><em id=\"DONE_EMPH\">F</em>inish &raquo;</a></p>"},
        {ENGINE_READY, 2, std::string("<h1>Settings</h1>\n") + "<p>Not implemented yet.</p>"},
        {13, 0, ""},
        {-1, 0, ""},
        {ENGINE_READY, 4, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("state " + std::to_string(c.state) + ", tab " + std::to_string(c.tab));
        engine.state = c.state;
        window.tab = c.tab;
        EXPECT_EQ(section(render()), withIcons(c.section));
    }
}

TEST_F(PageBuilder, TabsAreLinksOnlyWhileTheEngineIsIdle) {
    struct Case {
        int state;
        int tab;
        std::vector<std::string> attributes;
    };
    const Case cases[] = {
        {ENGINE_READY, HOME_TAB, {SELECTED, LINK, LINK, LINK}},
        {ENGINE_READY, ABOUT_TAB, {LINK, LINK, LINK, SELECTED}},
        {ENGINE_SCAN_CANCELLED, SETTINGS_TAB, {LINK, LINK, SELECTED, LINK}},
        {ENGINE_SCANNING, ABOUT_TAB, {SELECTED, DISABLED, DISABLED, DISABLED}},
        {ENGINE_SCAN_FINISHED, UPDATES_TAB, {SELECTED, DISABLED, DISABLED, DISABLED}},
        {ENGINE_SCAN_FAILED, HOME_TAB, {SELECTED, DISABLED, DISABLED, DISABLED}},
        {ENGINE_FIXING, HOME_TAB, {SELECTED, DISABLED, DISABLED, DISABLED}},
        {ENGINE_FIX_FINISHED, HOME_TAB, {SELECTED, DISABLED, DISABLED, DISABLED}},
        {ENGINE_FIX_FAILED, HOME_TAB, {SELECTED, DISABLED, DISABLED, DISABLED}},
        {ENGINE_UPDATING, HOME_TAB, {DISABLED, SELECTED, DISABLED, DISABLED}},
        {ENGINE_UPDATE_FINISHED_UPDATED, HOME_TAB, {DISABLED, SELECTED, DISABLED, DISABLED}},
        {ENGINE_UPDATE_FINISHED_NOT_UPDATED, ABOUT_TAB, {DISABLED, SELECTED, DISABLED, DISABLED}},
        {ENGINE_UPDATE_FAILED, HOME_TAB, {DISABLED, SELECTED, DISABLED, DISABLED}},
        {ENGINE_UPDATE_CANCELLED, HOME_TAB, {DISABLED, SELECTED, DISABLED, DISABLED}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("state " + std::to_string(c.state) + ", tab " + std::to_string(c.tab));
        engine.state = c.state;
        window.tab = c.tab;
        const std::string page = render();
        EXPECT_EQ(page, framed(engine, c.attributes, section(page)));
    }
}

TEST_F(PageBuilder, UpdatingShowsThePercentage) {
    engine.state = ENGINE_UPDATING;
    engine.updateProgress = 42;
    EXPECT_NE(render().find("Progress: 42%<br />"), std::string::npos);
}

TEST_F(PageBuilder, IconPlaceholderOfTheDefinitionsBecomesTheIcon) {
    engine.introductionMessage = "Links with TAMBLIX_INSERT_NEW_WINDOW_ICON open a window.";
    const std::string page = render();
    EXPECT_NE(
        page.find(
            "<p>Links with <img border=\"0\" width=\"13\" height=\"12\" alt=\"This icon identifies that a link will open up a new browser window.\" src=\"" +
            ICON_ADDRESS + "\" /> open a window.<br /><br />"),
        std::string::npos);
    EXPECT_EQ(page.find("TAMBLIX_INSERT_NEW_WINDOW_ICON"), std::string::npos);
}

TEST_F(PageBuilder, ScanFinishedWithoutSuggestionsStillListsTheProblems) {
    engine.state = ENGINE_SCAN_FINISHED;
    EXPECT_EQ(
        section(render()),
        "<h1>Scan Finished</h1>\n<p>No changes suggested. <a id=\"DONE\" accesskey=\"f\" title=\"Finish scan\" href=\"/\"><em id=\"DONE_EMPH\">F</em>inish &raquo;</a></p>");

    engine.results.scanProblems = {"Could not open key A.", "Could not read file B."};
    EXPECT_EQ(
        section(render()),
        "<h1>Scan Finished</h1>\n<p>No changes suggested. <a id=\"DONE\" accesskey=\"f\" title=\"Finish scan\" href=\"/\"><em id=\"DONE_EMPH\">F</em>inish &raquo;</a></p>"
        "<h2>Problem encountered during scanning phase</h2>\n<p>" +
            engine.productName +
            " encountered a few problems during the scanning phase, listed below:<br /><br />"
            "0. Could not open key A.<br />1. Could not read file B.<br /></p>");
}

const std::string TOP_BUTTONS =
    "<p><a id=\"FIX2_SELECTED_ITEMS\" accesskey=\"a\" title=\"Apply the selected modifications\" href=\"\"><em id=\"FIX2_SELECTED_ITEMS_EMPH\">A</em>pply selected modification</a> | <a id=\"DONE2\" accesskey=\"c\" title=\"Cancel without applying any of the suggested modifications\" href=\"\"><em  id=\"DONE2_EMPH\">C</em>ancel</a></p>";
const std::string BOTTOM_BUTTONS =
    "<p><a id=\"FIX_SELECTED_ITEMS\" accesskey=\"a\" title=\"Apply the selected modifications\" href=\"\"><em id=\"FIX_SELECTED_ITEMS_EMPH\">A</em>pply selected modification</a> | <a id=\"DONE\" accesskey=\"c\" title=\"Cancel without applying any of the suggested modifications\" href=\"\"><em  id=\"DONE_EMPH\">C</em>ancel</a><br /><br /><br /></p>";
const std::string FILE_TABLE_HEAD =
    std::string("<h2>Suggested file modifications</h2>\n") +
    "<table cellspacing=\"0\" class=\"resulttable\" summary=\"Suggested files modifications\">\n" +
    "<thead><tr><th><input id=\"SELECT_ALL_FILES_CHECK\" accesskey=\"f\" title=\"Select or deselect all suggested file modifications\" name=\"choice\" value=\"0\" type=\"checkbox\" /></th>" +
    "<th>Action</th><th>File</th><th>Description</th><th>Note</th>" + "</tr></thead><tbody>";
const std::string TABLE_END = "</tbody>\n</table>";

std::string registryHead(bool details) {
    return std::string("<h2>Suggested registry modifications</h2>\n") +
           "<table cellspacing=\"0\" class=\"resulttable\" summary=\"Suggested registry modifications\">\n" +
           "<thead><tr><th><input id=\"SELECT_ALL_REGISTRY_CHECK\" accesskey=\"r\" title=\"Select or deselect all suggested registry modifications\" name=\"choice\" value=\"0\" type=\"checkbox\" /></th>" +
           (details ? "<th>Action</th><th>Key</th><th>Value</th><th>Data</th>" : "") + "<th>Description</th>" +
           "<th class=\"switch-view\">" +
           (details
                ? "<a id=\"SWITCH_REGISTRY_VIEW\" title=\"View less details about the suggested registry changes\" href=\"\">&laquo;</a>"
                : "<a id=\"SWITCH_REGISTRY_VIEW\" title=\"View more details about the suggested registry changes\" href=\"\">&raquo;</a>") +
           "</th>" + "</tr></thead>\n" + "<tbody>\n";
}

std::string hostsHead(bool details) {
    return std::string("<h2>Suggested HOSTS file modifications</h2>\n") +
           "<table cellspacing=\"0\" class=\"resulttable\" summary=\"Suggested HOSTS file modifications\">\n" +
           "<thead><tr><th><input id=\"SELECT_ALL_HOSTS_CHECK\" accesskey=\"o\" title=\"Select or deselect all suggested HOSTS modifications\" name=\"choice\" value=\"0\" type=\"checkbox\" /></th>" +
           (details ? "<th>Action</th><th>from</th><th>to</th>" : "") + "<th>Description</th>" +
           "<th class=\"switch-view\">" +
           (details
                ? "<a id=\"SWITCH_HOSTS_VIEW\" title=\"View less details about the suggested HOSTS file changes\" href=\"\">&laquo;</a>"
                : "<a id=\"SWITCH_HOSTS_VIEW\" title=\"View more details about the suggested HOSTS file changes\" href=\"\">&raquo;</a>") +
           "</th>" + "</tr></thead>\n" + "<tbody>\n";
}

TEST_F(PageBuilder, FileTableRowsAlternateAndCarryTheirNotes) {
    engine.state = ENGINE_SCAN_FINISHED;
    engine.results.fileChanges = {fileRecord("4", "c:\\tools\\bad.exe", "", false, true),
                                  fileRecord("5", "c:\\downloads\\pack.zip", "inner.exe", true, false),
                                  fileRecord("6", "c:\\x.dll", "", false, false)};
    const std::string variantNote =
        "<a  class=\"new-window\" target=\"_new\" title=\"Details of what a variant means\" href=\"" +
        engine.variantUrl + "\">This is a variant TAMBLIX_INSERT_NEW_WINDOW_ICON</a>";
    const std::string expected =
        "<h1>Scan Finished</h1>\n<p>" + engine.scanFinishedMessage + "</p>" + TOP_BUTTONS + FILE_TABLE_HEAD +
        "<tr class=\"odd\"><td><input class=\"FIXCHECKBOX\" checked  id=\"4\" name=\"choice\" type=\"checkbox\" /></td>\n<td>Delete</td><td>c:\\tools\\bad.exe</td><td>Known <b>adware</b>.</td>\n<td>&nbsp;</td>\n</tr>"
        "<tr class=\"even\"><td><input class=\"FIXCHECKBOX\"  id=\"5\" name=\"choice\" type=\"checkbox\" /></td>\n<td>Delete</td><td>c:\\downloads\\pack.zip</td><td>Known <b>adware</b>. The detected file is named inner.exe and is located inside c:\\downloads\\pack.zip.</td>\n<td>" +
        variantNote +
        "</td>\n</tr>"
        "<tr class=\"odd\"><td><input class=\"FIXCHECKBOX\"  id=\"6\" name=\"choice\" type=\"checkbox\" /></td>\n<td>Delete</td><td>c:\\x.dll</td><td>Known <b>adware</b>.</td>\n<td>&nbsp;</td>\n</tr>" +
        TABLE_END + BOTTOM_BUTTONS;
    EXPECT_EQ(section(render()), withIcons(expected));
}

class RegistryTable : public PageBuilder {
protected:
    void SetUp() override {
        engine.state = ENGINE_SCAN_FINISHED;
        RegistryModification dword =
            registryRecord("10", ROOT_CURRENT_USER, "Software\\Demo", RegistryModification::SET_VALUE, "Mask", "g1",
                           "Restricts the <b>zone</b>.");
        dword.data.type = ModificationValue::TYPE_DWORD;
        dword.data.number = 4294967295u;
        dword.state.selected = true;
        engine.results.registryChanges = {
            registryRecord("8", ROOT_CURRENT_USER, "Software\\Demo", RegistryModification::ADD_SUBKEY, "", "g1",
                           "Adds the zone."),
            registryRecord("9", ROOT_CURRENT_USER, "Software\\Demo", RegistryModification::SET_VALUE, "", "g1",
                           "Sets its default."),
            dword,
            registryRecord("11", ROOT_LOCAL_MACHINE, "SOFTWARE\\Classes\\CLSID\\{6BF52A52-394A-11D3-B153-00C04F79FAA6}",
                           RegistryModification::REMOVE_VALUE, "InprocServer32", "7", "Points to a missing file."),
        };
        engine.results.registryChanges[1].data.text = "zone";
    }
};

TEST_F(RegistryTable, DetailsShowAGroupAsRowsUnderOneCheckbox) {
    window.registryDetails = true;
    const std::string expected =
        "<h1>Scan Finished</h1>\n<p>" + engine.scanFinishedMessage + "</p>" + TOP_BUTTONS + registryHead(true) +
        "<tr class=\"odd\"><td rowspan=\"3\"><input class=\"FIXCHECKBOX\"  id=\"8\" name=\"choice\" type=\"checkbox\" /></td>\n<td>Add subkey</td>\n<td><span class=\"helpsection\" title=\"HKEY_CURRENT_USER\\Software\\Demo\">HKCU\\Software\\Demo</span></td>\n<td>&nbsp;</td>\n<td>&nbsp;</td>\n<td>Adds the zone.</td>\n</tr>"
        "<tr class=\"odd\"><td>Add value</td>\n<td><span class=\"helpsection\" title=\"HKEY_CURRENT_USER\\Software\\Demo\">HKCU\\Software\\Demo</span></td>\n<td>&nbsp;</td>\n<td>zone</td>\n<td>Sets its default.</td>\n</tr>"
        "<tr class=\"odd\"><td>Add value</td>\n<td><span class=\"helpsection\" title=\"HKEY_CURRENT_USER\\Software\\Demo\">HKCU\\Software\\Demo</span></td>\n<td>Mask</td>\n<td>4294967295</td>\n<td>Restricts the <b>zone</b>.</td>\n</tr>"
        "<tr class=\"even\"><td rowspan=\"1\"><input class=\"FIXCHECKBOX\"  id=\"11\" name=\"choice\" type=\"checkbox\" /></td>\n<td>Remove value</td>\n<td><span class=\"helpsection\" title=\"HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\CLSID\\{6BF52A52-394A-11D3-B153-00C04F79FAA6}\">HKLM\\SOFT .. A52-394A-11D3-B153-00C04F79FAA6}</span></td>\n<td>InprocServer32</td>\n<td>&nbsp;</td>\n<td>Points to a missing file.</td>\n</tr>" +
        TABLE_END + BOTTOM_BUTTONS;
    EXPECT_EQ(section(render()), expected);
}

TEST_F(RegistryTable, CompactViewShowsOneRowAGroupWithItsFirstDescription) {
    engine.results.registryChanges[0].state.selected = true;
    const std::string expected =
        "<h1>Scan Finished</h1>\n<p>" + engine.scanFinishedMessage + "</p>" + TOP_BUTTONS + registryHead(false) +
        "<tr class=\"odd\"><td><input class=\"FIXCHECKBOX\" checked  id=\"8\" name=\"choice\" type=\"checkbox\" /></td>\n<td>Adds the zone.</td>\n</tr>"
        "<tr class=\"even\"><td><input class=\"FIXCHECKBOX\"  id=\"11\" name=\"choice\" type=\"checkbox\" /></td>\n<td>Points to a missing file.</td>\n</tr>" +
        TABLE_END + BOTTOM_BUTTONS;
    EXPECT_EQ(section(render()), expected);
}

// The engine fixes a run of equal group texts as one suggestion; a text that
// comes back later is a suggestion of its own, with a checkbox of its own.
TEST_F(RegistryTable, AGroupTextThatComesBackStartsAGroupOfItsOwn) {
    auto& records = engine.results.registryChanges;
    records = {registryRecord("1", ROOT_CURRENT_USER, "Software\\A", 0, "", "a", "First a."),
               registryRecord("2", ROOT_CURRENT_USER, "Software\\A", 0, "", "a", "Second a."),
               registryRecord("3", ROOT_CURRENT_USER, "Software\\B", 0, "", "b", "Only b."),
               registryRecord("4", ROOT_CURRENT_USER, "Software\\A", 0, "", "a", "Third a."),
               registryRecord("5", ROOT_CURRENT_USER, "Software\\C", 0, "", "c", "Only c.")};
    const std::string page = render();
    for (const char* row : {"<tr class=\"odd\"><td><input class=\"FIXCHECKBOX\"  id=\"1\"",
                            "<tr class=\"even\"><td><input class=\"FIXCHECKBOX\"  id=\"3\"",
                            "<tr class=\"odd\"><td><input class=\"FIXCHECKBOX\"  id=\"4\"",
                            "<tr class=\"even\"><td><input class=\"FIXCHECKBOX\"  id=\"5\""}) {
        SCOPED_TRACE(row);
        EXPECT_NE(page.find(row), std::string::npos);
    }
    EXPECT_EQ(page.find("id=\"2\""), std::string::npos);

    window.registryDetails = true;
    const std::string detailed = render();
    EXPECT_NE(detailed.find("<td rowspan=\"2\"><input class=\"FIXCHECKBOX\"  id=\"1\""), std::string::npos);
    EXPECT_NE(detailed.find("<td rowspan=\"1\"><input class=\"FIXCHECKBOX\"  id=\"4\""), std::string::npos);
    EXPECT_NE(detailed.find("<td rowspan=\"1\"><input class=\"FIXCHECKBOX\"  id=\"5\""), std::string::npos);
}

TEST_F(PageBuilder, HostsRowsShowTheRedirectionOnlyWithDetails) {
    engine.state = ENGINE_SCAN_FINISHED;
    engine.results.hostsChanges = {
        hostsRecord("20", HostsModification::ACTION_ADD, "ads.example", "127.0.0.1", true),
        hostsRecord("21", HostsModification::ACTION_REMOVE, "bank.example", "10.1.2.3", false)};
    const std::string compact =
        "<h1>Scan Finished</h1>\n<p>" + engine.scanFinishedMessage + "</p>" + TOP_BUTTONS + hostsHead(false) +
        "<tr class=\"odd\"><td><input class=\"FIXCHECKBOX\" id=\"20\" name=\"choice\" checked type=\"checkbox\" /></td>\n<td>A <i>redirection</i>.</td>\n</tr>"
        "<tr class=\"even\"><td><input class=\"FIXCHECKBOX\" id=\"21\" name=\"choice\" type=\"checkbox\" /></td>\n<td>A <i>redirection</i>.</td>\n</tr>" +
        TABLE_END + BOTTOM_BUTTONS;
    EXPECT_EQ(section(render()), compact);

    window.hostsDetails = true;
    const std::string detailed =
        "<h1>Scan Finished</h1>\n<p>" + engine.scanFinishedMessage + "</p>" + TOP_BUTTONS + hostsHead(true) +
        "<tr class=\"odd\"><td><input class=\"FIXCHECKBOX\" id=\"20\" name=\"choice\" checked type=\"checkbox\" /></td>\n<td>add redirection</td>\n<td>ads.example</td>\n<td>127.0.0.1</td>\n<td>A <i>redirection</i>.</td>\n</tr>"
        "<tr class=\"even\"><td><input class=\"FIXCHECKBOX\" id=\"21\" name=\"choice\" type=\"checkbox\" /></td>\n<td>remove redirection</td>\n<td>bank.example</td>\n<td>10.1.2.3</td>\n<td>A <i>redirection</i>.</td>\n</tr>" +
        TABLE_END + BOTTOM_BUTTONS;
    EXPECT_EQ(section(render()), detailed);
}

TEST_F(PageBuilder, TablesComeInTheOrderFilesRegistryHosts) {
    engine.state = ENGINE_SCAN_FINISHED;
    engine.results.hostsChanges = {hostsRecord("3", 0, "a.example", "127.0.0.1", false)};
    engine.results.registryChanges = {registryRecord("2", ROOT_CURRENT_USER, "Software\\A", 0, "", "a", "A.")};
    engine.results.fileChanges = {fileRecord("1", "c:\\a", "", false, false)};
    engine.results.scanProblems = {"One problem."};
    const std::string page = render();
    const auto files = page.find("<h2>Suggested file modifications</h2>");
    const auto registry = page.find("<h2>Suggested registry modifications</h2>");
    const auto hosts = page.find("<h2>Suggested HOSTS file modifications</h2>");
    const auto bottom = page.find(BOTTOM_BUTTONS);
    const auto problems = page.find(
        "<h2>Problem encountered during scanning phase</h2>\n<p>" + engine.productName +
        " encountered a few problems during the scanning phase, listed below:<br /><br />0. One problem.<br /></p>");
    EXPECT_LT(page.find(TOP_BUTTONS), files);
    EXPECT_LT(files, registry);
    EXPECT_LT(registry, hosts);
    EXPECT_LT(hosts, bottom);
    EXPECT_LT(bottom, problems);
    EXPECT_NE(problems, std::string::npos);
}

TEST_F(PageBuilder, ModificationsDoneNamesTheLogAndListsTheProblems) {
    engine.state = ENGINE_FIX_FINISHED;
    engine.logFilePath = "c:\\users\\me\\Documents\\Demo Cleaner\\log.txt";
    const std::string done =
        "<h1>Modifications done</h1>\n<p>Modification phase completed successfully. A log has been saved in '" +
        engine.logFilePath +
        "' with detailed information about the modifications.</p><p><a id=\"DONE\" accesskey=\"f\" title=\"Finish modifications phase\" href=\"/\"><em id=\"DONE_EMPH\">F</em>inish &raquo;</a></p>";
    EXPECT_EQ(section(render()), done);

    engine.results.fixProblems = {"Could not delete a.", "Could not delete b."};
    const std::string withProblems =
        "<h1>Modifications done</h1>\n<p>Modification phase completed with a few problems. A log has been saved in '" +
        engine.logFilePath +
        "' with detailed information about the modifications.</p><p><a id=\"DONE\" accesskey=\"f\" title=\"Finish modifications phase\" href=\"/\"><em id=\"DONE_EMPH\">F</em>inish &raquo;</a></p>" +
        "<h2>Encountered problems</h2>\n" + "<p>" + engine.productName +
        " encountered problems during the modification phase. Please visit " + engine.productName +
        "'s web page for <a title=\"Find more information and work-arounds for the encountered problem\" target=\"new\" href=\"" +
        engine.troubleshootUrl +
        "\">troubleshooting and additional information TAMBLIX_INSERT_NEW_WINDOW_ICON</a>. The following displays the error message for each of the encountered problems. These error messages are also saved in the log file mentioned above.</p>\n" +
        "<p>" + "0. Could not delete a.<br />1. Could not delete b.<br />" + "</p>\n";
    EXPECT_EQ(section(render()), withIcons(withProblems));
}

TEST_F(PageBuilder, AboutPageGivesTheVersionsAndTheAccessibilityStatement) {
    window.tab = ABOUT_TAB;
    const std::string& p = engine.productName;
    const std::string link =
        "<a target=\"_blank\" class=\"new-window\" accesskey=\"t\" href=\"http://www.quorvex.com/tamblix/\" title=\"Read more about the Tamblix Framework at www.quorvex.com - This link will open a new browser window\"><em>T</em>amblix framework TAMBLIX_INSERT_NEW_WINDOW_ICON</a>";
    const std::string expected =
        "<h1>About " + p + "</h1>\n" + "<p>This documents contains version information about " + p +
        " and an accessability statement.</p>" + "<h2>Credits and version information</h2>\n" + "<p>" + p + " v" +
        engine.productVersion + "<br />Publisher: " + engine.publisher + "<br />Author: " + engine.author +
        "<br />Definition version: 7<br />Definition date: " + engine.definitionsDate + "<br /></p><p><small>" + p +
        "  is built using the " + link + " v0.048a</small></p>" + "<h2>Accessibility statement</h2>\n" + "<p>" + p +
        " is built upon the  Microsoft Internet Explorer browser engine. An advantage is that you will recognize many of the features and navigation aids from the web, such as jumping between links with the TAB key, clicking links with Enter, CTRL + F to search, CTRL + A to select all text, CTRL + C to copy, checking checkboxes with space, etc.</p>" +
        "<h3>Access keys</h3>\n" + "<p>" + p +
        " supports jumping to links defined by an access key. Press ALT + the access keys to jump to a specific link and Enter to click. Access keys can also be used to check/uncheck some checkboxes in the program. The access key is when possible underlined. The following are the access keys for the tab menu:</p>" +
        "<dl><dt>Access key h</dt><dd>Select the Home tab</dd><dt>Access key u</dt><dd>Select the Updates tab</dd><dt>Access key e</dt><dd>Select the Settings tab</dd><dt>Access key a</dt><dd>Select the About tab</dd></dl>" +
        "<h3>Links</h3>\n" + "<ol>" +
        "<li>Many links in the program have a title attribute that describes the link more in detail. Hold the mouse pointer above the link to show the title.</li>" +
        "<li>Some links will open a new browser window. These links can be identified with by the 'new window' icon TAMBLIX_INSERT_NEW_WINDOW_ICON located on the right side of the link, or by reading the link's title attribute.</li>" +
        "<li>In most cases, the link text will give enough detail to make sense out of its context. Some screen readers (such as JAWS) allows the user to extract the links and browse them  separately from the page. If the not, please examine the link's title attribute.</li>" +
        "</ol>" + "<h3>Images</h3>\n" + "<ol>" +
        "<li>All images used in the program includes the ALT attribute, which contains an alternate description of the image. Decorative images are described as such.</li>" +
        "</ol>" + "<h3>Visual design</h3>\n" +
        "<p>The program uses cascading style sheets for the visual layout. Fonts are declared with relative sizes and can be resized by holding CTRL and using the mouse wheel.</p>" +
        "<h3>Miscellaneous</h3>\n" +
        "<p>Sometimes JAWS does not notice that the content of screen was updated. Press INSERT+ESC to refresh JAWS.<br /><br /></p>";
    EXPECT_EQ(section(render()), withIcons(expected));
}

// What the machine holds is shown as text; what the definitions say keeps its
// mark-up.
TEST_F(PageBuilder, MachineTextsAreShownAsText) {
    const std::string hostile = "<script>alert('x')</script> & \"more\"";
    const std::string shown = "&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt; &amp; &quot;more&quot;";
    struct Case {
        const char* what;
        int state;
        std::function<void(StandInEngine&)> set;
        std::string expectedPiece;
    };
    const Case cases[] = {
        {"status text", ENGINE_SCANNING, [&](StandInEngine& e) { e.statusText = hostile; }, "<p>" + shown + "</p>"},
        {"scan error", ENGINE_SCAN_FAILED, [&](StandInEngine& e) { e.errorMessage = hostile; },
         "during scanning:" + shown + "<br />"},
        {"update error", ENGINE_UPDATE_FAILED, [&](StandInEngine& e) { e.errorMessage = hostile; },
         "<p>" + shown + "<br />"},
        {"fix error", ENGINE_FIX_FAILED, [&](StandInEngine& e) { e.errorMessage = hostile; },
         "phase: " + shown + "<br />"},
        {"log path", ENGINE_FIX_FINISHED, [&](StandInEngine& e) { e.logFilePath = hostile; },
         "saved in '" + shown + "' with"},
        {"fix problem", ENGINE_FIX_FINISHED, [&](StandInEngine& e) { e.results.fixProblems = {hostile}; },
         "0. " + shown + "<br />"},
        {"scan problem", ENGINE_SCAN_FINISHED, [&](StandInEngine& e) { e.results.scanProblems = {hostile}; },
         "0. " + shown + "<br />"},
        {"file path", ENGINE_SCAN_FINISHED,
         [&](StandInEngine& e) { e.results.fileChanges = {fileRecord("1", "c:\\" + hostile, "", false, false)}; },
         "<td>c:\\" + shown + "</td>"},
        {"archive member", ENGINE_SCAN_FINISHED,
         [&](StandInEngine& e) { e.results.fileChanges = {fileRecord("1", "c:\\a.zip", hostile, false, false)}; },
         "named " + shown + " and"},
        {"HOSTS host", ENGINE_SCAN_FINISHED,
         [&](StandInEngine& e) { e.results.hostsChanges = {hostsRecord("1", 0, hostile, "127.0.0.1", false)}; },
         "<td>" + shown + "</td>"},
        {"HOSTS address", ENGINE_SCAN_FINISHED,
         [&](StandInEngine& e) { e.results.hostsChanges = {hostsRecord("1", 0, "a", hostile, false)}; },
         "<td>" + shown + "</td>"},
    };
    window.hostsDetails = true;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StandInEngine fresh;
        fresh.state = c.state;
        c.set(fresh);
        const std::string page = renderPage(builder, fresh, window);
        EXPECT_NE(page.find(c.expectedPiece), std::string::npos) << page;
        EXPECT_EQ(page.find("<script>"), std::string::npos);
    }
}

TEST_F(RegistryTable, KeyValueNamesAndDataAreShownAsText) {
    window.registryDetails = true;
    RegistryModification record =
        registryRecord("1", ROOT_CURRENT_USER, "Software\\<script>&", RegistryModification::SET_VALUE, "<b>&name", "z",
                       "Keeps <b>bold</b>.");
    record.data.text = "c:\\<i>&.exe";
    engine.results.registryChanges = {record};
    const std::string page = render();
    EXPECT_NE(
        page.find(
            "<td><span class=\"helpsection\" title=\"HKEY_CURRENT_USER\\Software\\&lt;script&gt;&amp;\">HKCU\\Software\\&lt;script&gt;&amp;</span></td>\n<td>&lt;b&gt;&amp;name</td>\n<td>c:\\&lt;i&gt;&amp;.exe</td>\n<td>Keeps <b>bold</b>.</td>"),
        std::string::npos)
        << page;
}

TEST_F(PageBuilder, KeepsOnePageBufferReservedForLargePages) {
    const std::string* first = &builder.buildPage(ABOUT_TAB, ENGINE_READY, "", "", nullptr, "", "", "", 0, "", "", "", "", "", 0, "", "",
                                                  "", "", "", "", "", false, false, nullptr, nullptr);
    EXPECT_NE(first->find("<img border=\"0\""), std::string::npos);
    EXPECT_GE(first->capacity(), 500000u);
    const std::string* second = &builder.buildPage(0, 1, "", "", nullptr, "", "", "", 0, "", "", "", "", "", 0, "", "",
                                                   "", "", "", "", "", false, false, nullptr, nullptr);
    EXPECT_EQ(first, second);
    EXPECT_NE(second->find("<h1>Scanning</h1>"), std::string::npos);
}

}  // namespace
}  // namespace pages_testing
