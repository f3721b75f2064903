#include "engine/TamblixEngineImpl.h"

#include "engine/plugins/HostsPlugin.h"
#include "engine/plugins/RestrictedDomainPlugin.h"
#include "engine/plugins/RestrictedRangePlugin.h"
#include "engine/plugins/ScanRegistryForErrorsImpl.h"
#include "engine/plugins/SignaturePlugin.h"
#include "platform/failure/Assertion.h"
#include "platform/failure/Exception.h"
#include "platform/thread/ThreadPriority.h"
#include "platform/util/Clocks.h"
#include "update/TamblixUpdate.h"

namespace com::quorvex::products::tamblix {

TamblixEngineImpl::TamblixEngineImpl(const EngineServices& services, EngineSettings settings)
    : TamblixEngineImpl(services, {}, std::move(settings)) {
    _plugins = _makePlugins();
}

TamblixEngineImpl::TamblixEngineImpl(const EngineServices& services, std::vector<std::unique_ptr<Plugin>> plugins,
                                     EngineSettings settings)
    : _services(services), _settings(std::move(settings)), _logFolder(*services.folders), _plugins(std::move(plugins)) {
    _services.updater->addObserver(this);
}

std::vector<std::unique_ptr<Plugin>> TamblixEngineImpl::_makePlugins() {
    // The five plugins join here in their fixed order (registry scanner, HOSTS,
    // file signatures, restricted domains, restricted ranges) as they are built.
    std::vector<std::unique_ptr<Plugin>> plugins;
    plugins.push_back(std::make_unique<ScanRegistryForErrorsImpl>(
        *_services.registry, *_services.writer, *_services.fileExists, *_services.dirExists, *_services.driveType,
        _logFolder, *_services.localTime, *_services.ticks));
    plugins.push_back(std::make_unique<HostsPlugin>(*_services.registry, *_services.reader, *_services.writer,
                                                    *_services.fileExists, *_services.folders));
    plugins.push_back(
        std::make_unique<SignaturePlugin>(*_services.reader, *_services.drives, *_services.finder, *_services.zip));
    plugins.push_back(std::make_unique<RestrictedDomainPlugin>(*_services.registry));
    plugins.push_back(std::make_unique<RestrictedRangePlugin>(*_services.registry));
    return plugins;
}

TamblixEngineImpl::~TamblixEngineImpl() {
    _joinWorker();
    _worker.reset();
    _services.updater->removeObserver(this);
    for (auto& plugin : _plugins) plugin.reset();
}

void TamblixEngineImpl::removeObserver(Observer* observer) {
    // The worker may still be notifying this observer; its owner is about to go.
    _joinWorker();
    Observable::removeObserver(observer);
}

// ---- starting work

void TamblixEngineImpl::scan() {
    TAMBLIX_ASSERT(_state == ENGINE_READY || _state == ENGINE_UPDATE_FINISHED_UPDATED);
    _startWorker(ACTION_SCAN);
}

void TamblixEngineImpl::fix() {
    TAMBLIX_ASSERT(_state == ENGINE_SCAN_FINISHED);
    _startWorker(ACTION_FIX);
}

void TamblixEngineImpl::update() {
    TAMBLIX_ASSERT(_state == ENGINE_READY || _state == ENGINE_UPDATE_CANCELLED);
    _startWorker(ACTION_UPDATE);
}

void TamblixEngineImpl::_joinWorker() {
    if (_worker) _worker->join();
}

void TamblixEngineImpl::_startWorker(int action) {
    if (_worker) {
        _worker->join();
        _worker.reset();
    }
    _action = action;
    _cancelRequested = false;
    _operationRunning = true;
    _worker = std::make_unique<platform::thread::ThreadImpl>(this);
    _worker->start();
}

void TamblixEngineImpl::run() {
    platform::thread::lowerCurrentThreadPriority();
    try {
        switch (_action) {
            case ACTION_SCAN: _scan(); break;
            case ACTION_FIX: _fix(); break;
            case ACTION_UPDATE: _update(); break;
            default: break;
        }
    } catch (const exceptions::Exception& e) {
        const std::string message = e.getMessage();
        TAMBLIX_ASSERT(false);
    } catch (...) {
        TAMBLIX_ASSERT(false);
    }
    _operationRunning = false;
}

// ---- state and notifications

void TamblixEngineImpl::setState(int state) {
    _state = state;
    std::lock_guard<std::recursive_mutex> hold(_lock);
    _statusText.clear();
    ++_changeCounter;
    notifyObservers();
}

void TamblixEngineImpl::progress(std::string text) {
    std::lock_guard<std::recursive_mutex> hold(_lock);
    const std::uint32_t tick = _services.ticks->getTickCount();
    // Elapsed time by unsigned difference, so the count may wrap around.
    if (static_cast<std::uint32_t>(tick - _lastProgressTick) < 1000) return;
    _lastProgressTick = tick;
    _statusText = std::move(text);
    ++_changeCounter;
    notifyObservers();
}

void TamblixEngineImpl::onNotify(Observable*) {
    // The updater lets a cancel reach only the downloads that exist when it
    // comes; one that came before them is passed on again as the run goes on.
    if (_cancelRequested && _action == ACTION_UPDATE) _services.updater->cancel();
    // Held while notifying, as for every notification of the engine, so that an
    // observer that reads the engine takes the locks in one order.
    std::lock_guard<std::recursive_mutex> hold(_lock);
    ++_changeCounter;
    notifyObservers();
}

void TamblixEngineImpl::_recordFailure(const std::string& where, const exceptions::Exception* failure,
                                       const std::string& kind) {
    std::lock_guard<std::recursive_mutex> hold(_lock);
    if (failure)
        _errorMessage = kind + ": " + failure->getMessage();
    else
        _errorMessage = "An unexpected exception (...) occured in " + where;
}

// ---- selection, finish and cancel

void TamblixEngineImpl::setSelected(ModificationSelection selection) {
    const auto i = _idToCom.find(selection.id);
    TAMBLIX_ASSERT(i != _idToCom.end());
    if (i != _idToCom.end()) *i->second = selection.selected;
}

void TamblixEngineImpl::selectAllHosts(bool selected) {
    for (auto& record : _results.hostsChanges) record.state.selected = selected;
}

void TamblixEngineImpl::selectAllRegistry(bool selected) {
    for (auto& record : _results.registryChanges) record.state.selected = selected;
}

void TamblixEngineImpl::selectAllFiles(bool selected) {
    for (auto& record : _results.fileChanges) record.state.selected = selected;
}

void TamblixEngineImpl::finish() {
    // The window offers Done only once the work has ended; waiting for the
    // worker makes sure it no longer touches what is cleared here.
    _joinWorker();
    _results.registryChanges.clear();
    _results.hostsChanges.clear();
    _results.scanProblems.clear();
    _idToCom.clear();
    setState(ENGINE_READY);
}

void TamblixEngineImpl::cancel() {
    // An operation that was started counts as running even before its worker
    // has set the busy state.
    const bool running = _operationRunning;
    if (running) _cancelRequested = true;
    for (auto& plugin : _plugins) plugin->setCancelled(true);
    const int state = _state;
    if (state == ENGINE_UPDATING || (running && _action == ACTION_UPDATE)) {
        _services.updater->cancel();
    } else if (state == ENGINE_SCANNING || (running && _action == ACTION_SCAN)) {
        // Plugins that honour the flag stop early; the scan still ends normally.
        _joinWorker();
        // A scan that failed meanwhile keeps its failure and its message.
        if (_state != ENGINE_SCAN_FAILED) setState(ENGINE_SCAN_CANCELLED);
    }
}

// ---- getters

int TamblixEngineImpl::getState() { return _state; }

std::string TamblixEngineImpl::getStatusText() {
    std::lock_guard<std::recursive_mutex> hold(_lock);
    return _statusText;
}

unsigned TamblixEngineImpl::getChangeCounter() { return _changeCounter; }

std::string TamblixEngineImpl::getErrorMessage() {
    std::lock_guard<std::recursive_mutex> hold(_lock);
    return _errorMessage;
}

ScanResults& TamblixEngineImpl::getScanResults() { return _results; }

int TamblixEngineImpl::getUpdateProgress() { return _services.updater->getProgress(); }

std::string TamblixEngineImpl::getLogFilePath() {
    std::lock_guard<std::recursive_mutex> hold(_lock);
    return _logFilePath;
}

std::vector<std::string>& TamblixEngineImpl::getFixProblems() { return _results.fixProblems; }

std::vector<std::string>& TamblixEngineImpl::getScanProblems() { return _results.scanProblems; }

template <class Member>
Member TamblixEngineImpl::_product(Member ProductInformation::*member) {
    std::lock_guard<std::recursive_mutex> hold(_lock);
    return _productInformation.*member;
}

std::string TamblixEngineImpl::getProductName() { return _product(&ProductInformation::productName); }
std::string TamblixEngineImpl::getProductVersion() { return _product(&ProductInformation::productVersion); }
std::string TamblixEngineImpl::getProductUrl() { return _product(&ProductInformation::productUrl); }
std::string TamblixEngineImpl::getTroubleshootUrl() { return _product(&ProductInformation::troubleshootUrl); }
std::string TamblixEngineImpl::getManualUpdateUrl() { return _product(&ProductInformation::manualUpdateUrl); }
std::string TamblixEngineImpl::getVariantUrl() { return _product(&ProductInformation::variantUrl); }
std::string TamblixEngineImpl::getPublisher() { return _product(&ProductInformation::publisher); }
std::string TamblixEngineImpl::getAuthor() { return _product(&ProductInformation::author); }
int TamblixEngineImpl::getDefinitionsVersion() { return _product(&ProductInformation::definitionsVersion); }
std::string TamblixEngineImpl::getDefinitionsDate() { return _product(&ProductInformation::definitionsDate); }
std::string TamblixEngineImpl::getIntroductionMessage() { return _product(&ProductInformation::introductionMessage); }
std::string TamblixEngineImpl::getScanFinishedMessage() { return _product(&ProductInformation::scanFinishedMessage); }
std::string TamblixEngineImpl::getStyleSheet() { return _product(&ProductInformation::styleSheet); }

void TamblixEngineImpl::expandScanMessage(std::string& text) {
    for (auto& plugin : _plugins) plugin->expandScanMessage(text);
}

}  // namespace com::quorvex::products::tamblix
