#include "app/EngineAssembly.h"

namespace com::quorvex::products::tamblix {

std::unique_ptr<TamblixEngineImpl> makeEngine(MachineServices& machine, TamblixUpdate& updater, bool debug,
                                              const std::vector<char>& publicKey) {
    EngineServices services;
    services.registry = &machine.registry();
    services.updater = &updater;
    services.reader = &machine.fileReader();
    services.writer = &machine.fileWriter();
    services.fileExists = &machine.fileExistsQuery();
    services.remover = &machine.fileRemover();
    services.dirExists = &machine.directoryExistsQuery();
    services.driveType = &machine.driveTypeQuery();
    services.finder = &machine.fileFinder();
    services.drives = &machine.driveEnumerator();
    services.debug = debug;
    services.publicKey = publicKey;
    services.dirCreator = &machine.directoryCreator();
    services.folders = &machine.folders();
    return std::make_unique<TamblixEngineImpl>(services, std::vector<std::unique_ptr<Plugin>>{});
}

}  // namespace com::quorvex::products::tamblix
