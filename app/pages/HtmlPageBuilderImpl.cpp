#include "app/pages/HtmlPageBuilderImpl.h"

#include "app/pages/DefaultStyleSheet.h"
#include "app/pages/PageInputs.h"
#include "engine/EngineStates.h"
#include "engine/plugins/RegistryModification.h"
#include "platform/util/StringHelper.h"

namespace com::quorvex::products::tamblix {

namespace {

constexpr std::string::size_type RESERVED_PAGE_SIZE = 500000;

const char* const NEW_WINDOW_ICON_PLACEHOLDER = "TAMBLIX_INSERT_NEW_WINDOW_ICON";

bool isScanOrFixPhase(int state) {
    return state == ENGINE_SCANNING || state == ENGINE_SCAN_FINISHED || state == ENGINE_SCAN_FAILED ||
           state == ENGINE_FIXING || state == ENGINE_FIX_FINISHED || state == ENGINE_FIX_FAILED;
}

bool isUpdatePhase(int state) { return state >= ENGINE_UPDATING && state <= ENGINE_UPDATE_CANCELLED; }

void appendClassAttribute(std::string& page, const char* className, bool withHref) {
    page += "class=\"";
    page += *className != 0 ? className : "notselected";
    page += "\" ";
    if (withHref) page += " href=\"/\"";
}

// While the engine works only the tab of that work shows as selected and no tab
// is a link; idle, every tab but the current one is.
void appendTabAttribute(std::string& page, int tab, int currentTab, int state) {
    int busyTab = -1;
    if (isScanOrFixPhase(state)) busyTab = HOME_TAB;
    if (isUpdatePhase(state)) busyTab = UPDATES_TAB;
    if (busyTab >= 0)
        appendClassAttribute(page, tab == busyTab ? "selected" : "disabled", false);
    else if (tab == currentTab)
        appendClassAttribute(page, "selected", false);
    else
        appendClassAttribute(page, "", true);
}

void appendFrameStart(std::string& page, const pages::PageInputs& in) {
    page +=
        "<div id=\"bodywrapper\"><div id=\"bannerdiv\" style=\"background:#fff;\"><a id=\"bannerlink\" "
        "accesskey=\"w\" target=\"_blank\" href=\"";
    page += in.productUrl;
    page += "\" title=\"Find more information at ";
    page += in.productName;
    page +=
        "' web page. This will open a new browser window.\"><img id=\"bannerimage\" width=\"515\" "
        "height=\"54\" alt=\"The program's logotype.\" src=\"";
    page += in.bannerImageAddress;
    page += "\" /></a></div><div id=\"menu\"><ul>\n<li id=\"one\"><a id=\"HOME_TAB\"  accesskey=\"h\" ";
    appendTabAttribute(page, HOME_TAB, in.currentTab, in.engineState);
    page += " title=\"Main page for ";
    page += in.productName;
    page +=
        " where you can scan and fix problems\"><em id=\"HOME_TAB_EMPH\">H</em>OME</a></li>\n"
        "<li id=\"two\"><a id=\"UPDATES_TAB\"  accesskey=\"u\" ";
    appendTabAttribute(page, UPDATES_TAB, in.currentTab, in.engineState);
    page +=
        " title=\"Download updates\"            ><em id=\"UPDATES_TAB_EMPH\">U</em>PDATES</a></li>\n"
        "<li id=\"tree\"><a id=\"SETTINGS_TAB\"  accesskey=\"e\" ";
    appendTabAttribute(page, SETTINGS_TAB, in.currentTab, in.engineState);
    page += " title=\"Configure ";
    page += in.productName;
    page +=
        "\"            >S<em id=\"SETTINGS_TAB_EMPH\">E</em>TTINGS</a></li>\n"
        "<li id=\"four\"><a id=\"ABOUT_TAB\" accesskey=\"a\" ";
    appendTabAttribute(page, ABOUT_TAB, in.currentTab, in.engineState);
    page += " title=\"Information about ";
    page += in.productName;
    page +=
        " and the Tamblix Framework\"><em id=\"ABOUT_TAB_EMPH\">A</em>BOUT</a></li>\n</ul></div>\n"
        "<div id=\"content\">";
}

std::string newWindowIcon(const std::string& iconAddress) {
    return "<img border=\"0\" width=\"13\" height=\"12\" alt=\"This icon identifies that a link will open up a new "
           "browser window.\" src=\"" +
           iconAddress + "\" />";
}

const std::vector<std::string> NO_PROBLEMS;
const ScanResults NO_RESULTS;

}  // namespace

HtmlPageBuilderImpl::HtmlPageBuilderImpl()
    : _registryActions{{RegistryModification::ADD_SUBKEY, "Add subkey"},
                       {RegistryModification::SET_VALUE, "Add value"},
                       {RegistryModification::REMOVE_SUBKEY, "Remove subkey"},
                       {RegistryModification::REMOVE_VALUE, "Remove value"}},
      _keyNames(false) {
    _page.reserve(RESERVED_PAGE_SIZE);
}

const std::string& HtmlPageBuilderImpl::buildPage(
    const int& currentTab, const int& engineState, const std::string& statusText, const std::string& productName,
    const ScanResults* scanResults, const std::string& productUrl, const std::string& bannerImageAddress,
    const std::string& newWindowIconAddress, int updateProgress, const std::string& errorMessage,
    const std::string& productVersion, const std::string& frameworkVersion, const std::string& publisher,
    const std::string& author, int definitionsVersion, const std::string& definitionsDate,
    const std::string& introductionText, const std::string& scanFinishedText, const std::string& logFilePath,
    const std::string& manualUpdateUrl, const std::string& troubleshootUrl, const std::string& variantUrl,
    bool registryDetailsShown, bool hostsDetailsShown, const std::vector<std::string>* fixProblems,
    const std::vector<std::string>* scanProblems) {
    const pages::PageInputs in{currentTab,
                               engineState,
                               statusText,
                               productName,
                               scanResults != nullptr ? *scanResults : NO_RESULTS,
                               productUrl,
                               bannerImageAddress,
                               newWindowIconAddress,
                               updateProgress,
                               errorMessage,
                               productVersion,
                               frameworkVersion,
                               publisher,
                               author,
                               definitionsVersion,
                               definitionsDate,
                               introductionText,
                               scanFinishedText,
                               logFilePath,
                               manualUpdateUrl,
                               troubleshootUrl,
                               variantUrl,
                               registryDetailsShown,
                               hostsDetailsShown,
                               fixProblems != nullptr ? *fixProblems : NO_PROBLEMS,
                               scanProblems != nullptr ? *scanProblems : NO_PROBLEMS};
    _page.clear();
    appendFrameStart(_page, in);
    pages::appendStateSection(_page, in, pages::RegistryTexts{_registryActions, _keyNames});
    _page += "</div><!--end of content-->\n</div><!--end of bodywrapper-->\n";
    util::StringHelper::replaceAll(_page, NEW_WINDOW_ICON_PLACEHOLDER, newWindowIcon(newWindowIconAddress));
    return _page;
}

std::string HtmlPageBuilderImpl::getDefaultStyleSheet() { return pages::defaultStyleSheet(); }

}  // namespace com::quorvex::products::tamblix
