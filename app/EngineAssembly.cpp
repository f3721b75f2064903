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
    static SteadyTickClock ticks;  // keeps no state: one serves every engine
    return std::make_unique<TamblixEngineImpl>(services, TamblixEngineImpl::makePlugins(services, ticks));
}

}  // namespace com::quorvex::products::tamblix
