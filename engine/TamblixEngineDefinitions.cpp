#include "engine/TamblixEngineImpl.h"
#include "engine/failure/Exceptions.h"

namespace com::quorvex::products::tamblix {

void TamblixEngineImpl::setProductInformation(const ProductInformation& information) {
    std::lock_guard<std::recursive_mutex> hold(_lock);
    _productInformation = information;
}

ProductInformation TamblixEngineImpl::getProductInformation() {
    std::lock_guard<std::recursive_mutex> hold(_lock);
    return _productInformation;
}

void TamblixEngineImpl::loadPluginDefinitions(const std::string& permanentDefinitions,
                                              const std::string& definitions) {
    for (auto& plugin : _plugins) plugin->clearDefinitions();
    for (auto& plugin : _plugins) plugin->loadDefinitions(permanentDefinitions);
    for (auto& plugin : _plugins) plugin->loadDefinitions(definitions);
}

// PENDING: the definitions store reads, uncompresses and checks the documents,
// then calls setProductInformation and loadPluginDefinitions.
void TamblixEngineImpl::loadDefinitionFiles(platform::file::IStream&, platform::file::IStream&, platform::file::IStream&) {
    throw TamblixEngineException("The definitions store is not part of this build.");
}

// PENDING: reads the installed files through the file reader into in-memory
// streams and calls loadDefinitionFiles.
void TamblixEngineImpl::_reloadInstalledDefinitions() {
    throw TamblixEngineException("The definitions store is not part of this build.");
}

}  // namespace com::quorvex::products::tamblix
