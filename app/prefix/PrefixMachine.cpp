// Linux only: the services of a Wine prefix, made together.
#include "app/prefix/PrefixMachine.h"

#include <filesystem>
#include <ios>
#include <iostream>

#include "app/InternetSettings.h"
#include "app/prefix/StandardErrorDisplay.h"
#include "update/session/prefix/InternetSessionFactoryImpl.h"

namespace com::quorvex::products::tamblix {

namespace {

platform::prefix::WinePrefix absolutePrefix(const platform::prefix::WinePrefix& prefix) {
    return platform::prefix::WinePrefix(std::filesystem::absolute(prefix.root()));
}

}  // namespace

PrefixMachine::PrefixMachine(const platform::prefix::WinePrefix& prefix)
    : _prefix(absolutePrefix(prefix)),
      _registry(_prefix),
      _answers(_registry),
      _files(_prefix, &_answers),
      _module(_prefix),
      _archives(_files.fileCalls()),
      _zip(_archives) {}

EngineServices PrefixMachine::engineServices(TamblixUpdate& updater, compression::UncompressionStream& uncompressor) {
    return {.registry = _registry,
            .updater = updater,
            .reader = _files.fileReader(),
            .writer = _files.fileWriter(),
            .fileExists = _files.fileExistsQuery(),
            .remover = _files.fileRemover(),
            .dirExists = _files.directoryExistsQuery(),
            .driveType = _files.driveTypeQuery(),
            .finder = _files.fileFinder(),
            .drives = _files.driveEnumerator(),
            .dirCreator = _files.directoryCreator(),
            .folders = _files.folders(),
            .uncompressor = uncompressor,
            .ticks = _ticks,
            .localTime = _localTime,
            .zip = _zip};
}

std::unique_ptr<platform::file::IStream> PrefixMachine::openBinaryStream(const std::string& path) {
    return _files.openStream(path, std::ios::binary);
}

std::unique_ptr<MachineServices> makeMachineServices() {
    return std::make_unique<PrefixMachine>(platform::prefix::WinePrefix::locate());
}

std::unique_ptr<windows::internet::InternetSessionFactory> PrefixMachine::makeSessionFactory() {
    // The proxy of the prefix's Internet Settings as they are when start-up asks.
    return std::make_unique<windows::internet::prefix::InternetSessionFactoryImpl>(
        windows::internet::SessionSettings{.proxy = readProxySettings(_registry)});
}

std::unique_ptr<MessageDisplay> makeErrorDisplay() { return std::make_unique<StandardErrorDisplay>(std::cerr); }

}  // namespace com::quorvex::products::tamblix
