#pragma once
// Linux only: the folder calls of a prefix.
//
// The working directory is the process's, shown as a Windows path (see
// PathResolver::currentDirectory). The system folders are Wine's,
// C:\windows\system32 and C:\windows. The user's documents folder (the only
// special folder a prefix answers) is the one the prefix's registry names (User
// Shell Folders "Personal", through RegistryAnswers), else
// drive_c\users\<user>\Documents, the user being $USER when drive_c\users has a
// folder of that name, else the one folder there that is not "Public", else
// $USER. Without the create flag the folder is answered whether or not it
// exists yet.

#include "platform/file/FolderCalls.h"
#include "platform/file/prefix/PathResolver.h"
#include "platform/file/prefix/RegistryAnswers.h"
#include "platform/file/prefix/WinePrefix.h"

namespace platform::prefix {

class PrefixFolderCalls : public platform::file::FolderCalls {
public:
    PrefixFolderCalls(const WinePrefix& prefix, const PathResolver& resolver, const RegistryAnswers* registry = nullptr);

    bool getCurrentDirectory(std::string& path) override;
    // Changes the process's working directory (only start-up does).
    bool setCurrentDirectory(const std::string& path) override;
    bool getSystemDirectory(std::string& path) override;
    bool getWindowsDirectory(std::string& path) override;
    // A prefix is laid out as Windows NT is (system32 below the Windows folder),
    // whatever version Wine is told to report to programs.
    bool getVersion(platform::file::SystemVersion& version) override;
    bool getFolderPath(int folder, bool create, std::string& path) override;

private:
    bool _documents(AbsolutePath& path) const;
    bool _userFolder(AbsolutePath& path) const;
    bool _createPath(const AbsolutePath& path) const;

    std::string _driveC;
    const PathResolver& _resolver;
    const RegistryAnswers* _registry;
};

}  // namespace platform::prefix
