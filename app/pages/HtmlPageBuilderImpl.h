#pragma once
// The one page builder. Its page text is reserved for 500000 characters once, so
// the appends of an ordinary page never reallocate.

#include <map>
#include <string>

#include "app/pages/HtmlPageBuilder.h"
#include "platform/registry/RegistryKeyNames.h"

namespace com::quorvex::products::tamblix {

class HtmlPageBuilderImpl : public HtmlPageBuilder {
public:
    HtmlPageBuilderImpl();

    const std::string& buildPage(
        const int& currentTab, const int& engineState, const std::string& statusText, const std::string& productName,
        const ScanResults* scanResults, const std::string& productUrl, const std::string& bannerImageAddress,
        const std::string& newWindowIconAddress, int updateProgress, const std::string& errorMessage,
        const std::string& productVersion, const std::string& frameworkVersion, const std::string& publisher,
        const std::string& author, int definitionsVersion, const std::string& definitionsDate,
        const std::string& introductionText, const std::string& scanFinishedText, const std::string& logFilePath,
        const std::string& manualUpdateUrl, const std::string& troubleshootUrl, const std::string& variantUrl,
        bool registryDetailsShown, bool hostsDetailsShown, const std::vector<std::string>* fixProblems,
        const std::vector<std::string>* scanProblems) override;

    std::string getDefaultStyleSheet() override;

private:
    std::string _page;
    // RegistryModification::action -> the text of the table's Action column.
    std::map<int, std::string> _registryActions;
    windows::registry::RegistryKeyNames _keyNames;
};

}  // namespace com::quorvex::products::tamblix
