#pragma once
// Linux only: the environment a Windows program inside the prefix gets, for the
// expansion of REG_EXPAND_SZ values. It is made from the prefix's registry, never
// from the Linux process environment, in this order (a later one wins):
//   the system's folders: SystemRoot, windir, SystemDrive, ProgramFiles, ProgramData, ...;
//   HKLM\System\CurrentControlSet\Control\Session Manager\Environment;
//   HKCU\Environment (its PATH is appended to the system's);
//   the user's profile: USERPROFILE, USERNAME, HOMEDRIVE, HOMEPATH, APPDATA, LOCALAPPDATA.
// It is made again whenever the machine or user hive changed.

#include <filesystem>
#include <optional>
#include <string>

#include "platform/registry/VariableEnvironment.h"
#include "platform/registry/tree/RegistryHive.h"

namespace windows::registry::prefix {

class PrefixEnvironment {
public:
    PrefixEnvironment(tree::RegistryHives& hives, std::filesystem::path prefix)
        : _hives(hives), _prefix(std::move(prefix)) {}

    std::optional<std::string> lookup(const std::string& name);
    const info::EnvironmentVariables& variables();

private:
    void _build();

    tree::RegistryHives& _hives;
    std::filesystem::path _prefix;
    info::EnvironmentVariables _variables;
    bool _built = false;
    std::uint64_t _machineVersion = 0;
    std::uint64_t _userVersion = 0;
};

// The name of the prefix's user: the one profile folder in drive_c/users besides
// Public, else the name of the Linux account (as Wine names it).
std::string prefixUserName(const std::filesystem::path& prefix);

}  // namespace windows::registry::prefix
