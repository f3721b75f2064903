#pragma once
// One suggested registry operation. A run of consecutive records with equal
// group texts is one suggestion (one checkbox, the first record's); see
// propagateGroupSelection.

#include <cstdint>
#include <string>

#include "engine/plugins/ModificationState.h"
#include "engine/plugins/ModificationValue.h"

namespace com::quorvex::products::tamblix {

struct RegistryModification {
    static constexpr int ADD_SUBKEY = 0;
    static constexpr int SET_VALUE = 1;
    static constexpr int REMOVE_SUBKEY = 2;
    static constexpr int REMOVE_VALUE = 3;

    // Predefined root key as its handle value (0x80000001 is HKEY_CURRENT_USER).
    std::uint32_t root = 0;
    // Path below root without a leading backslash; for the subkey actions the
    // key to create or delete.
    std::string subkey;
    int action = ADD_SUBKEY;
    // For SET_VALUE and REMOVE_VALUE; empty names the key's default value.
    std::string valueName;
    ModificationValue data;
    // May carry HTML mark-up from the definitions; shown as it stands.
    std::string description;
    std::string group;
    ModificationState state;
};

}  // namespace com::quorvex::products::tamblix
