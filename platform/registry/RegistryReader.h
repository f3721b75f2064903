#pragma once
// Reads the values and subkeys of one open key, which it does not own.

#include <cstdint>
#include <list>
#include <string>
#include <utility>
#include <vector>

#include "platform/registry/RegistryData.h"

namespace windows::registry {

// A value as the registry keeps it: its Windows type and its bytes as the wide
// calls report them (the string types in UTF-16LE, with their terminating zeros).
struct StoredRegistryValue {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> bytes;
};

class RegistryReader {
public:
    virtual ~RegistryReader() = default;
    // The named value converted to RegistryData; the empty name is the default value.
    virtual RegistryData readValue(const std::string& name) = 0;
    virtual bool valueExists(const std::string& name) = 0;
    // The subkey names in the registry's enumeration order.
    virtual std::list<std::string> enumSubkeys() = 0;
    // The named value as it is stored, of any type, without conversion or
    // expansion; fails as readValue does for a value that cannot be read.
    virtual StoredRegistryValue readRawValue(const std::string& name) = 0;
    // The names of enumValues(), in the same order; the data is not converted, so
    // a value whose expansion would fail is listed too.
    virtual std::list<std::string> valueNames() = 0;
    // Every value of a supported type, in the registry's enumeration order.
    virtual std::vector<std::pair<std::string, RegistryData>> enumValues() = 0;
};

}  // namespace windows::registry
