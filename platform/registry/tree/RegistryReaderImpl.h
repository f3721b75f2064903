#pragma once
// Reads one open key of a tree-backed registry.

#include "platform/registry/RegistryReader.h"
#include "platform/registry/tree/RegistryKeyImpl.h"

namespace windows::registry::tree {

class RegistryReaderImpl : public RegistryReader {
public:
    explicit RegistryReaderImpl(RegistryKeyImpl& key) : _key(key) {}

    RegistryData readValue(const std::string& name) override;
    bool valueExists(const std::string& name) override;
    StoredRegistryValue readRawValue(const std::string& name) override;
    std::list<std::string> enumSubkeys() override;
    std::list<std::string> valueNames() override;
    std::vector<std::pair<std::string, RegistryData>> enumValues() override;

private:
    // The stored value, or the Windows code of why there is none.
    int _query(const std::string& name, const StoredValue*& value);
    [[noreturn]] void _throwReadFailure(int code, const std::string& name) const;
    // The key's node for listing its values; nullptr for HKEY_USERS itself, which has none.
    const RegistryNode* _enumerableValues();
    static std::string _narrowName(const std::u16string& stored);

    RegistryKeyImpl& _key;
};

}  // namespace windows::registry::tree
