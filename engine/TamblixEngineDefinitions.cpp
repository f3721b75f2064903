#include "engine/TamblixEngineImpl.h"
#include "engine/failure/Exceptions.h"
#include "platform/file/FileReader.h"
#include "platform/file/TestStreamImpl.h"

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
void TamblixEngineImpl::loadDefinitionFiles(platform::file::IStream&, platform::file::IStream&,
                                            platform::file::IStream&) {
    throw TamblixEngineException("The definitions store is not part of this build.");
}

// After an update: the installed files, compressed in both modes, read whole.
void TamblixEngineImpl::_reloadInstalledDefinitions() {
    platform::file::FileReader& reader = *_services.reader;
    platform::file::TestStreamImpl definitions(reader.readFile(".\\system\\definitions.xml.tam", 0));
    platform::file::TestStreamImpl signature(reader.readFile(".\\system\\definitions-sig.xml", 0));
    platform::file::TestStreamImpl permanent(reader.readFile(".\\system\\permanent-definitions.xml.tam", 0));
    loadDefinitionFiles(definitions, signature, permanent);
}

}  // namespace com::quorvex::products::tamblix
