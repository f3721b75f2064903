// Linux only: the services of a Wine prefix, made together.
#include "app/prefix/PrefixMachine.h"

#include <filesystem>
#include <ios>
#include <iostream>

#include "app/prefix/StandardErrorDisplay.h"

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
      _module(_prefix) {}

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
            .localTime = _localTime};
}

std::unique_ptr<platform::file::IStream> PrefixMachine::openBinaryStream(const std::string& path) {
    return _files.openStream(path, std::ios::binary);
}

std::unique_ptr<MachineServices> makeMachineServices() {
    return std::make_unique<PrefixMachine>(platform::prefix::WinePrefix::locate());
}

namespace {

// WIRING POINT of the download sessions: until the libcurl sessions are built
// in, every download fails with the session's text and the update fails.
class NoSessionFactory : public windows::internet::InternetSessionFactory {
    class NoSession : public windows::internet::InternetSession {
        std::vector<char> download(const std::string& url) override {
            throw windows::internet::InternetSessionException(
                "CInternetException* e:\nError connecting or downloading data from: " + url +
                "\nSystem error message: This program was built without downloads.");
        }
        int getBytesRead() override { return 0; }
        void cancel() override {}
    };

public:
    std::unique_ptr<windows::internet::InternetSession> createSession(std::size_t) override {
        return std::make_unique<NoSession>();
    }
};

}  // namespace

std::unique_ptr<windows::internet::InternetSessionFactory> makeSessionFactory() {
    return std::make_unique<NoSessionFactory>();
}

std::unique_ptr<MessageDisplay> makeErrorDisplay() { return std::make_unique<StandardErrorDisplay>(std::cerr); }

}  // namespace com::quorvex::products::tamblix
