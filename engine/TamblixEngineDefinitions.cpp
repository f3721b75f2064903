#include "engine/DefinitionsStore.h"
#include "engine/ProductFiles.h"
#include "engine/TamblixEngineImpl.h"
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

namespace {

// The engine as the definitions store fills it.
class EngineDefinitionsTarget : public DefinitionsTarget {
public:
    explicit EngineDefinitionsTarget(TamblixEngineImpl& engine) : _engine(engine) {}
    ProductInformation getProductInformation() override { return _engine.getProductInformation(); }
    void setProductInformation(const ProductInformation& information) override {
        _engine.setProductInformation(information);
    }
    void loadPluginDefinitions(const std::string& permanentDefinitions, const std::string& definitions) override {
        _engine.loadPluginDefinitions(permanentDefinitions, definitions);
    }

private:
    TamblixEngineImpl& _engine;
};

}  // namespace

void TamblixEngineImpl::loadDefinitionFiles(platform::file::IStream& definitions, platform::file::IStream& signature,
                                            platform::file::IStream& permanentDefinitions) {
    EngineDefinitionsTarget target(*this);
    DefinitionsStore(*_services.uncompressor, _settings.publicKey, _settings.debug)
        .load(definitions, signature, permanentDefinitions, target);
}

// After an update: the installed files, compressed in both modes, read whole.
void TamblixEngineImpl::_reloadInstalledDefinitions() {
    platform::file::FileReader& reader = *_services.reader;
    platform::file::TestStreamImpl definitions(reader.readFile(files::DEFINITIONS, 0));
    platform::file::TestStreamImpl signature(reader.readFile(files::DEFINITIONS_SIGNATURE, 0));
    platform::file::TestStreamImpl permanent(reader.readFile(files::PERMANENT_DEFINITIONS, 0));
    loadDefinitionFiles(definitions, signature, permanent);
}

}  // namespace com::quorvex::products::tamblix
