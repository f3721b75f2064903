#include "engine/TamblixEngineImpl.h"
#include "engine/failure/Assertion.h"
#include "engine/failure/Exceptions.h"
#include "engine/plugins/RegistryGroups.h"

namespace com::quorvex::products::tamblix {

void TamblixEngineImpl::_fix() {
    try {
        _fixPhase();
    } catch (const io::IOException& e) {
        _recordFailure("TamblixEngineImpl::_fix()", &e, "IOException");
        setState(ENGINE_FIX_FAILED);
    } catch (const windows::registry::RegistryException& e) {
        _recordFailure("TamblixEngineImpl::_fix()", &e, "RegistryException");
        setState(ENGINE_FIX_FAILED);
    } catch (const exceptions::Exception& e) {
        _recordFailure("TamblixEngineImpl::_fix()", &e, "Exception");
        setState(ENGINE_FIX_FAILED);
    } catch (...) {
        _recordFailure("TamblixEngineImpl::_fix()", nullptr, "");
        setState(ENGINE_FIX_FAILED);
    }
}

void TamblixEngineImpl::_fixPhase() {
    TAMBLIX_ASSERT(_state == ENGINE_SCAN_FINISHED);
    setState(ENGINE_FIXING);
    _registryLogLines.clear();
    _fileLogLines.clear();
    _results.fixProblems.clear();
    propagateGroupSelection(_results.registryChanges);
    std::string pluginSections;
    for (auto& plugin : _plugins) {
        std::string section;
        plugin->fix(_results, section);
        pluginSections += section;
    }
    // PENDING: registry and file records, the log, over the registry and file layers.
    for (auto& plugin : _plugins)
        if (plugin->hasDefinitions()) plugin->fixFinished(_results);
    setState(ENGINE_FIX_FINISHED);
}

}  // namespace com::quorvex::products::tamblix
