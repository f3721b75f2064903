#pragma once
// Reads the values and subkeys of one open key, which it does not own.

#include <list>
#include <string>
#include <utility>
#include <vector>

#include "platform/registry/RegistryData.h"

namespace windows::registry {

class RegistryReader {
public:
    virtual ~RegistryReader() = default;
    // The named value converted to RegistryData; the empty name is the default value.
    virtual RegistryData readValue(const std::string& name) = 0;
    virtual bool valueExists(const std::string& name) = 0;
    // The subkey names in the registry's enumeration order.
    virtual std::list<std::string> enumSubkeys() = 0;
    // The names of enumValues(), in the same order.
    virtual std::list<std::string> valueNames() = 0;
    // Every value of a supported type, in the registry's enumeration order.
    virtual std::vector<std::pair<std::string, RegistryData>> enumValues() = 0;
};

}  // namespace windows::registry
