#include "engine/DefinitionsStore.h"
#include "engine/ProductFiles.h"
#include "engine/TamblixEngineImpl.h"
#include "platform/file/FileReader.h"
#include "platform/file/TestStreamImpl.h"
#include "platform/xml/SharedParses.h"
#include "update/compression/UncompressionStream.h"

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

// Product information as the store fills it, taken by the engine only once the
// plugins have loaded the same documents.
class StagedDefinitions : public DefinitionsTarget {
public:
    explicit StagedDefinitions(ProductInformation installed) : information(std::move(installed)) {}
    ProductInformation getProductInformation() override { return information; }
    void setProductInformation(const ProductInformation& staged) override { information = staged; }
    void loadPluginDefinitions(const std::string&, const std::string&) override {}

    ProductInformation information;
};

std::string textOf(const std::vector<char>& bytes) { return std::string(bytes.begin(), bytes.end()); }

}  // namespace

void TamblixEngineImpl::loadDefinitionFiles(platform::file::IStream& definitions, platform::file::IStream& signature,
                                            platform::file::IStream& permanentDefinitions) {
    const DefinitionsStore store(*_services.uncompressor, _settings.publicKey, _settings.debug);
    _takeDefinitions(store, store.read(definitions, signature, permanentDefinitions));
}

// New definitions replace the engine's only whole: a document or a plugin that
// fails leaves the product information and every plugin as they were.
void TamblixEngineImpl::_takeDefinitions(const DefinitionsStore& store, DefinitionTexts texts) {
    // The store and every plugin read the same two documents: each is parsed once.
    windows::com::xml::SharedParses parses;
    StagedDefinitions staged(getProductInformation());
    store.applyProductInformation(texts, staged);
    try {
        loadPluginDefinitions(texts.permanentDefinitions, texts.definitions);
    } catch (...) {
        _restorePluginDefinitions();
        throw;
    }
    setProductInformation(staged.information);
    _loadedTexts = std::move(texts);
}

void TamblixEngineImpl::_restorePluginDefinitions() {
    try {
        if (_loadedTexts) {
            loadPluginDefinitions(_loadedTexts->permanentDefinitions, _loadedTexts->definitions);
            return;
        }
    } catch (...) {
        // They loaded before; should they not now, no plugin keeps half of them.
    }
    for (auto& plugin : _plugins) plugin->clearDefinitions();
}

// After an update: the pair the updater installed, compressed and signed in
// both modes, so it is checked once more as it lies on the disk; the permanent
// definitions as start-up reads them in this mode.
void TamblixEngineImpl::_reloadInstalledDefinitions() {
    platform::file::FileReader& reader = *_services.reader;
    const std::vector<char> definitions =
        _services.uncompressor->uncompress(reader.readFile(files::DEFINITIONS, 0), DefinitionsStore::UNCOMPRESSED_LIMIT);
    platform::file::TestStreamImpl signature(reader.readFile(files::DEFINITIONS_SIGNATURE, 0));
    const DefinitionsStore signedStore(*_services.uncompressor, _settings.publicKey, false);
    signedStore.verify(definitions, signature);

    std::vector<char> permanent =
        reader.readFile(_settings.debug ? files::DEBUG_PERMANENT_DEFINITIONS : files::PERMANENT_DEFINITIONS, 0);
    if (!_settings.debug) permanent = _services.uncompressor->uncompress(permanent, DefinitionsStore::UNCOMPRESSED_LIMIT);
    _takeDefinitions(signedStore, DefinitionTexts{textOf(definitions), textOf(permanent)});
}

}  // namespace com::quorvex::products::tamblix
