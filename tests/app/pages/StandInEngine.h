#pragma once
// An engine that is only what a test sets: its state, texts, results and product
// values are public members, and the operations record that they were called.
// For the window and the page builder, which read the engine and drive it but
// never need a scan to happen.

#include <string>
#include <vector>

#include "engine/TamblixEngine.h"

namespace pages_testing {

using namespace com::quorvex::products::tamblix;

struct StandInEngine : TamblixEngine {
    int state = ENGINE_READY;
    std::string statusText;
    unsigned changeCounter = 0;
    std::string errorMessage;
    ScanResults results;
    int updateProgress = 0;
    std::string logFilePath;

    std::string productName = "Demo Cleaner";
    std::string productVersion = "1.2";
    std::string productUrl = "http://demo.example/";
    std::string troubleshootUrl = "http://demo.example/help";
    std::string manualUpdateUrl = "http://demo.example/manual";
    std::string variantUrl = "http://demo.example/variant";
    std::string publisher = "Demo Publisher";
    std::string author = "Demo Author";
    int definitionsVersion = 7;
    std::string definitionsDate = "2007-03-05";
    std::string introductionMessage = "Finds <b>old</b> entries.";
    std::string scanFinishedMessage = "Here is what was <i>found</i>.";
    std::string styleSheet;

    // What the operations were asked, in order: "scan", "fix", "select 3 1", ...
    std::vector<std::string> calls;

    void loadDefinitionFiles(platform::file::IStream&, platform::file::IStream&, platform::file::IStream&) override {
        calls.push_back("loadDefinitionFiles");
    }
    void scan() override { calls.push_back("scan"); }
    void setSelected(ModificationSelection selection) override {
        calls.push_back("select " + selection.id + (selection.selected ? " 1" : " 0"));
    }
    void selectAllHosts(bool selected) override {
        calls.push_back(std::string("selectAllHosts ") + (selected ? "1" : "0"));
    }
    void selectAllRegistry(bool selected) override {
        calls.push_back(std::string("selectAllRegistry ") + (selected ? "1" : "0"));
    }
    void selectAllFiles(bool selected) override {
        calls.push_back(std::string("selectAllFiles ") + (selected ? "1" : "0"));
    }
    void fix() override { calls.push_back("fix"); }
    void update() override { calls.push_back("update"); }
    void finish() override { calls.push_back("finish"); }
    void cancel() override { calls.push_back("cancel"); }

    int getState() override { return state; }
    std::string getStatusText() override { return statusText; }
    unsigned getChangeCounter() override { return changeCounter; }
    std::string getErrorMessage() override { return errorMessage; }
    ScanResults& getScanResults() override { return results; }
    int getUpdateProgress() override { return updateProgress; }
    std::string getLogFilePath() override { return logFilePath; }
    std::vector<std::string>& getFixProblems() override { return results.fixProblems; }
    std::vector<std::string>& getScanProblems() override { return results.scanProblems; }

    std::string getProductName() override { return productName; }
    std::string getProductVersion() override { return productVersion; }
    std::string getProductUrl() override { return productUrl; }
    std::string getTroubleshootUrl() override { return troubleshootUrl; }
    std::string getManualUpdateUrl() override { return manualUpdateUrl; }
    std::string getVariantUrl() override { return variantUrl; }
    std::string getPublisher() override { return publisher; }
    std::string getAuthor() override { return author; }
    int getDefinitionsVersion() override { return definitionsVersion; }
    std::string getDefinitionsDate() override { return definitionsDate; }
    std::string getIntroductionMessage() override { return introductionMessage; }
    std::string getScanFinishedMessage() override { return scanFinishedMessage; }
    std::string getStyleSheet() override { return styleSheet; }
};

}  // namespace pages_testing
