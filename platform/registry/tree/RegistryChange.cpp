#include "platform/registry/tree/RegistryChange.h"

namespace windows::registry::tree {

namespace {

bool createKey(RegistryNode& root, const RegistryChange& change) {
    RegistryNode* node = &root;
    bool changed = false;
    for (const auto& name : change.path) {
        bool created = false;
        RegistryNode& child = node->addSubkey(name, &created);
        if (created) {
            if (!changed) node->touch(change.time);
            child.touch(change.time);
            changed = true;
        }
        node = &child;
    }
    return changed;
}

}  // namespace

bool applyChange(RegistryNode& root, const RegistryChange& change) {
    if (change.kind == RegistryChange::Kind::CREATE_KEY) return createKey(root, change);
    RegistryNode* node = findPath(root, change.path);
    if (!node) return false;
    bool changed = false;
    switch (change.kind) {
    case RegistryChange::Kind::DELETE_KEY: changed = node->removeSubkey(change.name); break;
    case RegistryChange::Kind::SET_VALUE: changed = node->setValue({change.name, change.type, change.data}); break;
    case RegistryChange::Kind::DELETE_VALUE: changed = node->removeValue(change.name); break;
    case RegistryChange::Kind::CREATE_KEY: break;
    }
    if (changed) node->touch(change.time);
    return changed;
}

}  // namespace windows::registry::tree
