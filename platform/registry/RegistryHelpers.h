#pragma once
// The layer's fixed semantics, shared by every implementation: which stored
// value types are understood and how they become RegistryData, and how a key's
// full name is written.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry/EnvironmentExpander.h"
#include "platform/registry/RegistryData.h"
#include "platform/registry/RegistryKeyNames.h"

namespace windows::registry {

// REG_SZ, REG_EXPAND_SZ, REG_BINARY, REG_DWORD and REG_MULTI_SZ.
bool isSupportedType(std::uint32_t type);

// A stored value as the narrow registry calls report it (its type and its bytes)
// converted to RegistryData: strings lose one final zero byte (so a multi string
// keeps the zeros between its parts), expand strings are cut at their first zero
// and expanded, a DWORD needs exactly 4 bytes (else the data is invalid), binary
// data keeps all bytes. Unsupported types give nullopt.
std::optional<RegistryData> convertRegistryValue(std::uint32_t type, std::string_view bytes,
                                                 const info::EnvironmentExpander& expander);

// The long root name, then "\" and the subkey path unless that is empty; throws
// RegistryException for an unknown root.
std::string fullKeyName(std::uint32_t root, const std::string& subkey);

// Text as the layer hands it out (names, key paths, string data) in the UTF-16LE
// bytes the registry keeps them in, without a terminating zero.
std::vector<std::uint8_t> utf16leOfRegistryText(std::string_view text);

// A name in the one letter case the registry compares names in: two key or
// value names are the same exactly when their folds are equal.
std::string registryNameFold(std::string_view name);

}  // namespace windows::registry
