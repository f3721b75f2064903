#pragma once
// The services of the machine the program looks after, made together by the
// platform: the registry and the single-operation file services, the program
// file's path and the working directory. Start-up makes one and lends its
// services on; they live as long as the object.

#include <memory>
#include <string>

#include "app/ModuleInfo.h"
#include "platform/file/CurrentDirectory.h"
#include "platform/file/DirectoryCreator.h"
#include "platform/file/DirectoryExistsQuery.h"
#include "platform/file/DriveEnumerator.h"
#include "platform/file/DriveTypeQuery.h"
#include "platform/file/FileExistsQuery.h"
#include "platform/file/FileFinder.h"
#include "platform/file/FileReader.h"
#include "platform/file/FileRemover.h"
#include "platform/file/FileWriter.h"
#include "platform/file/FolderCalls.h"
#include "platform/file/IStream.h"
#include "platform/registry/RegistryService.h"

namespace com::quorvex::products::tamblix {

class MachineServices {
public:
    virtual ~MachineServices() = default;

    virtual ModuleInfo& moduleInfo() = 0;
    virtual platform::file::CurrentDirectory& currentDirectory() = 0;
    virtual windows::registry::RegistryService& registry() = 0;
    virtual platform::file::FileReader& fileReader() = 0;
    virtual platform::file::FileWriter& fileWriter() = 0;
    virtual platform::file::FileExistsQuery& fileExistsQuery() = 0;
    virtual platform::file::FileRemover& fileRemover() = 0;
    virtual platform::file::DirectoryExistsQuery& directoryExistsQuery() = 0;
    virtual platform::file::DriveTypeQuery& driveTypeQuery() = 0;
    virtual platform::file::FileFinder& fileFinder() = 0;
    virtual platform::file::DriveEnumerator& driveEnumerator() = 0;
    virtual platform::file::DirectoryCreator& directoryCreator() = 0;
    // The user's special folders (the documents folder, where fix logs go).
    virtual platform::file::FolderCalls& folders() = 0;
    // An input stream over the whole file, read as bytes; throws
    // io::file::IStreamException.
    virtual std::unique_ptr<platform::file::IStream> openBinaryStream(const std::string& path) = 0;
};

// The machine of this platform. On Linux: the Wine prefix ($WINEPREFIX, else
// ~/.wine); throws io::IOException when it does not exist.
std::unique_ptr<MachineServices> makeMachineServices();

}  // namespace com::quorvex::products::tamblix
