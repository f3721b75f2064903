#pragma once
// The system's central object: owns the plugins, the scan results, the product
// information and one worker thread at a time, on which it runs scan, fix and
// update. Every state change goes through setState, which empties the status
// text, counts the change and notifies the observers with the engine lock held:
// an observer's onNotify may run on the worker and must not wait for the main
// thread.
//
// Threads: the window's thread calls every operation; the worker runs _scan,
// _fix or _update. Starting new work, removeObserver, finish and the destructor
// first join the previous worker. The results are written by the worker only
// while SCANNING or FIXING, and by the window's thread only while no worker
// writes them. Broken preconditions are assertion reports; the operation goes on.

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "engine/DefinitionsStore.h"
#include "engine/EngineServices.h"
#include "engine/ProductInformation.h"
#include "engine/ScanMessageExpander.h"
#include "engine/TamblixEngine.h"
#include "engine/plugins/Plugin.h"
#include "engine/plugins/ProductLogFolder.h"
#include "engine/plugins/ScanProgressListener.h"
#include "platform/thread/Runnable.h"
#include "platform/thread/ThreadImpl.h"

namespace exceptions {
class Exception;
}

namespace com::quorvex::products::tamblix {

class TamblixEngineImpl : public TamblixEngine,
                          public ScanMessageExpander,
                          public ScanProgressListener,
                          public platform::thread::Runnable,
                          public Observer {
public:
    // The product's engine: its plugins in their fixed order, over the services.
    TamblixEngineImpl(const EngineServices& services, EngineSettings settings);
    // An engine that owns the given plugins, in order, instead.
    TamblixEngineImpl(const EngineServices& services, std::vector<std::unique_ptr<Plugin>> plugins,
                      EngineSettings settings = {});
    ~TamblixEngineImpl() override;
    TamblixEngineImpl(const TamblixEngineImpl&) = delete;
    TamblixEngineImpl& operator=(const TamblixEngineImpl&) = delete;

    // TamblixEngine
    void removeObserver(Observer* observer) override;
    void loadDefinitionFiles(platform::file::IStream& definitions, platform::file::IStream& signature,
                             platform::file::IStream& permanentDefinitions) override;
    void scan() override;
    void setSelected(ModificationSelection selection) override;
    void selectAllHosts(bool selected) override;
    void selectAllRegistry(bool selected) override;
    void selectAllFiles(bool selected) override;
    void fix() override;
    void update() override;
    void finish() override;
    void cancel() override;
    int getState() override;
    std::string getStatusText() override;
    unsigned getChangeCounter() override;
    std::string getErrorMessage() override;
    ScanResults& getScanResults() override;
    int getUpdateProgress() override;
    std::string getLogFilePath() override;
    std::vector<std::string>& getFixProblems() override;
    std::vector<std::string>& getScanProblems() override;
    std::string getProductName() override;
    std::string getProductVersion() override;
    std::string getProductUrl() override;
    std::string getTroubleshootUrl() override;
    std::string getManualUpdateUrl() override;
    std::string getVariantUrl() override;
    std::string getPublisher() override;
    std::string getAuthor() override;
    int getDefinitionsVersion() override;
    std::string getDefinitionsDate() override;
    std::string getIntroductionMessage() override;
    std::string getScanFinishedMessage() override;
    std::string getStyleSheet() override;

    // ScanMessageExpander
    void expandScanMessage(std::string& text) override;
    // ScanProgressListener: at most one text per 1000 ms is shown.
    void progress(std::string text) override;
    // Runnable: the worker's body.
    void run() override;
    // Observer: the updater's progress moved.
    void onNotify(Observable* source) override;

    // The seam of the definitions store: the product information, replaced as a
    // whole, and the two documents handed to every plugin (cleared first, then
    // the permanent definitions, then the definitions).
    void setProductInformation(const ProductInformation& information);
    ProductInformation getProductInformation();
    void loadPluginDefinitions(const std::string& permanentDefinitions, const std::string& definitions);

private:
    static constexpr int ACTION_SCAN = ENGINE_SCANNING;
    static constexpr int ACTION_FIX = ENGINE_FIXING;
    static constexpr int ACTION_UPDATE = ENGINE_UPDATING;

    std::vector<std::unique_ptr<Plugin>> _makePlugins();
    void _startWorker(int action);
    void _joinWorker();
    void _scan();
    void _fix();
    void _fixPhase();
    void _applyRegistryChanges();
    void _applyRegistryChange(RegistryModification& record, std::map<std::string, bool>& done);
    void _applySubkeyChange(RegistryModification& record, const std::string& root, std::map<std::string, bool>& done);
    void _applyValueChange(RegistryModification& record, const std::string& root);
    void _applyFileChanges();
    void _update();
    void _reloadInstalledDefinitions();
    void _takeDefinitions(const DefinitionsStore& store, DefinitionTexts texts);
    void _restorePluginDefinitions();
    void setState(int state);
    void _recordFailure(const std::string& where, const exceptions::Exception* failure, const std::string& kind);
    template <class Member>
    Member _product(Member ProductInformation::*member);

    const EngineServices _services;
    const EngineSettings _settings;
    // The fix log's folder, found anew by every fix and lent to the plugins.
    ProductLogFolder _logFolder;
    std::map<std::string, bool*> _idToCom;
    std::vector<std::unique_ptr<Plugin>> _plugins;
    std::string _errorMessage;
    std::atomic<int> _state{ENGINE_READY};
    std::atomic<int> _action{0};
    ScanResults _results;
    // Guards the status text, the error message, the log path and the product
    // information, and is held while state changes are notified. Recursive, so
    // that an observer may read the engine from inside onNotify.
    std::recursive_mutex _lock;
    std::string _statusText;
    ProductInformation _productInformation;
    std::unique_ptr<platform::thread::ThreadImpl> _worker;
    std::atomic<std::uint32_t> _changeCounter{0};
    std::string _logFilePath;
    std::vector<std::string> _registryLogLines;
    std::vector<std::string> _fileLogLines;
    std::uint32_t _lastProgressTick = 0;
    // From the start of a scan, fix or update until its worker ends. A cancel in
    // that time is kept in _cancelRequested until the next operation starts, so
    // one that comes before the worker has begun is not lost.
    std::atomic<bool> _operationRunning{false};
    std::atomic<bool> _cancelRequested{false};
    // The documents the plugins hold, for putting them back when new ones fail.
    std::optional<DefinitionTexts> _loadedTexts;
};

}  // namespace com::quorvex::products::tamblix
