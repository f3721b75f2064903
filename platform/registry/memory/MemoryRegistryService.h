#pragma once
// A registry held in memory, for the tests of the layers above: the same keys,
// names, conversions, links, root mapping and error texts as the Wine prefix's
// registry, over hives that start empty or are filled from registry file text.

#include <memory>
#include <string>
#include <string_view>

#include "platform/registry/VariableEnvironment.h"
#include "platform/registry/tree/TreeRegistryService.h"

namespace windows::registry::memory {

class MemoryHives;

class MemoryRegistryService : public tree::TreeRegistryService {
public:
    MemoryRegistryService();
    ~MemoryRegistryService() override;

    // Replaces a hive with the content of registry file text (Wine's format);
    // throws RegistryException naming the line when the text cannot be parsed.
    void importHive(tree::HiveId hive, std::string_view text);
    // The hive in Wine's format.
    std::string exportHive(tree::HiveId hive) const;
    // The variables that REG_EXPAND_SZ values are expanded with.
    info::EnvironmentVariables& variables();
    // While read-only every change is refused with ERROR_ACCESS_DENIED.
    void setReadOnly(bool readOnly);
    // While set, storing a changed hive fails as a full disk would, with
    // RegistryException.
    void setStoreFails(bool fails);
    // Opening the existing key (as it is now, links followed) is refused with ERROR_ACCESS_DENIED from now on.
    void denyAccess(std::uint32_t root, const std::string& subkey);
    // How often a hive was stored because a key a modification was made through was closed.
    int commits(tree::HiveId hive) const;

private:
    explicit MemoryRegistryService(std::shared_ptr<MemoryHives> hives);
    MemoryHives& _memory() const { return *_hives; }
    std::shared_ptr<MemoryHives> _hives;
};

}  // namespace windows::registry::memory
