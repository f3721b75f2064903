#include "engine/TamblixEngineImpl.h"
#include "platform/failure/Assertion.h"
#include "platform/registry/RegistryExceptions.h"

namespace com::quorvex::products::tamblix {

void TamblixEngineImpl::_scan() {
    for (auto& plugin : _plugins) plugin->setCancelled(false);
    try {
        TAMBLIX_ASSERT(_state == ENGINE_READY || _state == ENGINE_UPDATE_FINISHED_UPDATED);
        setState(ENGINE_SCANNING);
        try {
            _results.registryChanges.clear();
            _results.hostsChanges.clear();
            _results.fileChanges.clear();
            _results.scanProblems.clear();
            // Checkbox ids of an earlier scan would point into the records just
            // cleared.
            _idToCom.clear();
        } catch (...) {
            TAMBLIX_ASSERT(false);
        }
        for (auto& plugin : _plugins) {
            if (!plugin->hasDefinitions()) continue;
            plugin->setCancelled(false);
            // A cancel stops the plugin that runs; those after it are not started.
            // Checked after the flag was cleared, so a cancel cannot slip between.
            if (_cancelRequested) break;
            plugin->scan(_results, this);
        }
        for (auto& record : _results.registryChanges) _idToCom[record.state.id] = &record.state.selected;
        for (auto& record : _results.hostsChanges) _idToCom[record.state.id] = &record.state.selected;
        for (auto& record : _results.fileChanges) _idToCom[record.state.id] = &record.state.selected;
        setState(ENGINE_SCAN_FINISHED);
    } catch (const windows::registry::RegistryException& e) {
        _recordFailure("TamblixEngineImpl::_scan()", &e, "RegistryException");
        setState(ENGINE_SCAN_FAILED);
    } catch (const exceptions::Exception& e) {
        _recordFailure("TamblixEngineImpl::_scan()", &e, "Exception");
        setState(ENGINE_SCAN_FAILED);
    } catch (...) {
        _recordFailure("TamblixEngineImpl::_scan()", nullptr, "");
        setState(ENGINE_SCAN_FAILED);
    }
}

}  // namespace com::quorvex::products::tamblix
