#pragma once
// Renders the whole body of the window for one engine state. The window collects
// every input on its own thread at each refresh; the builder keeps nothing from
// one page to the next except its buffer.
//
// Texts that come from the signed definitions (product values, messages,
// suggestion descriptions) go into the page as they stand, mark-up included;
// texts that come from the machine (paths, key and value names and data, HOSTS
// entries, status, error and problem texts, the log path) are escaped, so that
// nothing a scanned machine holds can become mark-up or script.

#include <string>
#include <vector>

#include "engine/plugins/ScanResults.h"

namespace com::quorvex::products::tamblix {

constexpr int HOME_TAB = 0;
constexpr int UPDATES_TAB = 1;
constexpr int SETTINGS_TAB = 2;
constexpr int ABOUT_TAB = 3;

class HtmlPageBuilder {
public:
    virtual ~HtmlPageBuilder() = default;

    // The page stays valid until the next call; the caller copies it. The
    // pointers may be null, which counts as empty.
    virtual const std::string& buildPage(
        const int& currentTab, const int& engineState, const std::string& statusText, const std::string& productName,
        const ScanResults* scanResults, const std::string& productUrl, const std::string& bannerImageAddress,
        const std::string& newWindowIconAddress, int updateProgress, const std::string& errorMessage,
        const std::string& productVersion, const std::string& frameworkVersion, const std::string& publisher,
        const std::string& author, int definitionsVersion, const std::string& definitionsDate,
        const std::string& introductionText, const std::string& scanFinishedText, const std::string& logFilePath,
        const std::string& manualUpdateUrl, const std::string& troubleshootUrl, const std::string& variantUrl,
        bool registryDetailsShown, bool hostsDetailsShown, const std::vector<std::string>* fixProblems,
        const std::vector<std::string>* scanProblems) = 0;

    // The built-in style sheet, written for the ids and classes of the pages.
    virtual std::string getDefaultStyleSheet() = 0;
};

}  // namespace com::quorvex::products::tamblix
