#include <string>

#include "app/pages/HtmlPageBuilder.h"
#include "app/pages/PageInputs.h"
#include "engine/EngineStates.h"
#include "engine/plugins/HtmlText.h"

namespace com::quorvex::products::tamblix::pages {

namespace {

const char* const SCAN_CANCELLED_FINISH_TITLE = "Finish the cancelled scan";

void appendUpdating(std::string& page, const PageInputs& in) {
    page += "<h1>Updating</h1>\n";
    page += "<p>Updating, please be patient... <br /><br />Progress: ";
    page += std::to_string(in.updateProgress);
    page += "%";
    page +=
        "<br /><br /><a id=\"CANCEL_ENGINE\" accesskey=\"c\" title=\"Cancel the current update download.\" "
        "href=\"/\"><em id=\"CANCEL_ENGINE_EMPH\">C</em>ancel update</a></p>";
}

void appendUpdateFailed(std::string& page, const PageInputs& in) {
    page += "<h1>Update error</h1>\n";
    page += "<p>";
    appendEscapedHtml(page, in.errorMessage);
    page +=
        "<br /><br /><a class=\"new-window\" target=\"_new\" accesskey=\"m\" title=\"Get more information on how "
        "to update ";
    page += in.productName;
    page += " manually. This will open a new browser window.\" href=\"";
    page += in.manualUpdateUrl;
    page +=
        "\">Update <em>m</em>anually TAMBLIX_INSERT_NEW_WINDOW_ICON</a> | <a id=\"DONE\" accesskey=\"f\" "
        "title=\"Finish the unsuccessful update\" href=\"/\"><em id=\"DONE_EMPH\">F</em>inish &raquo;</a></p>";
}

void appendUpdateFinishedUpdated(std::string& page) {
    page += "<h1>Update finished</h1>\n";
    page +=
        "<p>The update finished successfully. The latest definitions has been downloaded and saved to "
        "disk.</p><p><a id=\"SCAN\" accesskey=\"s\" title=\"Scan with the updated definitions\" href=\"/\"><em "
        "id=\"SCAN_EMPH\">S</em>can</a> | <a id=\"DONE\" accesskey=\"l\" title=\"Scan later\" href=\"/\">Scan <em "
        "id=\"DONE_EMPH\">l</em>ater</a></p>";
}

void appendUpdateNotNecessary(std::string& page) {
    page += "<h1>Update not necessary</h1>\n";
    page +=
        "<p>You already have the latest definitions. <a id=\"DONE\" accesskey=\"f\" title=\"Finish update "
        "process\" href=\"/\"><em id=\"DONE_EMPH\">F</em>inish &raquo;</a></p>";
}

void appendScanFailed(std::string& page, const PageInputs& in) {
    page += "<h1>Scan error</h1>\n";
    page += "<p>An error occurred during scanning:";
    appendEscapedHtml(page, in.errorMessage);
    page +=
        "<br /><br /><a id=\"DONE\" accesskey=\"f\" title=\"Finish scanning phase\" href=\"/\"><em "
        "id=\"DONE_EMPH\">F</em>inish &raquo;</a></p>";
}

void appendWelcome(std::string& page, const PageInputs& in) {
    page += "<h1>Welcome to ";
    page += in.productName;
    page += "</h1>\n";
    page += "<p>";
    page += in.introductionText;
    page += "<br /><br />";
    page +=
        "<a id=\"SCAN\" accesskey=\"s\" title=\"Start the scanning process\" href=\"\"><em "
        "id=\"SCAN_EMPH\">S</em>tart scan</a></p><br /><br />";
}

void appendScanning(std::string& page, const PageInputs& in) {
    page += "<h1>Scanning</h1>\n";
    page += "<p>Please be patient.</p>";
    page +=
        "<p><a id=\"CANCEL_ENGINE\" accesskey=\"c\" title=\"Cancel the scan.\" href=\"/\"><em "
        "id=\"CANCEL_ENGINE_EMPH\">C</em>ancel scan</a></p>";
    page += "<p>";
    appendEscapedHtml(page, in.statusText);
    page += "</p>";
}

void appendScanCancelled(std::string& page) {
    page += "<h1>Scan cancelled</h1>\n";
    page += "<p>The scan was cancelled.</p>";
    page += "<p><a id=\"DONE\" accesskey=\"f\" title=\"";
    page += SCAN_CANCELLED_FINISH_TITLE;
    page += "\" href=\"/\"><em id=\"DONE_EMPH\">F</em>inish &raquo;</a></p>";
}

void appendFixing(std::string& page, const PageInputs& in) {
    page += "<h1>Applying modifications</h1>\n";
    page += "<p>Please be patient, ";
    page += in.productName;
    page += " is applying the selected modifications.</p>";
}

void appendModificationsDone(std::string& page, const PageInputs& in) {
    const bool problems = !in.fixProblems.empty();
    page += "<h1>Modifications done</h1>\n";
    page += "<p>Modification phase completed ";
    page += problems ? "with a few problems" : "successfully";
    page += ". A log has been saved in '";
    appendEscapedHtml(page, in.logFilePath);
    page +=
        "' with detailed information about the modifications.</p><p><a id=\"DONE\" accesskey=\"f\" "
        "title=\"Finish modifications phase\" href=\"/\"><em id=\"DONE_EMPH\">F</em>inish &raquo;</a></p>";
    if (!problems) return;
    page += "<h2>Encountered problems</h2>\n";
    page += "<p>";
    page += in.productName;
    page += " encountered problems during the modification phase. Please visit ";
    page += in.productName;
    page +=
        "'s web page for <a title=\"Find more information and work-arounds for the encountered problem\" "
        "target=\"new\" href=\"";
    page += in.troubleshootUrl;
    page +=
        "\">troubleshooting and additional information TAMBLIX_INSERT_NEW_WINDOW_ICON</a>. The following displays "
        "the error message for each of the encountered problems. These error messages are also saved in the log "
        "file mentioned above.</p>\n";
    page += "<p>";
    appendProblemLines(page, in.fixProblems);
    page += "</p>\n";
}

void appendFixFailed(std::string& page, const PageInputs& in) {
    page += "<h1>Modification error</h1>\n";
    page += "<p>An error occured during the modifications phase: ";
    appendEscapedHtml(page, in.errorMessage);
    page +=
        "<br /><br /><a accesskey=\"f\" id=\"DONE\" title=\"Finish the modification phase\" href=\"/\"><em "
        "id=\"DONE_EMPH\">F</em>inish &raquo;</a></p>";
}

void appendUpdates(std::string& page) {
    page += "<h1>Updates</h1>\n";
    page += "<p><a id=\"UPDATE\" accesskey=\"s\" href=\"/\"><em id=\"UPDATE_EMPH\">S</em>earch for updates</a></p>";
}

void appendUpdateCancelled(std::string& page) {
    page += "<h1>Update aborted</h1>\n";
    page += "<p>The update was cancelled. No updates were downloaded.</p>";
    page +=
        "<p><a id=\"DONE\" accesskey=\"f\" title=\"Finish the cancelled update\" href=\"/\"><em "
        "id=\"DONE_EMPH\">F</em>inish &raquo;</a></p>";
}

void appendSettings(std::string& page) {
    page += "<h1>Settings</h1>\n";
    page += "<p>Not implemented yet.</p>";
}

void appendReadyTab(std::string& page, const PageInputs& in) {
    switch (in.currentTab) {
        case HOME_TAB: appendWelcome(page, in); break;
        case UPDATES_TAB: appendUpdates(page); break;
        case SETTINGS_TAB: appendSettings(page); break;
        case ABOUT_TAB: appendAboutPage(page, in); break;
        default: break;
    }
}

}  // namespace

void appendProblemLines(std::string& page, const std::vector<std::string>& problems) {
    for (std::size_t i = 0; i < problems.size(); ++i) {
        page += std::to_string(i);
        page += ". ";
        appendEscapedHtml(page, problems[i]);
        page += "<br />";
    }
}

void appendStateSection(std::string& page, const PageInputs& in, const RegistryTexts& registry) {
    switch (in.engineState) {
        case ENGINE_READY: appendReadyTab(page, in); break;
        case ENGINE_SCANNING: appendScanning(page, in); break;
        case ENGINE_SCAN_FINISHED: appendScanFinishedPage(page, in, registry); break;
        case ENGINE_SCAN_FAILED: appendScanFailed(page, in); break;
        case ENGINE_SCAN_CANCELLED: appendScanCancelled(page); break;
        case ENGINE_FIXING: appendFixing(page, in); break;
        case ENGINE_FIX_FINISHED: appendModificationsDone(page, in); break;
        case ENGINE_FIX_FAILED: appendFixFailed(page, in); break;
        case ENGINE_UPDATING: appendUpdating(page, in); break;
        case ENGINE_UPDATE_FINISHED_UPDATED: appendUpdateFinishedUpdated(page); break;
        case ENGINE_UPDATE_FINISHED_NOT_UPDATED: appendUpdateNotNecessary(page); break;
        case ENGINE_UPDATE_FAILED: appendUpdateFailed(page, in); break;
        case ENGINE_UPDATE_CANCELLED: appendUpdateCancelled(page); break;
        default: break;
    }
}

}  // namespace com::quorvex::products::tamblix::pages
