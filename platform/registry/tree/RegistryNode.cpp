#include "platform/registry/tree/RegistryNode.h"

#include <algorithm>

#include "platform/registry/tree/RegistryText.h"

namespace windows::registry::tree {

std::vector<std::unique_ptr<RegistryNode>>::const_iterator RegistryNode::_position(std::u16string_view name) const {
    // Files list keys in order, so a new key usually belongs at the end.
    if (_subkeys.empty() || compareNames(_subkeys.back()->name(), name) < 0) return _subkeys.end();
    return std::lower_bound(_subkeys.begin(), _subkeys.end(), name,
                            [](const std::unique_ptr<RegistryNode>& node, std::u16string_view wanted) {
                                return compareNames(node->name(), wanted) < 0;
                            });
}

RegistryNode* RegistryNode::findSubkey(std::u16string_view name) const {
    const auto position = _position(name);
    if (position != _subkeys.end() && compareNames((*position)->name(), name) == 0) return position->get();
    return nullptr;
}

RegistryNode& RegistryNode::addSubkey(std::u16string_view name, bool* created) {
    const auto position = _position(name);
    if (position != _subkeys.end() && compareNames((*position)->name(), name) == 0) {
        if (created) *created = false;
        return **position;
    }
    if (created) *created = true;
    const auto inserted = _subkeys.insert(position, std::make_unique<RegistryNode>(std::u16string(name)));
    return **inserted;
}

bool RegistryNode::removeSubkey(std::u16string_view name) {
    const auto position = _position(name);
    if (position == _subkeys.end() || compareNames((*position)->name(), name) != 0) return false;
    _subkeys.erase(position);
    return true;
}

std::vector<StoredValue>::iterator RegistryNode::_value(std::u16string_view name) {
    return std::find_if(_values.begin(), _values.end(),
                        [name](const StoredValue& value) { return sameName(value.name, name); });
}

const StoredValue* RegistryNode::findValue(std::u16string_view name) const {
    const auto found = const_cast<RegistryNode*>(this)->_value(name);
    return found == _values.end() ? nullptr : &*found;
}

bool RegistryNode::setValue(StoredValue value) {
    const auto found = _value(value.name);
    if (found != _values.end()) {
        if (found->type == value.type && found->data == value.data) return false;
        // The stored name keeps its case, as Windows keeps it.
        found->type = value.type;
        found->data = std::move(value.data);
        return true;
    }
    const auto position = std::find_if(_values.begin(), _values.end(), [&value](const StoredValue& existing) {
        return compareNames(existing.name, value.name) > 0;
    });
    _values.insert(position, std::move(value));
    return true;
}

void RegistryNode::appendValue(StoredValue value) {
    const auto found = _value(value.name);
    if (found != _values.end()) {
        *found = std::move(value);
        return;
    }
    _values.push_back(std::move(value));
}

bool RegistryNode::removeValue(std::u16string_view name) {
    const auto found = _value(name);
    if (found == _values.end()) return false;
    _values.erase(found);
    return true;
}

void RegistryNode::touch(std::uint64_t filetime) { _attributes.filetime = filetime; }

RegistryNode* findPath(RegistryNode& root, const std::vector<std::u16string>& path) {
    RegistryNode* node = &root;
    for (const auto& name : path) {
        node = node->findSubkey(name);
        if (!node) return nullptr;
    }
    return node;
}

}  // namespace windows::registry::tree
