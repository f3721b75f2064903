#pragma once
// Linux only: the machine is a Wine prefix. Its registry files are the
// registry; the file services resolve Windows paths through its drives and ask
// the registry for drive types and the Documents folder.

#include "app/MachineServices.h"
#include "app/prefix/ModuleInfoImpl.h"
#include "platform/file/prefix/PrefixFileServices.h"
#include "platform/registry/prefix/PrefixRegistryAnswers.h"
#include "platform/registry/prefix/RegistryServiceImpl.h"

namespace com::quorvex::products::tamblix {

class PrefixMachine : public MachineServices {
public:
    // The prefix folder is made absolute first: start-up changes the working
    // directory later.
    explicit PrefixMachine(const platform::prefix::WinePrefix& prefix);

    const platform::prefix::WinePrefix& prefix() const { return _prefix; }

    ModuleInfo& moduleInfo() override { return _module; }
    platform::file::CurrentDirectory& currentDirectory() override { return _files.currentDirectory(); }
    windows::registry::RegistryService& registry() override { return _registry; }
    platform::file::FileReader& fileReader() override { return _files.fileReader(); }
    platform::file::FileWriter& fileWriter() override { return _files.fileWriter(); }
    platform::file::FileExistsQuery& fileExistsQuery() override { return _files.fileExistsQuery(); }
    platform::file::FileRemover& fileRemover() override { return _files.fileRemover(); }
    platform::file::DirectoryExistsQuery& directoryExistsQuery() override { return _files.directoryExistsQuery(); }
    platform::file::DriveTypeQuery& driveTypeQuery() override { return _files.driveTypeQuery(); }
    platform::file::FileFinder& fileFinder() override { return _files.fileFinder(); }
    platform::file::DriveEnumerator& driveEnumerator() override { return _files.driveEnumerator(); }
    platform::file::DirectoryCreator& directoryCreator() override { return _files.directoryCreator(); }
    std::unique_ptr<platform::file::IStream> openBinaryStream(const std::string& path) override;

    platform::file::FolderCalls& folders() override { return _files.folders(); }

private:
    platform::prefix::WinePrefix _prefix;
    windows::registry::RegistryServiceImpl _registry;
    windows::registry::prefix::PrefixRegistryAnswers _answers;
    platform::prefix::PrefixFileServices _files;
    ModuleInfoImpl _module;
};

}  // namespace com::quorvex::products::tamblix
