#include "app/EngineAssembly.h"

#include "platform/file/FolderQueries.h"
#include "platform/util/DateAndTime.h"

namespace com::quorvex::products::tamblix {

std::string LocalClockImpl::getDateTimeText() { return util::getDateTimeText(); }

std::string LocalClockImpl::getSecondText() { return util::getSecondText(); }

std::string MachineFolderPathQuery::getFolderPath(int folderId) {
    return platform::file::getFolderPath(_folders, folderId);
}

std::unique_ptr<TamblixEngineImpl> makeEngine(MachineServices& machine, TamblixUpdate& updater, bool debug,
                                              const std::vector<char>& publicKey, EngineSupport& support) {
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
    services.uncompressor = &support.uncompressor;
    services.localTime = &support.localTime;
    services.folders = &support.folders;
    return std::make_unique<TamblixEngineImpl>(services, std::vector<std::unique_ptr<Plugin>>{});
}

}  // namespace com::quorvex::products::tamblix
