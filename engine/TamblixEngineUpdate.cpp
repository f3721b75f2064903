#include "engine/TamblixEngineImpl.h"
#include "platform/failure/Assertion.h"
#include "platform/xml/ComInitializer.h"
#include "update/TamblixUpdate.h"

namespace com::quorvex::products::tamblix {

void TamblixEngineImpl::_update() {
    try {
        // The XML layer needs COM on the thread that parses.
        windows::com::ComInitializer com;
        TAMBLIX_ASSERT(_state == ENGINE_READY || _state == ENGINE_UPDATE_CANCELLED);
        setState(ENGINE_UPDATING);
        if (_cancelRequested) {
            setState(ENGINE_UPDATE_CANCELLED);
            return;
        }
        const ProductInformation installed = getProductInformation();
        const int result = _services.updater->update(installed.updateUrl, installed.definitionsVersion,
                                                    *_services.writer, *_services.uncompressor, _settings.publicKey);
        switch (result) {
            case TamblixUpdate::UPDATED:
                _reloadInstalledDefinitions();
                setState(ENGINE_UPDATE_FINISHED_UPDATED);
                break;
            case TamblixUpdate::NOT_UPDATED: setState(ENGINE_UPDATE_FINISHED_NOT_UPDATED); break;
            case TamblixUpdate::CANCELLED: setState(ENGINE_UPDATE_CANCELLED); break;
            default: TAMBLIX_ASSERT(false); break;
        }
    } catch (const TamblixUpdateException& e) {
        {
            std::lock_guard<std::recursive_mutex> hold(_lock);
            _errorMessage = e.getMessage();
        }
        setState(ENGINE_UPDATE_FAILED);
    } catch (const exceptions::Exception& e) {
        _recordFailure("TamblixEngineImpl::_update()", &e, "Exception");
        setState(ENGINE_UPDATE_FAILED);
    } catch (...) {
        _recordFailure("TamblixEngineImpl::_update()", nullptr, "");
        setState(ENGINE_UPDATE_FAILED);
    }
}

}  // namespace com::quorvex::products::tamblix
