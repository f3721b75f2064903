#pragma once
// The machine the program looks after, made by the platform: the registry, the
// file services and the clocks, the program file's path and the working
// directory. It is the programs' only door to their platform. Start-up makes one
// and lends its services on; they live as long as the object.

#include <memory>
#include <string>

#include "app/MessageDisplay.h"
#include "app/ModuleInfo.h"
#include "engine/EngineServices.h"
#include "platform/file/CurrentDirectory.h"
#include "platform/file/IStream.h"
#include "update/session/InternetSession.h"

namespace com::quorvex::products::tamblix {

class MachineServices {
public:
    virtual ~MachineServices() = default;

    virtual ModuleInfo& moduleInfo() = 0;
    virtual platform::file::CurrentDirectory& currentDirectory() = 0;
    // Every service the engine is given: this machine's, with the updater and the
    // uncompressor start-up made.
    virtual EngineServices engineServices(TamblixUpdate& updater, compression::UncompressionStream& uncompressor) = 0;
    // The file remover of engineServices, for the updater that joins them.
    virtual platform::file::FileRemover& fileRemover() = 0;
    // The download sessions of this platform, with its internet settings (the proxy).
    virtual std::unique_ptr<windows::internet::InternetSessionFactory> makeSessionFactory() = 0;
    // An input stream over the whole file, read as bytes; throws
    // io::file::IStreamException.
    virtual std::unique_ptr<platform::file::IStream> openBinaryStream(const std::string& path) = 0;
};

// The machine of this platform. On Linux: the Wine prefix ($WINEPREFIX, else
// ~/.wine); throws io::IOException when it does not exist.
std::unique_ptr<MachineServices> makeMachineServices();

// Where this platform shows the messages of start-up, before any window exists.
std::unique_ptr<MessageDisplay> makeErrorDisplay();

}  // namespace com::quorvex::products::tamblix
