#pragma once
// Changes one open key of a tree-backed registry. A call that would change
// nothing (the value already holds that data, the key already exists) succeeds
// without touching the hive; any other change must first be allowed by the hive,
// which refuses it, for example, while another program holds the registry.
// deleteSubkeyTree removes a link key itself, never the key it leads to, and
// refuses to remove the root of a hive.

#include "platform/registry/RegistryWriter.h"
#include "platform/registry/tree/RegistryKeyImpl.h"

namespace windows::registry::tree {

class RegistryWriterImpl : public RegistryWriter {
public:
    explicit RegistryWriterImpl(RegistryKeyImpl& key) : _key(key) {}

    std::unique_ptr<RegistryKey> createSubkey(const std::string& name, std::uint32_t access) override;
    void setValue(const std::string& name, const RegistryData& data) override;
    void setString(const std::string& name, const std::string& text) override;
    void setDword(const std::string& name, std::uint32_t value, std::uint32_t windowsType) override;
    void deleteValue(const std::string& name) override;
    void deleteSubkeyTree(const std::string& name) override;

private:
    void _set(const std::string& name, std::uint32_t type, std::vector<std::uint8_t> data);
    [[noreturn]] void _throwSetFailure(int code, const std::string& name) const;

    RegistryKeyImpl& _key;
};

}  // namespace windows::registry::tree
