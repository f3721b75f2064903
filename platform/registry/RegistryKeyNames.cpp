#include "platform/registry/RegistryKeyNames.h"

#include <cstdio>

#include "platform/registry/RegistryConstants.h"
#include "platform/registry/RegistryExceptions.h"

namespace windows::registry {

namespace {

struct RootName {
    std::uint32_t root;
    const char* longName;
    const char* shortName;
};

constexpr RootName ROOT_NAMES[] = {
    {ROOT_CLASSES_ROOT, "HKEY_CLASSES_ROOT", "HKCR"},
    {ROOT_CURRENT_USER, "HKEY_CURRENT_USER", "HKCU"},
    {ROOT_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE", "HKLM"},
    {ROOT_USERS, "HKEY_USERS", "HKUS"},
    {ROOT_PERFORMANCE_DATA, "HKEY_PERFORMANCE_DATA", "HKPD"},
    {ROOT_CURRENT_CONFIG, "HKEY_CURRENT_CONFIG", "HKCC"},
    {ROOT_DYN_DATA, "HKEY_DYN_DATA", "HKDD"},
};

}  // namespace

RegistryKeyNames::RegistryKeyNames(bool shortNames) {
    for (const auto& entry : ROOT_NAMES) {
        const std::string name = shortNames ? entry.shortName : entry.longName;
        _keyToName[entry.root] = name;
        _nameToKey[name] = entry.root;
    }
}

std::string RegistryKeyNames::keyToString(std::uint32_t root) const {
    const auto found = _keyToName.find(root);
    if (found != _keyToName.end()) return found->second;
    char handle[16];
    std::snprintf(handle, sizeof handle, "%08X", static_cast<unsigned>(root));
    throw RegistryException(std::string("Unable to convert the key '") + handle + "' to a registry key string.");
}

std::uint32_t RegistryKeyNames::stringToKey(const std::string& name) const {
    const auto found = _nameToKey.find(name);
    if (found != _nameToKey.end()) return found->second;
    throw RegistryException("Unable to convert the string '" + name + "' to a registry key.");
}

}  // namespace windows::registry
