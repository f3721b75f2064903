#pragma once
// The engine as the window drives it. Every operation either answers at once or
// starts work on the engine's worker thread and returns; the window learns of
// each state change and accepted progress text through its observer and then
// reads what it needs. Operations belong to the window's (main) thread.

#include <string>
#include <vector>

#include "engine/EngineStates.h"
#include "engine/ServiceDeclarations.h"
#include "engine/plugins/ScanResults.h"
#include "platform/util/Observable.h"

namespace com::quorvex::products::tamblix {

// A click on one suggestion's checkbox.
struct ModificationSelection {
    std::string id;
    bool selected = false;
};

class TamblixEngine : public Observable {
public:
    ~TamblixEngine() override = default;

    // Reads, checks and applies both definitions documents; throws its failures.
    virtual void loadDefinitionFiles(platform::file::IStream& definitions, platform::file::IStream& signature,
                                     platform::file::IStream& permanentDefinitions) = 0;
    virtual void scan() = 0;
    virtual void setSelected(ModificationSelection selection) = 0;
    virtual void selectAllHosts(bool selected) = 0;
    virtual void selectAllRegistry(bool selected) = 0;
    virtual void selectAllFiles(bool selected) = 0;
    virtual void fix() = 0;
    virtual void update() = 0;
    virtual void finish() = 0;
    virtual void cancel() = 0;

    virtual int getState() = 0;
    virtual std::string getStatusText() = 0;
    virtual unsigned getChangeCounter() = 0;
    virtual std::string getErrorMessage() = 0;
    virtual ScanResults& getScanResults() = 0;
    virtual int getUpdateProgress() = 0;
    virtual std::string getLogFilePath() = 0;
    virtual std::vector<std::string>& getFixProblems() = 0;
    virtual std::vector<std::string>& getScanProblems() = 0;

    virtual std::string getProductName() = 0;
    virtual std::string getProductVersion() = 0;
    virtual std::string getProductUrl() = 0;
    virtual std::string getTroubleshootUrl() = 0;
    virtual std::string getManualUpdateUrl() = 0;
    virtual std::string getVariantUrl() = 0;
    virtual std::string getPublisher() = 0;
    virtual std::string getAuthor() = 0;
    virtual int getDefinitionsVersion() = 0;
    virtual std::string getDefinitionsDate() = 0;
    virtual std::string getIntroductionMessage() = 0;
    virtual std::string getScanFinishedMessage() = 0;
    virtual std::string getStyleSheet() = 0;
};

}  // namespace com::quorvex::products::tamblix
