#pragma once
// What the registry scanner keeps of one finding and of one group of its
// definitions.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/registry/RegistryData.h"
#include "platform/registry/RegistryReader.h"

namespace com::quorvex::products::tamblix {

// A heading for the findings below a key prefix; info and link are kept unused.
struct RegistryErrorGroup {
    std::string heading;
    std::string info;
    std::string link;
};

struct RegistryErrorEntry {
    std::uint32_t root = 0;
    std::string subkey;
    std::string valueName;
    // The value's data as read (expand strings expanded).
    windows::registry::RegistryData data;
    // The value as stored, for the undo file; absent when it could not be read.
    std::optional<windows::registry::StoredRegistryValue> stored;
    // The value's name is the missing path (else its string data is).
    bool namePoints = false;
    // Selected for the fix in progress: the undo file written before the fix
    // removes anything brings it back.
    bool selected = false;
    // Removed by the fix phase.
    bool applied = false;
};

}  // namespace com::quorvex::products::tamblix
