#pragma once
// Linux only: the machine is a Wine prefix. Its registry files are the
// registry; the file services resolve Windows paths through its drives and ask
// the registry for drive types and the Documents folder.

#include "app/MachineServices.h"
#include "app/prefix/ModuleInfoImpl.h"
#include "platform/file/prefix/PrefixFileServices.h"
#include "platform/registry/prefix/PrefixRegistryAnswers.h"
#include "platform/registry/prefix/RegistryServiceImpl.h"
#include "platform/util/Clocks.h"
#include "platform/zip/FileArchiveSource.h"
#include "platform/zip/ZipReaderImpl.h"

namespace com::quorvex::products::tamblix {

class PrefixMachine : public MachineServices {
public:
    // The prefix folder is made absolute first: start-up changes the working
    // directory later.
    explicit PrefixMachine(const platform::prefix::WinePrefix& prefix);

    const platform::prefix::WinePrefix& prefix() const { return _prefix; }

    ModuleInfo& moduleInfo() override { return _module; }
    platform::file::CurrentDirectory& currentDirectory() override { return _files.currentDirectory(); }
    EngineServices engineServices(TamblixUpdate& updater, compression::UncompressionStream& uncompressor) override;
    platform::file::FileRemover& fileRemover() override { return _files.fileRemover(); }
    std::unique_ptr<windows::internet::InternetSessionFactory> makeSessionFactory() override;
    std::unique_ptr<platform::file::IStream> openBinaryStream(const std::string& path) override;

private:
    platform::prefix::WinePrefix _prefix;
    windows::registry::RegistryServiceImpl _registry;
    windows::registry::prefix::PrefixRegistryAnswers _answers;
    platform::prefix::PrefixFileServices _files;
    ModuleInfoImpl _module;
    SteadyTickClock _ticks;
    SystemLocalClock _localTime;
    FileArchiveSource _archives;
    ZipReaderImpl _zip;
};

}  // namespace com::quorvex::products::tamblix
