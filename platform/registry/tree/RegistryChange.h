#pragma once
// One modification of a tree, kept as data so that it can be applied again to a
// fresh copy of the same file (when Wine rewrote the file before ours was saved).

#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry/tree/RegistryNode.h"

namespace windows::registry::tree {

struct RegistryChange {
    enum class Kind { CREATE_KEY, DELETE_KEY, SET_VALUE, DELETE_VALUE };

    Kind kind = Kind::CREATE_KEY;
    // CREATE_KEY: the key to create (its missing parents too); DELETE_KEY: the
    // parent of the key to delete; values: the key of the value.
    std::vector<std::u16string> path;
    // DELETE_KEY: the key to delete; values: the value's name.
    std::u16string name;
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    std::uint64_t time = 0;  // 100 ns since 1601
};

// Applies the change; false when it changes nothing (the key or value is already
// as asked, or the key it concerns is no longer there). A changed key, and the
// parent of a created or deleted key, take the change's time.
bool applyChange(RegistryNode& root, const RegistryChange& change);

}  // namespace windows::registry::tree
