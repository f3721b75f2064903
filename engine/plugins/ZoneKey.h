#pragma once
// What the scan read of one key of the zone map that a removal concerns: a
// removal deletes a key only when the key holds nothing but what names the
// entry, and otherwise takes out only the entry's "*".

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "engine/plugins/ModificationValue.h"

namespace windows::registry {
class RegistryReader;
class RegistryService;
}  // namespace windows::registry

namespace com::quorvex::products::tamblix {

struct ZoneKeyContents {
    // Every value name, the default value's empty name included.
    std::vector<std::string> valueNames;
    std::size_t subkeys = 0;
    // The "*" as read, when the key has one: a DWORD, or the text of other data.
    std::optional<ModificationValue> zone;
};

// True when the key has no subkey and no value but the named ones (compared as
// the registry compares names).
bool holdsOnly(const ZoneKeyContents& key, std::initializer_list<const char*> names);

// Reads an open key, or a key below HKEY_CURRENT_USER; registry failures pass out.
ZoneKeyContents readZoneKey(windows::registry::RegistryReader& reader);
ZoneKeyContents readZoneKey(windows::registry::RegistryService& registry, const std::string& key);

}  // namespace com::quorvex::products::tamblix
