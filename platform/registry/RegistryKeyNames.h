#pragma once
// Converts between the predefined root keys and their names: the long names
// ("HKEY_LOCAL_MACHINE") or the short ones ("HKLM"; HKEY_USERS is "HKUS").
// Name lookup is exact and case-sensitive.

#include <cstdint>
#include <map>
#include <string>

namespace windows::registry {

class RegistryKeyNames {
public:
    explicit RegistryKeyNames(bool shortNames = false);
    virtual ~RegistryKeyNames() = default;

    // Throws RegistryException for a handle value that is not a root key.
    virtual std::string keyToString(std::uint32_t root) const;
    // Throws RegistryException for a name that is not in the table.
    virtual std::uint32_t stringToKey(const std::string& name) const;

private:
    std::map<std::uint32_t, std::string> _keyToName;
    std::map<std::string, std::uint32_t> _nameToKey;
};

}  // namespace windows::registry
