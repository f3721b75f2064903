#pragma once
// The inputs of one buildPage call, held together for the parts of the page.

#include <map>
#include <string>
#include <vector>

#include "engine/plugins/ScanResults.h"
#include "platform/registry/RegistryKeyNames.h"

namespace com::quorvex::products::tamblix::pages {

struct PageInputs {
    int currentTab;
    int engineState;
    const std::string& statusText;
    const std::string& productName;
    const ScanResults& scanResults;
    const std::string& productUrl;
    const std::string& bannerImageAddress;
    const std::string& newWindowIconAddress;
    int updateProgress;
    const std::string& errorMessage;
    const std::string& productVersion;
    const std::string& frameworkVersion;
    const std::string& publisher;
    const std::string& author;
    int definitionsVersion;
    const std::string& definitionsDate;
    const std::string& introductionText;
    const std::string& scanFinishedText;
    const std::string& logFilePath;
    const std::string& manualUpdateUrl;
    const std::string& troubleshootUrl;
    const std::string& variantUrl;
    bool registryDetailsShown;
    bool hostsDetailsShown;
    const std::vector<std::string>& fixProblems;
    const std::vector<std::string>& scanProblems;
};

// What the registry table needs of the builder: its action texts and the long
// names of the root keys.
struct RegistryTexts {
    const std::map<int, std::string>& actionTexts;
    const windows::registry::RegistryKeyNames& keyNames;
};

// The section of the engine state (for the ready state, of the current tab).
void appendStateSection(std::string& page, const PageInputs& in, const RegistryTexts& registry);

// The scan-finished page: the button rows, the three tables, the problem list.
void appendScanFinishedPage(std::string& page, const PageInputs& in, const RegistryTexts& registry);
void appendRegistryTable(std::string& page, const PageInputs& in, const RegistryTexts& registry);

void appendAboutPage(std::string& page, const PageInputs& in);

// Problem texts, each as its number from 0, ". ", the escaped text and a line break.
void appendProblemLines(std::string& page, const std::vector<std::string>& problems);

}  // namespace com::quorvex::products::tamblix::pages
