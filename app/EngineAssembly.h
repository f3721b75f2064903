#pragma once
// The engine as start-up builds it over the machine's services. The services
// whose layers are not part of this version (download sessions, the zip reader)
// are not handed over, and neither are plugins yet: they join as their layers
// are built.

#include <memory>
#include <vector>

#include "app/MachineServices.h"
#include "engine/EngineClocks.h"
#include "engine/TamblixEngineImpl.h"
#include "engine/TamblixUpdate.h"
#include "update/compression/ZlibUncompressionStream.h"

namespace com::quorvex::products::tamblix {

// The local time as the fix log's name is made of it.
class LocalClockImpl : public LocalClock {
public:
    std::string getDateTimeText() override;
    std::string getSecondText() override;
};

// The machine's special folders.
class MachineFolderPathQuery : public FolderPathQuery {
public:
    explicit MachineFolderPathQuery(platform::file::FolderCalls& folders) : _folders(folders) {}
    std::string getFolderPath(int folderId) override;

private:
    platform::file::FolderCalls& _folders;
};

// What the engine is lent besides the machine's services; outlives the engine.
struct EngineSupport {
    explicit EngineSupport(MachineServices& machine) : folders(machine.folders()) {}

    compression::ZlibUncompressionStream uncompressor;
    LocalClockImpl localTime;
    MachineFolderPathQuery folders;
};

std::unique_ptr<TamblixEngineImpl> makeEngine(MachineServices& machine, TamblixUpdate& updater, bool debug,
                                              const std::vector<char>& publicKey, EngineSupport& support);

}  // namespace com::quorvex::products::tamblix
