#pragma once
// Where a key of a root lives: the predefined roots mapped onto the hives, and
// #link keys followed to their targets (a SymbolicLinkValue such as
// "\Registry\Machine\System\ControlSet001").
//
//   HKEY_LOCAL_MACHINE   the machine hive
//   HKEY_CURRENT_USER    the user hive, also HKEY_USERS\S-1-5-21-0-0-0-1000
//   HKEY_USERS\.Default  the default user hive
//   HKEY_CLASSES_ROOT    HKLM\Software\Classes
//   HKEY_CURRENT_CONFIG  HKLM\System\CurrentControlSet\Hardware Profiles\Current
//   HKEY_PERFORMANCE_DATA and HKEY_DYN_DATA do not exist.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry/tree/RegistryHive.h"

namespace windows::registry::tree {

struct KeyLocation {
    bool usersRoot = false;  // HKEY_USERS itself, above the user hives
    HiveId hive = HiveId::MACHINE;
    std::vector<std::u16string> path;  // below the hive's root, links resolved
};

struct Resolution {
    int code = 0;  // 0, or the Windows code of the failure
    KeyLocation found;  // the key, or the deepest existing key on the way to it
    std::vector<std::u16string> missing;  // the names below found that do not exist
};

// Splits a subkey path at its backslashes (a final one is allowed); code 161 for
// a path that starts with one or holds an empty name.
int splitKeyPath(std::string_view subkey, std::vector<std::u16string>& names);

// Finds subkey below root. refresh brings each hive walked up to date with its
// store first (and may throw what RegistryHive::refresh throws).
Resolution resolveKey(RegistryHives& hives, std::uint32_t root, std::string_view subkey, bool refresh = true);

// Finds names below an existing key. A link at the last name is followed only
// when followLast is set.
Resolution resolveBelow(RegistryHives& hives, const KeyLocation& from, const std::vector<std::u16string>& names,
                        bool followLast);

// The node of an existing location now, nullptr when it is gone.
RegistryNode* nodeAt(RegistryHives& hives, const KeyLocation& location);

}  // namespace windows::registry::tree
