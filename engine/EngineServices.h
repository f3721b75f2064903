#pragma once
// Everything the engine is given. Start-up makes each service once and hands the
// whole set over; the engine keeps what it uses itself and lends the rest to its
// plugins. Each member is bound to its object when the set is made, so a set
// with a service missing does not compile. The services outlive the engine; the
// download sessions join when their layer is built.

#include <vector>

#include "engine/ServiceDeclarations.h"

namespace com::quorvex::products::tamblix {

// One service of the set, never null; assigning an object lends that one instead.
template <class Service>
class Lent {
public:
    Lent(Service& service) : _service(&service) {}  // not explicit: a set is written as its objects
    Service& operator*() const { return *_service; }
    Service* operator->() const { return _service; }

private:
    Service* _service;
};

struct EngineServices {
    Lent<windows::registry::RegistryService> registry;
    Lent<TamblixUpdate> updater;
    Lent<platform::file::FileReader> reader;
    Lent<platform::file::FileWriter> writer;
    Lent<platform::file::FileExistsQuery> fileExists;
    Lent<platform::file::FileRemover> remover;
    Lent<platform::file::DirectoryExistsQuery> dirExists;
    Lent<platform::file::DriveTypeQuery> driveType;
    Lent<platform::file::FileFinder> finder;
    Lent<platform::file::DriveEnumerator> drives;
    Lent<platform::file::DirectoryCreator> dirCreator;
    // How this platform finds the user's documents folder, where fix logs go.
    Lent<platform::file::FolderCalls> folders;
    Lent<compression::UncompressionStream> uncompressor;
    Lent<TickClock> ticks;
    Lent<LocalClock> localTime;
    Lent<ZipReader> zip;
};

// What start-up decides: debug mode (plain definitions, no signature check) and
// the public key that definitions and updates are checked against.
struct EngineSettings {
    bool debug = false;
    std::vector<char> publicKey;
};

}  // namespace com::quorvex::products::tamblix
